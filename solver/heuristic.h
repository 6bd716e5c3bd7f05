#pragma once
// How promising an unfinished position is: one quick game played from it to
// the end. Its value is a line that can really be played, so the search keeps
// it when it beats the best so far.

#include <array>
#include <cstdint>
#include <vector>

#include "solver/board.h"
#include "solver/goal.h"
#include "solver/line.h"

namespace pebble::solver {

struct Rollout {
  std::int64_t tally = 0;
  std::int32_t stonesLeft = 0;
  std::vector<Move> moves;  // the moves played after the position
};

using ColorCounts = std::array<std::int32_t, Board::kMaxColorIds + 1>;

// The colour a quick game saves for last: the one with the most stones left.
int MostPlentifulColor(const ColorCounts& counts, int colorIds);
// The stones of each colour left on `board` after a move of `color` that
// removed `removed`: a bomb or rocket takes stones of any colour, so after
// one the board counts them again.
void CountAfterMove(const Board& board, int color, std::int32_t removed, ColorCounts& counts);

// A small fast random generator for the rollouts (xorshift).
struct RolloutRandom {
  std::uint64_t state;
  std::uint64_t Next() {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
  }
};

// Plays from `position` (whose moves are `moves`) to the end. The colour with
// the most stones left is saved for last: its stones are left alone while
// any other move exists, so they gather into one big group as the others go.
// That one big group is what scores, and what clears a field. On a large
// field one quick game takes long, so the stop rule is asked on the way;
// false: it said stop, and `out` holds no finished game.
bool PlayOut(Goal goal, const Board& position, std::int64_t tally, const std::vector<Move>& moves, RolloutRandom& random,
             Rollout& out, const StopRule& stop);
// The same quick game always played on Board itself: PlayOut takes it for
// the fields a PlainBoard cannot hold, and it is the reference the quick
// board's games are held against.
bool PlayOutOnBoard(Goal goal, const Board& position, std::int64_t tally, const std::vector<Move>& moves,
                    RolloutRandom& random, Rollout& out, const StopRule& stop);

}  // namespace pebble::solver

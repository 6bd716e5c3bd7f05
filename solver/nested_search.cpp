#include "solver/nested_search.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "solver/heuristic.h"
#include "solver/plain_board.h"
#include "solver/seeded_threads.h"

namespace pebble::solver {
namespace {

// The best line a level found from its position: the moves after it.
struct Found {
  std::vector<Move> moves;
  std::int64_t tally = 0;
  std::int32_t stonesLeft = 0;
  std::int64_t value = std::numeric_limits<std::int64_t>::min();
};

class Nested {
 public:
  Nested(const Board& start, NestedOptions options, const StopRule& stop, BestLine& best)
      : start_(start), options_(options), stop_(stop), best_(best), random_{options.seed * 2 + 0x9E3779B97F4A7C15ull},
        quickBoard_(PlainBoard::Fits(start)) {}

  void Run() {
    std::vector<Move> line;
    for (Found found; Level(options_.level, start_, best_.TallySoFar(), line, found);) {
    }
  }

 private:
  Goal GetGoal() const { return best_.GetGoal(); }

  // Plays from `position`, reached by `line` from the start with `tally`
  // points, to the end: at each step the move whose search of the level
  // below found the best line so far. False: stopped.
  bool Level(int level, Board position, std::int64_t tally, std::vector<Move>& line, Found& out) {
    out = Found{};
    const std::size_t before = line.size();
    std::vector<Move> moves;
    for (std::size_t played = 0;; ++played) {
      // Asked at every step, also of a position without a move, which would
      // otherwise be searched again and again without asking.
      if (stop_.Soon(position.StonesLeft()) || !position.Moves(moves, stop_.cancel)) return false;
      if (moves.empty()) break;
      for (const Move& move : moves) {
        if (!TryMove(level, position, tally, line, move, played, out)) return false;
      }
      const Move next = out.moves[played];
      tally += MoveGain(GetGoal(), position.Play(next));
      line.push_back(next);
    }
    line.resize(before);
    if (out.moves.empty()) out = {{}, tally, position.StonesLeft(), LineValue(GetGoal(), tally, position.StonesLeft())};
    return true;
  }

  // Judges one move by the level below; keeps it when its line beats the
  // best of the level, whose first `played` moves have been played.
  bool TryMove(int level, const Board& position, std::int64_t tally, std::vector<Move>& line, const Move& move,
               std::size_t played, Found& out) {
    Board child = position;
    const std::int64_t childTally = tally + MoveGain(GetGoal(), child.Play(move));
    line.push_back(move);
    Found after;
    const bool ok = level <= 1 ? QuickGame(child, childTally, line, after) : Level(level - 1, child, childTally, line, after);
    line.pop_back();
    if (!ok) return false;
    if (after.value > out.value) {
      out.moves.resize(played);
      out.moves.push_back(move);
      out.moves.insert(out.moves.end(), after.moves.begin(), after.moves.end());
      out.tally = after.tally;
      out.stonesLeft = after.stonesLeft;
      out.value = after.value;
    }
    return true;
  }

  // One quick game from the position; offered when it beats the best so far.
  bool QuickGame(const Board& position, std::int64_t tally, const std::vector<Move>& line, Found& out) {
    // The quick board finds the moves itself; the general board is given them.
    if (!quickBoard_ && !position.Moves(moves_, stop_.cancel)) return false;
    if (!PlayOut(GetGoal(), position, tally, moves_, random_, game_, stop_)) return false;
    out = {game_.moves, game_.tally, game_.stonesLeft, LineValue(GetGoal(), game_.tally, game_.stonesLeft)};
    if (out.value > best_.Value()) {
      Line whole{line, out.tally, out.stonesLeft, out.value};
      whole.moves.insert(whole.moves.end(), out.moves.begin(), out.moves.end());
      best_.Offer(whole);
    }
    return true;
  }

  const Board& start_;
  NestedOptions options_;
  const StopRule& stop_;
  BestLine& best_;
  RolloutRandom random_;
  bool quickBoard_;
  std::vector<Move> moves_;
  Rollout game_;
};

}  // namespace

void NestedSearch(const Board& start, NestedOptions options, const StopRule& stop, BestLine& best) {
  options.level = std::max(1, options.level);
  Nested(start, options, stop, best).Run();
}

void NestedWork(const Board& start, unsigned threads, const StopRule& stop, BestLine& best) {
  OnSeededThreads(threads, [&](std::uint64_t seed) { NestedSearch(start, {.seed = seed}, stop, best); });
}

}  // namespace pebble::solver

#pragma once
// The solver's answer for the player: the move to make on the field as it
// stands, and where the best line found from there ends: the game's own
// result in its count mode, what the game has scored so far included. Advice
// keeps its word: a line advised before, or the deal's best line, still open
// from the field as it stands seeds the search, so a player who follows the
// advice never ends below what it announced.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "config/game_settings.h"
#include "engine/field.h"
#include "solver/board.h"
#include "solver/goal.h"
#include "solver/line.h"

namespace pebble::solver {

struct Advice {
  bool found = false;                 // false: no move, or a field the solver cannot read
  std::int32_t fieldIndex = -1;       // the cell to click
  std::vector<std::int32_t> cells;    // the stones that move removes
  std::int32_t stonesLeft = 0;        // at the end of the best line found
  std::int64_t points = 0;            // the game's score at its end, with the bonus the count mode gives
  std::vector<std::int32_t> clicks;   // the whole line, as the cells to click one after the other
};

// A line known earlier: the board it starts on, and its clicks from there.
struct KnownLine {
  std::optional<Board> from;
  std::vector<std::int32_t> clicks;
};

// How the advice searches.
struct AdviceAsk {
  Goal goal = Goal::FewestStones;
  std::int64_t scoreSoFar = 0;  // the game's points before the field as it stands
  std::chrono::milliseconds budget{800};
  unsigned threads = 0;  // 0: one per core
  bool stopWhenCleared = false;
};

// The running game's own goal: its count mode.
Goal GoalOf(const GameSettings& settings);
// The solver's board of a field in play, or nothing when the field is not settled.
std::optional<Board> BoardOf(const Field& field, const GameSettings& settings);
// The advice of a line found from `board`; the line counts the game's points so far.
Advice AdviceOf(const Board& board, const Line& line, Goal goal);
// Where the line ends in the game's count mode: stones left in low-score
// mode, points with the bonus otherwise.
std::int64_t CountModeResult(const Advice& advice, const GameSettings& settings);

// The line that the clicks play from `start`, counting on from `tallySoFar`,
// when each is a move and they leave no move behind; nothing otherwise.
std::optional<Line> LineOfClicks(const Board& start, const std::vector<std::int32_t>& clicks, Goal goal,
                                 std::int64_t tallySoFar = 0);
// The clicks that remain of a known line at `now`, when its first moves lead
// from where it starts to `now`; nothing when the line does not pass there.
std::optional<std::vector<std::int32_t>> RestOfLine(const KnownLine& line, const Board& now);
// The best move on `now`: searched from the best of the known lines that
// still pass there, so the answer is never worse than any of them.
Advice Advise(const Board& now, const AdviceAsk& ask, const std::vector<KnownLine>& known,
              const std::atomic<bool>& cancel);

}  // namespace pebble::solver

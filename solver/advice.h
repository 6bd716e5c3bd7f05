#pragma once
// The solver's answer for the player: the move to make on the field as it
// stands, and where the best line found from there ends.

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
  std::int64_t points = 0;            // the points of that line, with the bonus the count mode gives
  std::vector<std::int32_t> clicks;   // the whole line, as the cells to click one after the other
};

// The running game's own goal: its count mode.
Goal GoalOf(const GameSettings& settings);
// The solver's board of a field in play, or nothing when the field is not settled.
std::optional<Board> BoardOf(const Field& field, const GameSettings& settings);
// The advice of a line found from `board`.
Advice AdviceOf(const Board& board, const Line& line, Goal goal);
// Where the line ends in the game's count mode: stones left in low-score
// mode, points with the bonus otherwise.
std::int64_t CountModeResult(const Advice& advice, const GameSettings& settings);

}  // namespace pebble::solver

#pragma once
// What a line of moves is worth: the running game's own count mode, or the
// scoring of the published test positions that the solver is measured on.

#include <cstdint>

namespace pebble::solver {

enum class Goal : std::uint8_t {
  FewestStones,     // low-score mode: fewest stones left, then most points
  MostPoints,       // high-score mode: most points, with the clearing bonus
  StandardScoring,  // (n - 2)² per move of n stones, 1000 for clearing the field
};

// Points a move of n stones adds to the running tally.
std::int64_t MoveGain(Goal goal, std::int32_t stones);
// The points of a finished line, with what clearing the field brings.
std::int64_t FinalPoints(Goal goal, std::int64_t tally, std::int32_t stonesLeft);
// One number that orders finished lines by the goal; larger is better.
std::int64_t LineValue(Goal goal, std::int64_t tally, std::int32_t stonesLeft);

}  // namespace pebble::solver

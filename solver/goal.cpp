#include "solver/goal.h"

#include "engine/game.h"

namespace pebble::solver {

std::int64_t MoveGain(Goal goal, std::int32_t stones) {
  if (goal == Goal::StandardScoring) return std::int64_t{stones - 2} * (stones - 2);
  return MovePoints(stones);
}

std::int64_t FinalPoints(Goal goal, std::int64_t tally, std::int32_t stonesLeft) {
  if (stonesLeft != 0) return tally;
  switch (goal) {
    case Goal::StandardScoring: return tally + 1000;
    case Goal::MostPoints: return tally + tally / 10;  // the bonus of a cleared field
    case Goal::FewestStones: return tally;              // no bonus in low-score mode
  }
  return tally;
}

std::int64_t LineValue(Goal goal, std::int64_t tally, std::int32_t stonesLeft) {
  const std::int64_t points = FinalPoints(goal, tally, stonesLeft);
  // Points never reach 2^42 (a field holds at most a million stones), so
  // each stone left outweighs any number of points.
  if (goal == Goal::FewestStones) return -(std::int64_t{stonesLeft} << 42) + points;
  return points;
}

}  // namespace pebble::solver

#pragma once
// The solver: an anytime search for the best line of moves from a position,
// on every core of the machine, within a time budget and cancellable at any
// moment. The best line found so far is the answer whenever it stops.

#include <atomic>
#include <chrono>
#include <cstdint>

#include "solver/board.h"
#include "solver/goal.h"
#include "solver/line.h"

namespace pebble::solver {

// How the solver searches: the beam for a quarter of the time, then nested
// rollout policy adaptation taught the beam's line, unless told otherwise.
// Of the searches alone, policy adaptation finds better lines in ten seconds
// on 15 x 15 deals; the beam first still proves small fields to their end.
enum class SearchKind : std::uint8_t {
  BeamThenNrpa,
  Beam,    // beams of growing width
  Nrpa,    // nested rollout policy adaptation
  Nested,  // nested Monte-Carlo search
};

struct SolveRequest {
  Goal goal = Goal::FewestStones;
  std::chrono::milliseconds budget{1000};
  unsigned threads = 0;          // 0: one per core
  bool stopWhenCleared = false;  // enough as soon as a line clears the field
  std::int64_t tallySoFar = 0;   // the game's points before the start; lines count on from them
  Line known{};                  // a line from the start known to play to the end: the answer is never worse
  // Enough once the best line has not become better for so long; zero: the whole budget.
  std::chrono::milliseconds patience{0};
  // What the budget and the patience are counted in.
  SearchClock clock = SearchClock::Wall;
  SearchKind search = SearchKind::BeamThenNrpa;
};

// Blocks until the budget is spent, `cancel` is raised, nothing better can
// exist, or (when asked) the field has been cleared or the best line has not
// improved for the request's patience. A position without a move gives an
// empty line with its value.
Line Solve(const Board& start, const SolveRequest& request, const std::atomic<bool>& cancel);
// The same, offering every better line to `best` as it is found, so that
// another thread can read the best so far while the search runs. `best`
// counts from the request's goal and points so far.
Line Solve(const Board& start, const SolveRequest& request, const std::atomic<bool>& cancel, BestLine& best);

// The threads a search uses when the request leaves it open.
unsigned SearchThreads(unsigned wanted);

}  // namespace pebble::solver

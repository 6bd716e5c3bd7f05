#pragma once
// Nested rollout policy adaptation: quick games drawn from a policy, a weight
// per move, that each level of the search pulls towards the best line its
// level below has found. Level 0 is one quick game; level n plays level n-1
// `iterations` times, keeps the best line met and adapts its policy to it
// after each. A move is known across positions by its colour and the place
// and size of its group (see MoveCode), so that the weight learnt for
// clearing a group carries over to other positions holding the same group.
// The colour with the most stones left is saved for last, as in the other
// quick games, but as a prior rather than a rule: its moves start with a
// lower weight, so that a line that must break into it early can still be
// learnt (on five deals at 3 s this found better lines than leaving them out).
//
// It is anytime: every line better than the best so far is offered at once,
// and the stop rule is asked at every step of every quick game. Once the top
// level has finished its iterations it starts again from an untaught policy
// with other random draws, until the stop rule says enough.

#include <cstdint>

#include "solver/board.h"
#include "solver/line.h"

namespace pebble::solver {

struct NrpaOptions {
  int level = 3;
  int iterations = 100;  // of each level
  double alpha = 0.5;    // how far one adaptation moves the policy
  // What saving the colour with the most stones for last costs its moves in
  // weight: at 8, one of them is drawn about as often as one three thousandth
  // of another move.
  double savedPenalty = 8.0;
  std::uint64_t seed = 0;
  // Whether each start of the top level takes the best line found so far,
  // by this search or another, as its best, and so teaches its policy that
  // line first.
  bool fromBestSoFar = false;
};

// The code a move is known by in the policy: its colour and the lowest, then
// leftmost stone of its group with the number of stones, mixed into one
// word. The same group in the same place is one move in any position; the
// group's lowest-left stone and its size tell it from the others of its
// colour about as surely as the whole set of its cells, at no cost.
std::uint64_t MoveCode(int colorId, const Move& move);

// One search, on the calling thread, until the stop rule says enough.
void NrpaSearch(const Board& start, NrpaOptions options, const StopRule& stop, BestLine& best);
// Searches of their own seed (the options' and on) on `threads` threads,
// the calling one among them, sharing only the best line.
void NrpaWork(const Board& start, unsigned threads, const StopRule& stop, BestLine& best, NrpaOptions options = {});

}  // namespace pebble::solver

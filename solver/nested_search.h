#pragma once
// Nested Monte-Carlo search: at level 1, every move of a position is judged
// by one quick game after it (the colour with the most stones saved for
// last), the move of the best game so far is played, and so on to the end;
// level n judges each move by a search of level n-1 instead. Each level
// follows the best line it has met, so it never ends below it.
//
// It is anytime: every line better than the best so far is offered at once,
// and the quick games ask the stop rule at every step. Once the top level
// has played to the end it starts again with other random draws, until the
// stop rule says enough.

#include <cstdint>

#include "solver/board.h"
#include "solver/line.h"

namespace pebble::solver {

struct NestedOptions {
  int level = 2;
  std::uint64_t seed = 0;
};

// One search, on the calling thread, until the stop rule says enough.
void NestedSearch(const Board& start, NestedOptions options, const StopRule& stop, BestLine& best);
// Searches of their own seed on `threads` threads, the calling one among
// them, sharing only the best line.
void NestedWork(const Board& start, unsigned threads, const StopRule& stop, BestLine& best);

}  // namespace pebble::solver

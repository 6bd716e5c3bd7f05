#pragma once
// Monte-Carlo beam search: from the start, layer by layer, every move of every
// kept position is played and judged by a rollout to the end; the `width`
// positions with the best rollouts are kept, one of each distinct position:
// of two orders of moves that reach it, the one with more points. Each kept position remembers the best line known through it, and its child
// on that line is judged by it, so the beam never loses the best line it has
// seen; a pass starts from the best line of the passes before it and searches
// around it. Every finished line met on the way, rollouts included, is offered.
// Threads share the work of each layer, and a pass that would not end in time
// narrows itself, so that it still ends with its best positions played out.

#include <chrono>
#include <cstdint>

#include "solver/board.h"
#include "solver/line.h"

namespace pebble::solver {

struct BeamOptions {
  int width = 1;
  std::uint64_t seed = 0;  // of the rollouts' random choices
  unsigned threads = 1;    // that share the work of each layer
  // Each thread that shares a layer has about this much work of the layer
  // before it (on the stop rule's clock); zero: every thread shares each
  // layer.
  std::chrono::nanoseconds shareAbove = std::chrono::milliseconds(4);
};

enum class PassEnd {
  Stopped,     // by the stop rule, before the beam ran out of moves
  Finished,    // every kept position played to its end
  Exhaustive,  // and no position was dropped but for fewer points: the best line has been seen
};

PassEnd BeamPass(const Board& start, BeamOptions options, const StopRule& stop, BestLine& best);

}  // namespace pebble::solver

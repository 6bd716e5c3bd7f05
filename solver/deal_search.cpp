#include "solver/deal_search.h"

#include "solver/solver.h"

#include <thread>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace pebble::solver {
namespace {

// The search's beams are freed when it ends, but the C library keeps freed
// memory for later; the game gives it back, as it will not need it soon.
void GiveBackMemory() {
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
}

}  // namespace

unsigned BackgroundThreads() {
  const unsigned cores = std::thread::hardware_concurrency();  // 0 when unknown
  return cores > 1 ? cores - 1 : 1;
}

std::optional<Line> LineOfClicks(const Board& start, const std::vector<std::int32_t>& clicks, Goal goal) {
  Board board = start;
  Line line;
  for (const std::int32_t click : clicks) {
    const std::optional<Move> move = board.MoveAtFieldIndex(click);
    if (!move) return std::nullopt;
    line.moves.push_back(*move);
    line.tally += MoveGain(goal, board.Play(*move));
  }
  if (!board.Moves().empty()) return std::nullopt;  // the game would still run
  line.stonesLeft = board.StonesLeft();
  line.value = LineValue(goal, line.tally, line.stonesLeft);
  return line;
}

void DealSearch::Start(const Board& start, Goal goal, Limits limits, const std::vector<std::int32_t>& known) {
  Forget();
  start_ = start;
  goal_ = goal;
  known_ = LineOfClicks(start, known, goal).value_or(Line{});
  const SolveRequest request{goal, limits.budget, limits.threads > 0 ? limits.threads : BackgroundThreads(), false};
  // Nobody waits for it while the game runs: it yields to the game and to
  // whatever else the player runs.
  runner_.Start(
      [request, board = start](const std::atomic<bool>& cancel) {
        Line found = Solve(board, request, cancel);
        GiveBackMemory();
        return found;
      },
      Priority::Idle);
}

void DealSearch::Stop() {
  // The search is anytime: stopped, it answers with the best line so far.
  const std::optional<Line> found = runner_.Stop();
  if (!found) return;
  const Line& better = known_.value > found->value ? known_ : *found;
  Advice advice = AdviceOf(*start_, better, goal_);
  if (advice.found) best_ = std::move(advice);
}

void DealSearch::Forget() {
  runner_.Cancel();
  start_.reset();
  known_ = {};
  best_.reset();
}

}  // namespace pebble::solver

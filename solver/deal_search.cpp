#include "solver/deal_search.h"

#include "solver/solver.h"

#if defined(__linux__)
#include <sys/resource.h>
#include <unistd.h>
#endif
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace pebble::solver {
namespace {

// The search yields to the game and to whatever else the player runs.
void YieldToTheGame() {
#if defined(__linux__)
  // A Linux thread has a nice value of its own, and the threads it starts inherit it.
  setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
#elif defined(_WIN32)
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
#endif
}

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
  cancel_ = false;
  worker_ = std::thread([this, request, board = start] {
    YieldToTheGame();
    found_ = Solve(board, request, cancel_);
    GiveBackMemory();
  });
}

void DealSearch::Stop() {
  if (!worker_.joinable()) return;
  cancel_ = true;  // the search is anytime: it answers with the best line so far
  worker_.join();
  const Line& better = known_.value > found_.value ? known_ : found_;
  Advice advice = AdviceOf(*start_, better, goal_);
  if (advice.found) best_ = std::move(advice);
}

void DealSearch::Forget() {
  cancel_ = true;
  if (worker_.joinable()) worker_.join();
  start_.reset();
  known_ = {};
  found_ = {};
  best_.reset();
}

}  // namespace pebble::solver

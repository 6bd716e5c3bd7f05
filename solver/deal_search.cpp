#include "solver/deal_search.h"

#include "solver/solver.h"


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

// The search of the deal from its start, offering its lines to `progress`,
// giving its memory back at the end.
BackgroundRunner<Line>::Job SearchOf(const Board& start, SolveRequest request, std::shared_ptr<BestLine> progress) {
  return [start, request, progress](const std::atomic<bool>& cancel) {
    Line found = Solve(start, request, cancel, *progress);
    GiveBackMemory();
    return found;
  };
}

}  // namespace

void DealSearch::Start(const Board& start, Goal goal, Limits limits, const std::vector<std::int32_t>& known) {
  Forget();
  start_ = start;
  goal_ = goal;
  limits_ = limits;
  known_ = LineOfClicks(start, known, goal).value_or(Line{});
  progress_ = std::make_shared<BestLine>(goal);
  if (limits.budget > std::chrono::milliseconds(0)) {
    // At idle priority it takes what the player leaves: counted in CPU time,
    // a busy machine does not make it give up before it has searched.
    const SolveRequest request{.goal = goal,
                               .budget = limits.budget,
                               .threads = 1,
                               .patience = limits.patience,
                               .clock = SearchClock::ProgramCpu};
    runner_.Start(SearchOf(start, request, progress_), Priority::Idle);
  }
}

bool DealSearch::Finish(const Ready& ready) {
  if (!start_) return true;
  // The search is anytime: stopped, it answers with the best line so far.
  if (std::optional<Line> found = runner_.Stop()) Keep(*found);
  Keep(known_);
  if (best_ || searchedOn_) return true;
  searchedOn_ = true;
  runner_.Start(SearchOf(*start_, {.goal = goal_, .budget = limits_.searchOn}, progress_), Priority::Normal, ready);
  return false;
}

void DealSearch::Collect(Ticket ticket) {
  if (std::optional<Line> found = runner_.Take(ticket)) Keep(*found);
}

void DealSearch::Keep(const Line& found) {
  if (found.value <= kept_.value) return;
  kept_ = found;
  Advice advice = AdviceOf(*start_, kept_, goal_);
  if (advice.found) best_ = std::move(advice);
}

KnownLine DealSearch::BestSoFar() const {
  if (!start_) return {};
  Line line = kept_;
  if (progress_) {
    Line running = progress_->Get();
    if (running.value > line.value) line = std::move(running);
  }
  if (known_.value > line.value) line = known_;
  if (!line.Found()) return {};
  return {start_, AdviceOf(*start_, line, goal_).clicks};
}

void DealSearch::Forget() {
  runner_.Cancel();
  progress_.reset();
  start_.reset();
  known_ = {};
  kept_ = {};
  searchedOn_ = false;
  best_.reset();
}

}  // namespace pebble::solver

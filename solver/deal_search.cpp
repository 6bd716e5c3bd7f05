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

// The search of the deal from its start, giving its memory back at the end.
BackgroundRunner<Line>::Job SearchOf(const Board& start, SolveRequest request) {
  return [start, request](const std::atomic<bool>& cancel) {
    Line found = Solve(start, request, cancel);
    GiveBackMemory();
    return found;
  };
}

}  // namespace

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
  limits_ = limits;
  known_ = LineOfClicks(start, known, goal).value_or(Line{});
  if (limits.budget > std::chrono::milliseconds(0))
    runner_.Start(SearchOf(start, {goal, limits.budget, 1, false}), Priority::Idle);
}

bool DealSearch::Finish(const Ready& ready) {
  if (!start_) return true;
  // The search is anytime: stopped, it answers with the best line so far.
  if (std::optional<Line> found = runner_.Stop()) Keep(*found);
  Keep(known_);
  if (best_ || searchedOn_) return true;
  searchedOn_ = true;
  runner_.Start(SearchOf(*start_, {goal_, limits_.searchOn, 0, false}), Priority::Normal, ready);
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

void DealSearch::Forget() {
  runner_.Cancel();
  start_.reset();
  known_ = {};
  kept_ = {};
  searchedOn_ = false;
  best_.reset();
}

}  // namespace pebble::solver

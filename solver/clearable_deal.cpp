#include "solver/clearable_deal.h"

#include "solver/advice.h"
#include "solver/solver.h"

namespace pebble::solver {
namespace {

// The line that clears the deal's field, or none found within the time.
std::vector<std::int32_t> ClearingClicks(const Field& field, const GameSettings& settings,
                                         std::chrono::milliseconds budget, const std::atomic<bool>& cancel) {
  const std::optional<Board> board = BoardOf(field, settings);
  if (!board) return {};
  const Line line = Solve(*board, {.goal = Goal::FewestStones, .budget = budget, .stopWhenCleared = true}, cancel);
  if (!line.Found() || line.stonesLeft != 0) return {};
  return AdviceOf(*board, line, Goal::FewestStones).clicks;
}

}  // namespace

ClearableDeal SeekClearableDeal(const GameSettings& settings, FieldSize size, DealNumber first, DealPatience patience,
                                const std::atomic<bool>& cancel) {
  const auto giveUp = std::chrono::steady_clock::now() + patience.total;
  ClearableDeal deal;
  deal.dealNumber = first;
  for (;;) {
    ++deal.dealsTried;
    deal.clicks = ClearingClicks(DealField(deal.dealNumber, settings, size), settings, patience.perDeal, cancel);
    deal.cleared = !deal.clicks.empty();
    if (deal.cleared || cancel || std::chrono::steady_clock::now() >= giveUp) return deal;
    deal.dealNumber = deal.dealNumber % kLastDealNumber + 1;
  }
}

}  // namespace pebble::solver

#include "solver/clearable_deal.h"

#include "solver/advice.h"
#include "solver/solver.h"

namespace pebble::solver {
namespace {

// The line that clears the game's field, or none found within the time.
std::vector<std::int32_t> ClearingClicks(const Game& game, const GameSettings& settings, std::chrono::milliseconds budget) {
  const std::optional<Board> board = BoardOf(game.GetField(), settings);
  if (!board) return {};
  const std::atomic<bool> never{false};
  const Line line = Solve(*board, {Goal::FewestStones, budget, 0, true}, never);
  if (!line.Found() || line.stonesLeft != 0) return {};
  return AdviceOf(*board, line, Goal::FewestStones).clicks;
}

}  // namespace

ClearableDeal DealClearableField(Game& game, const GameSettings& settings, FieldSize size, DealPatience patience) {
  const auto giveUp = std::chrono::steady_clock::now() + patience.total;
  ClearableDeal deal;
  for (;;) {
    std::optional<DealNumber> next;
    if (deal.dealsTried > 0) next = deal.dealNumber % kLastDealNumber + 1;
    game.NewField(settings, size, next);
    deal.dealNumber = game.Deal().value_or(0);
    ++deal.dealsTried;
    deal.clicks = ClearingClicks(game, settings, patience.perDeal);
    deal.cleared = !deal.clicks.empty();
    if (deal.cleared || std::chrono::steady_clock::now() >= giveUp) break;
  }
  return deal;
}

}  // namespace pebble::solver

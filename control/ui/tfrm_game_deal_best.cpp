// "Best found for this deal": while a game is played, the solver searches its
// deal from the start in the background; when the game ends, the statistics
// window sets the best line it found beside the player's result, and B says
// the same in the status bar. Games with the ramp are left out: stones that
// fall from it are not part of the deal.

#include "control/ui/tfrm_game.h"
#include "scores/ui/tfrm_stats.h"

namespace pebble::ui {
namespace {

constexpr int kMsgDealBest = 877;
// Long enough for a strong line on large fields; then the search rests with it.
constexpr solver::DealSearch::Limits kDealSearchLimits{std::chrono::seconds(20), 0};

}  // namespace

void TfrmGame::StartDealSearch() {
  HideDealBest();
  dealSearch_.Forget();
  if (game_.Settings().autoDrop) return;
  const std::optional<solver::Board> start = solver::BoardOf(game_.GetField(), game_.Settings());
  if (!start) return;  // a field the solver cannot read has nothing to compare with
  dealSearch_.Start(*start, solver::GoalOf(game_.Settings()), kDealSearchLimits, clearingLine_);
}

void TfrmGame::CompareWithDealBest(std::int32_t result) {
  dealSearch_.Stop();
  const std::optional<solver::Advice>& best = dealSearch_.Best();
  if (!best) return;
  dealBest_ = DealComparison{game_.Settings().lowScore, solver::CountModeResult(*best, game_.Settings()), result};
  if (stats_) stats_->ShowDealComparison(dealBest_);
}

void TfrmGame::HideDealBest() {
  dealBest_.reset();
  if (stats_) stats_->ShowDealComparison(std::nullopt);
}

void TfrmGame::ShowDealBestMessage() {
  if (!dealBest_) return;
  const DealComparison comparison = *dealBest_;
  ShowMessageWith(kMsgDealBest, [comparison](int languageOffset) { return DealComparisonText(comparison, languageOffset); });
}

}  // namespace pebble::ui

// Dealing a new game's field: at random, or, with the option, only a deal
// that the solver has cleared before the game starts.

#include "control/ui/tfrm_game.h"
#include "solver/clearable_deal.h"

namespace pebble::ui {
namespace {

// Keeps a new game on the default field well under half a second; larger
// fields with many colours may need several deals, and get a few seconds.
constexpr solver::DealPatience kDealPatience{std::chrono::milliseconds(150), std::chrono::milliseconds(3000)};

}  // namespace

void TfrmGame::DealField(const GameSettings& settings, FieldSize size, std::optional<DealNumber> asked) {
  clearingLine_.clear();
  dealUnproven_ = false;
  // A deal number the player asked for is played as it is.
  if (!settings.clearableDeals || asked) {
    game_.NewField(settings, size, asked);
    return;
  }
  const solver::ClearableDeal deal = solver::DealClearableField(game_, settings, size, kDealPatience);
  clearingLine_ = deal.clicks;
  dealUnproven_ = !deal.cleared;
}

}  // namespace pebble::ui

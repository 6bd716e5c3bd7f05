// Dealing a new game's field: at random, or, with the option, only a deal
// that the solver has cleared before the game starts. That search runs in
// the background; the window stays responsive and says it is dealing.

#include <QMetaObject>

#include "control/ui/tfrm_game.h"

namespace pebble::ui {
namespace {

constexpr int kMsgDealing = 890;
// Keeps a new game on the default field well under half a second; larger
// fields with many colours may need several deals, and get a few seconds.
constexpr solver::DealPatience kDealPatience{std::chrono::milliseconds(150), std::chrono::milliseconds(3000)};

}  // namespace

bool TfrmGame::DealField(const GameSettings& settings, FieldSize size, std::optional<DealNumber> asked,
                         std::function<void()> dealt) {
  dealer_.Cancel();
  clearingLine_.clear();
  dealUnproven_ = false;
  // The first deal tried is a random one; a deal number the player asked for is played as it is.
  game_.NewField(settings, size, asked);
  if (!settings.clearableDeals || asked) return false;
  auto seek = [settings, size, first = *game_.Deal()](const std::atomic<bool>& cancel) {
    return solver::SeekClearableDeal(settings, size, first, kDealPatience, cancel);
  };
  dealer_.Start(std::move(seek), solver::Priority::Low, [this, dealt = std::move(dealt)](ClearableDealer::Ticket ticket) {
    QMetaObject::invokeMethod(this, [this, ticket, dealt] { TakeClearableDeal(ticket, dealt); }, Qt::QueuedConnection);
  });
  ShowMessage(kMsgDealing);
  return true;
}

void TfrmGame::TakeClearableDeal(ClearableDealer::Ticket ticket, const std::function<void()>& dealt) {
  const std::optional<solver::ClearableDeal> deal = dealer_.Take(ticket);
  if (!deal) return;  // dealing was given up for another game or the close
  try {
    const Field& field = game_.GetField();
    game_.NewField(game_.Settings(), {field.Columns(), field.Rows()}, deal->dealNumber);
    clearingLine_ = deal->clicks;
    dealUnproven_ = !deal->cleared;
    dealt();
  } catch (const std::exception&) {
    SetUpFailed();
  }
}

}  // namespace pebble::ui

// Best-move advice: B asks the solver for the best move on the field as it
// stands; the answer rings the move's stones for a moment and says where the
// best line found ends. Any move, undo, new game or close cancels a search.

#include "config/string_table.h"
#include "control/ui/paint_box.h"
#include "control/ui/status_main.h"
#include "control/ui/tfrm_game.h"
#include "solver/ui/advice_overlay.h"
#include "solver/ui/advisor.h"

namespace pebble::ui {
namespace {

constexpr int kMsgSearching = 870, kMsgAdviceStones = 871, kMsgAdvicePoints = 872, kMsgNoAdvice = 873;
// The answer comes within a second on the default field, threads started and all.
constexpr std::chrono::milliseconds kAdviceBudget{800};

}  // namespace

void TfrmGame::CreateAdvisor() {
  advisor_ = new Advisor(this);
  advisor_->onAdvice = [this](const solver::Advice& advice) { ShowAdvice(advice); };
  adviceOverlay_ = new AdviceOverlay(imgMain_);
}

void TfrmGame::AskForAdvice() {
  if (game_.SettingUp() || game_.MoveInProgress()) return;
  if (!game_.GameRunning()) {
    ShowDealBestMessage();  // after the end, B tells how the game compares with the best found
    return;
  }
  CancelAdvice();
  lastAdvice_ = {};
  ShowMessageNow(kMsgSearching);
  adviceAskedOn_ = game_.GetField().Cells();
  advisor_->Ask(game_.GetField(), game_.Settings(), kAdviceBudget);
}

void TfrmGame::ShowAdvice(const solver::Advice& advice) {
  // A ramp stone may have landed meanwhile: advice for another field is none.
  if (game_.GetField().Cells() != adviceAskedOn_) {
    if (messageId_ == kMsgSearching) ClearMessage();
    return;
  }
  lastAdvice_ = advice;
  if (!advice.found) {
    ShowMessage(kMsgNoAdvice);
    return;
  }
  const Field& field = game_.GetField();
  adviceOverlay_->ShowCells(advice.cells, field.Columns(), {field.StoneWidth(), field.StoneHeight()});
  const int id = game_.Settings().lowScore ? kMsgAdviceStones : kMsgAdvicePoints;
  const std::string figure = std::to_string(solver::CountModeResult(advice, game_.Settings()));
  ShowMessageWith(id, [id, figure](int languageOffset) { return FormatText(id, languageOffset, {figure}); });
}

void TfrmGame::CancelAdvice() {
  if (!advisor_) return;
  advisor_->Cancel();
  adviceOverlay_->Clear();
  if (messageId_ == kMsgSearching) ClearMessage();
}

}  // namespace pebble::ui

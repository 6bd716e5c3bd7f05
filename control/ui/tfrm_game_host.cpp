// How the rules and the count-down reach the main window in the middle of
// their work: messages, sounds, counts, animations, the result of a game, and
// the clock started on the first paint, paused and stopped with the game.

#include <QApplication>
#include <QTimer>
#include <utility>

#include "config/string_ids.h"
#include "config/string_table.h"
#include "config/ui/wave_player.h"
#include "control/ui/field_view.h"
#include "control/ui/group_preview.h"
#include "control/ui/keyboard_play.h"
#include "control/ui/ramp_view.h"
#include "control/ui/prompter.h"
#include "control/ui/status_main.h"
#include "control/ui/tfrm_game.h"
#include "control/ui/tool_button.h"
#include "engine/ui/animator.h"
#include "scores/ui/tfrm_count_down.h"
#include "scores/ui/tfrm_stats.h"

namespace pebble::ui {

QString TfrmGame::CurrentMessage() const { return statusMain_->PanelText(3); }

void TfrmGame::ShowMessage(int stringId) {
  messageId_ = stringId;
  messageText_ = nullptr;
  statusMain_->SetPanelText(3, Str(stringId));
  ProcStatusBarDescription();
}

void TfrmGame::ShowMessageWith(int stringId, std::function<std::string(int languageOffset)> text) {
  messageId_ = stringId;
  messageText_ = std::move(text);
  statusMain_->SetPanelText(3, QString::fromStdString(messageText_(LanguageOffset())));
  ProcStatusBarDescription();
}

void TfrmGame::ShowDealComparison(const std::optional<DealComparison>& comparison) {
  if (stats_) stats_->ShowDealComparison(comparison);
}

void TfrmGame::ShowMessageNow(int stringId) {
  ShowMessage(stringId);
  statusMain_->RepaintNow();
}

void TfrmGame::ClearMessage() {
  messageId_ = -1;
  messageText_ = nullptr;
  statusMain_->SetPanelText(3, QString());
  ProcStatusBarDescription();
}

void TfrmGame::PlaySound(std::string_view name) {
  // The audio output opens with the first sound, never on the way to the first game.
  if (!sounds_->HasSink()) sounds_->SetSink(MakePlatformSoundSink());
  sounds_->PlayWave(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

void TfrmGame::Beep() { QApplication::beep(); }

void TfrmGame::ShowCounts() {
  const FieldCounters& c = game_.Counters();
  statusMain_->SetPanelText(0, QString::number(c.CellCount));
  statusMain_->SetPanelText(1, QString::number(c.StonesLeft));
  statusMain_->SetPanelText(2, QString::number(game_.Settings().lowScore ? c.MovableStones : game_.Score()));
  ProcStatusBarDescription();
}

void TfrmGame::SetWaitCursor(bool waiting) {
  if (waiting) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
  }
}

void TfrmGame::FieldTooltipsOff() {
  fieldHintsOn_ = false;
  ApplyFieldHints();
}

void TfrmGame::ApplyFieldHints() {
  imgMain_->setToolTip(fieldHintsOn_ ? Str(kFieldHint) : QString());
  imgRamp_->setToolTip(fieldHintsOn_ ? Str(kRampHint) : QString());
}


void TfrmGame::DeleteAnimation(const RemovalList& runs) {
  preview_->Clear();
  imgMain_->GetAnimator().DeleteAnimation(game_.GetField(), runs, game_.Settings().aniIntervalDelete);
}

void TfrmGame::FallAnimation(const FallList& stacks) {
  preview_->Clear();
  imgMain_->GetAnimator().FallAnimation(game_.GetField(), stacks, game_.Settings().aniIntervalMoveStone);
}

void TfrmGame::ColumnAnimation(const GapList& gaps) {
  preview_->Clear();
  imgMain_->GetAnimator().ColumnAnimation(game_.GetField(), gaps, game_.Settings().aniIntervalMoveRow);
}

void TfrmGame::DrawWholeField() {
  if (game_.SettingUp()) return;
  imgMain_->DrawWholeField(game_.GetField(), DrawFlags{game_.Busy(), false, false});
  keys_->FieldRedrawn();
  preview_->Refresh();
}

void TfrmGame::UndoAvailable(bool available) { Button(bttUndo)->setEnabled(available); }

void TfrmGame::BestMoveRaised(std::int32_t bestMove) {
  if (stats_) stats_->RaiseBestMove(bestMove);
}

void TfrmGame::StopCountDown() {
  if (countDown_) countDown_->StopCountDown();
}

void TfrmGame::ShowClearingBonus(std::int32_t bonus) {
  CurrentPrompter().Information(this, QString::fromStdString(FormatText(kClearedBonus, LanguageOffset(), {std::to_string(bonus)})));
}

void TfrmGame::RecordResult(std::int32_t result) {
  CreateStats();
  const FieldCounters& c = game_.Counters();
  const std::optional<SavedGameTie> tie = session_.Tie();
  stats_->RecordResult(game_.Settings(), GameResult{c.StonesLeft, game_.Score(), c.CellCount, aided_}, tie ? &*tie : nullptr);
  solver_->GameEnded(result);
}

void TfrmGame::ResultRestored(std::int32_t result) { solver_->GameEnded(result); }

// --- the count-down ---------------------------------------------------------

void TfrmGame::imgMainPaint() {
  if (afterFirstPaint_) QTimer::singleShot(0, this, std::exchange(afterFirstPaint_, {}));
  if (!firstPaintPending_ || game_.SettingUp() || !game_.Settings().autoDrop) return;
  firstPaintPending_ = false;
  // Windows are not shown from inside a paint: the clock starts right after it.
  QTimer::singleShot(0, this, [this, game = setUpCount_] {
    if (game == setUpCount_ && !gate_.IsShutDown()) StartCountDownOnFirstPaint();
  });
}

void TfrmGame::StartCountDownOnFirstPaint() {
  if (!countDown_) countDown_ = std::make_unique<TfrmCountDown>(*this, store_);
  countDown_->show();
  raise();
  activateWindow();
  countDown_->StartCountDown();
}

void TfrmGame::Suspend() {
  if (game_.Settings().autoDrop && countDown_) countDown_->Suspend();
}

void TfrmGame::SetDropTimerEnabled(bool enabled) { imgRamp_->SetDropTimerEnabled(enabled); }

void TfrmGame::ShowBoardAndRamp(bool visible) {
  imgMain_->setVisible(visible);
  imgRamp_->setVisible(visible && imgRamp_->GetRamp() != nullptr);
}

void TfrmGame::DisableUndo() { Button(bttUndo)->setEnabled(false); }

void TfrmGame::RecordCurrentResult() {
  RecordResult(game_.Settings().lowScore ? game_.Counters().StonesLeft : game_.Score());
}

}  // namespace pebble::ui

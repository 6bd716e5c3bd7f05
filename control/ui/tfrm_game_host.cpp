// How the rules reach the main window in the middle of their work.

#include <QApplication>

#include "config/string_table.h"
#include "config/ui/wave_player.h"
#include "control/ui/paint_box.h"
#include "control/ui/prompter.h"
#include "control/ui/status_main.h"
#include "control/ui/tfrm_game.h"
#include "control/ui/tool_button.h"
#include "engine/ui/animator.h"
#include "scores/ui/tfrm_count_down.h"
#include "scores/ui/tfrm_stats.h"
#include "control/saved_game_file.h"

namespace pebble::ui {

QString TfrmGame::CurrentMessage() const { return statusMain_->PanelText(3); }

void TfrmGame::ShowMessage(int stringId) {
  messageId_ = stringId;
  messageText_ = nullptr;
  statusMain_->SetPanelText(3, Str(stringId));
}

void TfrmGame::ShowMessageWith(int stringId, std::function<std::string(int languageOffset)> text) {
  messageId_ = stringId;
  messageText_ = std::move(text);
  statusMain_->SetPanelText(3, QString::fromStdString(messageText_(LanguageOffset())));
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
  imgMain_->setToolTip(fieldHintsOn_ ? Str(206) : QString());
  imgRamp_->setToolTip(fieldHintsOn_ ? Str(207) : QString());
}


void TfrmGame::DeleteAnimation(const RemovalList& runs) {
  animator_->DeleteAnimation(game_.GetField(), runs, game_.Settings().aniIntervalDelete);
}

void TfrmGame::FallAnimation(const FallList& stacks) {
  animator_->FallAnimation(game_.GetField(), stacks, game_.Settings().aniIntervalMoveStone);
}

void TfrmGame::ColumnAnimation(const GapList& gaps) {
  animator_->ColumnAnimation(game_.GetField(), gaps, game_.Settings().aniIntervalMoveRow);
}

void TfrmGame::DrawWholeField() {
  if (game_.SettingUp()) return;
  painter_.DrawWholeField(game_.GetField(), DrawFlags{game_.Busy(), false, false});
  imgMain_->update();
  // Stones have fallen or columns closed: the cursor stays on a stone.
  cursor_.KeepOnStone(game_.GetField());
  ShowCursorFrame();
}

void TfrmGame::UndoAvailable(bool available) { Button(bttUndo)->setEnabled(available); }

void TfrmGame::BestMoveRaised(std::int32_t bestMove) {
  if (stats_) stats_->RaiseBestMove(bestMove);
}

void TfrmGame::StopCountDown() {
  if (countDown_) countDown_->StopCountDown();
}

void TfrmGame::ShowClearingBonus(std::int32_t bonus) {
  CurrentPrompter().Information(this, QString::fromStdString(FormatText(64, LanguageOffset(), {std::to_string(bonus)})));
}

void TfrmGame::RecordResult(std::int32_t result) {
  CreateStats();
  const FieldCounters& c = game_.Counters();
  SavedGameTie tie;
  if (FileGame_) {
    tie.fileName = PathFromUtf8(GameFileName_);
    tie.playerHistoryOffset = playerHistoryOffset_;
    const ParsedSavedGame parsed = ReadGameFile(tie.fileName);
    if (parsed.status == SavedGameStatus::Ok) tie.gameHeader = GameHeaderOf(parsed.game);
  }
  stats_->RecordResult(game_.Settings(), GameResult{c.StonesLeft, game_.Score(), c.CellCount}, FileGame_ ? &tie : nullptr);
  solver_->GameEnded(result);
}

}  // namespace pebble::ui

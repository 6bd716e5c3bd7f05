// The main window's side of auto-drop games: the ramp drawn and timed, and
// the count-down clock started, paused and stopped with the game.

#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <utility>

#include "control/ui/paint_box.h"
#include "control/ui/prompter.h"
#include "control/ui/tfrm_game.h"
#include "control/ui/tool_button.h"
#include "engine/ui/animator.h"
#include "scores/ui/tfrm_count_down.h"

namespace pebble::ui {

DrawFlags TfrmGame::Flags() const {
  return DrawFlags{game_.Busy(), false, ramp_ && ramp_->DroppingStone()};
}

void TfrmGame::SetUpRamp(int rampHeight) {
  ramp_.reset();
  rampImage_ = QImage();
  TimerDrop.stop();
  TimerDrop.setInterval(game_.Settings().dropInterval);
  if (!game_.Settings().autoDrop) return;
  ramp_ = std::make_unique<Ramp>(game_, *this, *this, ProgramRandom());
  rampImage_ = painter_.NewCanvas(QSize(imgMain_->width(), rampHeight));
  imgRamp_->SetImage(&rampImage_);
  RampPaint();
}

void TfrmGame::RampPaint() {
  if (!ramp_ || rampImage_.isNull()) return;
  // The ramp wears the colour of the picture's corner, so it belongs to the field.
  const QImage& background = painter_.BackgroundBitmap();
  const QColor colour = background.width() > 1 && background.height() > 1 ? QColor(background.pixel(1, 1)) : Qt::gray;
  {
    QPainter p(&rampImage_);
    p.fillRect(rampImage_.rect(), colour);
    p.setPen(Qt::black);
    p.drawLine(0, imgRamp_->height() - 1, imgRamp_->width(), imgRamp_->height() - 1);
  }
  for (const RampStone& stone : ramp_->RampStones()) DrawRampStone(stone.PseudoCell());
  imgRamp_->update();
}

void TfrmGame::DrawRampStone(const TStoneCell& pseudoCell) {
  const int w = game_.Settings().stoneWidth, h = game_.Settings().stoneHeight;
  painter_.DrawStone(game_.GetField(), pseudoCell, 0, rampImage_, 0, DrawFlags{game_.Busy(), true, false});
  if (game_.Settings().traceOutline && pseudoCell.Kind == skNormal) {
    QPainter p(&rampImage_);
    p.setPen(Qt::black);
    p.drawRect(pseudoCell.Left, 1, w - 1, h - 1);
  }
  imgRamp_->update(QRect(pseudoCell.Left, 0, w, h + 2));
}

void TfrmGame::EraseRampStone(std::int32_t left) {
  const int w = game_.Settings().stoneWidth, h = game_.Settings().stoneHeight;
  const QImage& background = painter_.BackgroundBitmap();
  QPainter p(&rampImage_);
  p.fillRect(QRect(left, 0, w, h + 1), QColor(background.pixel(1, 1)));
  imgRamp_->update(QRect(left, 0, w, h + 1));
}

void TfrmGame::DropAnimation(std::int32_t landingIndex) {
  animator_->DropAnimation(game_.GetField(), landingIndex, game_.Settings().aniIntervalDrop, Flags());
}

void TfrmGame::DrawCell(std::int32_t index) {
  const Field& field = game_.GetField();
  painter_.DrawStone(field, field[index], 0, painter_.Surface(), 0, Flags());
  imgMain_->update(QRect(field[index].Left, field[index].Top, field.StoneWidth() + 1, field.StoneHeight() + 1));
}

void TfrmGame::ShowFailure(std::string_view text) {
  CurrentPrompter().Error(this, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

// The ramp is inside its step or drop: the new game comes once that has returned.
void TfrmGame::RequestNewGame() { bttStartClick(); }

void TfrmGame::imgRampMouseDown(QPoint at) {
  if (!ramp_ || game_.SettingUp()) return;
  solver_->CancelAdvice();  // a dropped stone changes the field
  Settle([&] { ramp_->DropTheStoneClick(at.x(), at.y()); });
}

void TfrmGame::DoDropStones() {
  if (!ramp_ || game_.SettingUp()) return;
  Settle([&] { ramp_->DoDropStones(); });
}

// --- the count-down ---------------------------------------------------------

void TfrmGame::imgMainPaint() {
  if (afterFirstPaint_) QTimer::singleShot(0, this, std::exchange(afterFirstPaint_, {}));
  if (!firstPaintPending_ || game_.SettingUp() || !game_.Settings().autoDrop) return;
  firstPaintPending_ = false;
  // Windows are not shown from inside a paint: the clock starts right after it.
  QTimer::singleShot(0, this, [this, game = setUpCount_] {
    if (game == setUpCount_ && !shutDown_) StartCountDownOnFirstPaint();
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

void TfrmGame::SetDropTimerEnabled(bool enabled) {
  if (enabled && ramp_) {
    TimerDrop.start();
  } else {
    TimerDrop.stop();
  }
}

void TfrmGame::ShowBoardAndRamp(bool visible) {
  imgMain_->setVisible(visible);
  imgRamp_->setVisible(visible && ramp_ != nullptr);
}

void TfrmGame::DisableUndo() { Button(bttUndo)->setEnabled(false); }

void TfrmGame::RecordCurrentResult() {
  RecordResult(game_.Settings().lowScore ? game_.Counters().StonesLeft : game_.Score());
}

}  // namespace pebble::ui

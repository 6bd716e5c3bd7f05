#include "control/ui/ramp_view.h"

#include <QPainter>

#include "control/command_gate.h"
#include "control/ui/field_view.h"
#include "control/ui/prompter.h"
#include "engine/ui/animator.h"

namespace pebble::ui {

RampView::RampView(Game& game, GameHost& gameHost, FieldView& field, CommandGate& gate, QWidget* parent)
    : PaintBox(parent), game_(game), gameHost_(gameHost), field_(field), gate_(gate) {
  dropTimer_.setInterval(300);
  connect(&dropTimer_, &QTimer::timeout, this, &RampView::DoDropStones);
}

RampView::~RampView() = default;

DrawFlags RampView::Flags() const { return DrawFlags{game_.Busy(), false, ramp_ && ramp_->DroppingStone()}; }

void RampView::SetUp(int height) {
  ramp_.reset();
  image_ = QImage();
  dropTimer_.stop();
  dropTimer_.setInterval(game_.Settings().dropInterval);
  if (!game_.Settings().autoDrop) return;
  ramp_ = std::make_unique<Ramp>(game_, gameHost_, *this, ProgramRandom());
  rampSize_ = QSize(field_.ImageSize().width(), height);
  Rescaled();
}

void RampView::Rescaled() {
  if (!ramp_) return;
  image_ = field_.Painter().NewCanvas(rampSize_);
  SetImage(&image_);
  RampPaint();
}

void RampView::Free() {
  dropTimer_.stop();
  ramp_.reset();
}

void RampView::RampPaint() {
  if (!ramp_ || image_.isNull()) return;
  // The ramp wears the colour of the picture's corner, so it belongs to the field.
  const QImage& background = field_.Painter().BackgroundBitmap();
  const QColor colour = background.width() > 1 && background.height() > 1 ? QColor(background.pixel(1, 1)) : Qt::gray;
  SetBandColor(colour);
  {
    QPainter p(&image_);
    p.fillRect(image_.rect(), colour);
    p.setPen(Qt::black);
    p.drawLine(0, rampSize_.height() - 1, rampSize_.width(), rampSize_.height() - 1);
  }
  for (const RampStone& stone : ramp_->RampStones()) DrawRampStone(stone.PseudoCell());
  update();
}

void RampView::DrawRampStone(const TStoneCell& pseudoCell) {
  const int w = game_.Settings().stoneWidth, h = game_.Settings().stoneHeight;
  field_.Painter().DrawStone(game_.GetField(), pseudoCell, 0, image_, 0, DrawFlags{game_.Busy(), true, false});
  if (game_.Settings().traceOutline && pseudoCell.Kind == skNormal) {
    QPainter p(&image_);
    p.setPen(Qt::black);
    p.drawRect(pseudoCell.Left, 1, w - 1, h - 1);
  }
  UpdateField(QRect(pseudoCell.Left, 0, w, h + 2));
}

void RampView::EraseRampStone(std::int32_t left) {
  const int w = game_.Settings().stoneWidth, h = game_.Settings().stoneHeight;
  const QImage& background = field_.Painter().BackgroundBitmap();
  QPainter p(&image_);
  p.fillRect(QRect(left, 0, w, h + 1), QColor(background.pixel(1, 1)));
  UpdateField(QRect(left, 0, w, h + 1));
}

void RampView::DropAnimation(std::int32_t landingIndex) {
  field_.GetAnimator().DropAnimation(game_.GetField(), landingIndex, game_.Settings().aniIntervalDrop, Flags());
}

void RampView::DrawCell(std::int32_t index) { field_.DrawCell(game_.GetField(), index, Flags()); }

void RampView::ShowFailure(std::string_view text) {
  CurrentPrompter().Error(window(), QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

// The ramp is inside its step or drop: the new game comes once that has returned.
void RampView::RequestNewGame() {
  if (onNewGame) onNewGame();
}

void RampView::Press(QPoint at) {
  if (!ramp_ || game_.SettingUp()) return;
  if (beforeDrop) beforeDrop();
  gate_.Settle([&] { ramp_->DropTheStoneClick(at.x(), at.y()); });
}

void RampView::DoDropStones() {
  if (!ramp_ || game_.SettingUp()) return;
  gate_.Settle([&] { ramp_->DoDropStones(); });
}

void RampView::SetDropTimerEnabled(bool enabled) {
  if (enabled && ramp_) {
    dropTimer_.start();
  } else {
    dropTimer_.stop();
  }
}

}  // namespace pebble::ui

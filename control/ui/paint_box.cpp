#include "control/ui/paint_box.h"

#include <QMouseEvent>
#include <QPainter>

#include "render/ui/cell_marks.h"

namespace pebble::ui {

PaintBox::PaintBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  setMouseTracking(true);
}

void PaintBox::paintEvent(QPaintEvent* event) {
  if (onPaint) onPaint();
  QPainter painter(this);
  if (image_ && !image_->isNull()) {
    // The image may hold more pixels than the widget on a fine screen; it is
    // drawn whole at its own pixel ratio, cut to the part to be painted.
    painter.setClipRect(event->rect());
    painter.drawImage(QPoint(0, 0), *image_);
    painter.setClipping(false);
  } else {
    painter.fillRect(event->rect(), palette().color(QPalette::Window));
  }
  DrawFrame(painter);
}

void PaintBox::SetFrame(std::optional<QRect> cell) {
  if (frame_ == cell) return;
  if (frame_) update(*frame_);
  frame_ = cell;
  if (frame_) update(*frame_);
}

void PaintBox::SetLight(std::vector<QRect> cells, std::vector<QLine> outline) {
  if (cells == lit_) return;
  for (const QRect& cell : lit_) update(cell.adjusted(-2, -2, 2, 2));
  lit_ = std::move(cells);
  litOutline_ = std::move(outline);
  for (const QRect& cell : lit_) update(cell.adjusted(-2, -2, 2, 2));
}

void PaintBox::DrawFrame(QPainter& painter) const {
  if (!lit_.empty()) DrawGroupLight(painter, lit_, litOutline_);
  if (frame_) DrawCursorMark(painter, *frame_);
}

void PaintBox::mouseMoveEvent(QMouseEvent* event) {
  if (onHover) onHover(event->position().toPoint());
}

void PaintBox::leaveEvent(QEvent*) {
  if (onHover) onHover(std::nullopt);
}

void PaintBox::mousePressEvent(QMouseEvent* event) {
  if (onMouseDown) onMouseDown(event->button(), event->position().toPoint());
}

void PaintBox::mouseReleaseEvent(QMouseEvent* event) {
  if (onMouseUp) onMouseUp(event->button(), event->position().toPoint());
}

}  // namespace pebble::ui

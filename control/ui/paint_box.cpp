#include "control/ui/paint_box.h"

#include <QMouseEvent>
#include <QPainter>

namespace pebble::ui {

PaintBox::PaintBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
}

void PaintBox::paintEvent(QPaintEvent* event) {
  if (onPaint) onPaint();
  QPainter painter(this);
  if (image_ && !image_->isNull()) {
    painter.drawImage(event->rect(), *image_, event->rect());
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

void PaintBox::DrawFrame(QPainter& painter) const {
  if (!frame_) return;
  // Black, white, white, black from the outside in: one of them stands out on
  // any stone colour, texture or picture.
  static const QColor kRings[] = {Qt::black, Qt::white, Qt::white, Qt::black};
  for (int k = 0; k < 4; ++k) {
    const QRect ring = frame_->adjusted(k, k, -k, -k);
    if (ring.width() < 3 || ring.height() < 3) break;
    painter.setPen(kRings[k]);
    painter.drawRect(ring.adjusted(0, 0, -1, -1));
  }
}

void PaintBox::mousePressEvent(QMouseEvent* event) {
  if (onMouseDown) onMouseDown(event->button(), event->position().toPoint());
}

void PaintBox::mouseReleaseEvent(QMouseEvent* event) {
  if (onMouseUp) onMouseUp(event->button(), event->position().toPoint());
}

}  // namespace pebble::ui

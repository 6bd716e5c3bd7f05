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
}

void PaintBox::mousePressEvent(QMouseEvent* event) {
  if (onMouseDown) onMouseDown(event->button(), event->position().toPoint());
}

void PaintBox::mouseReleaseEvent(QMouseEvent* event) {
  if (onMouseUp) onMouseUp(event->button(), event->position().toPoint());
}

}  // namespace pebble::ui

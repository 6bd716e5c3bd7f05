#include "control/ui/tool_button.h"

#include <QPainter>

#include "render/ui/keyed_image.h"

namespace pebble::ui {

ToolButton::ToolButton(QWidget* parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_Hover);
}

void ToolButton::SetGlyph(const QImage& glyph) {
  glyph_ = TransparentByCorner(glyph);
  update();
}

QImage ToolButton::StateGlyph() const {
  if (glyph_.isNull()) return {};
  const int state = !isEnabled() ? 1 : isDown() ? 2 : 0;
  const int size = glyph_.height();  // in the glyph's own pixels, finer on fine screens
  return glyph_.copy(state * size, 0, size, size);
}

void ToolButton::enterEvent(QEnterEvent*) {
  hovered_ = true;
  update();
}

void ToolButton::leaveEvent(QEvent*) {
  hovered_ = false;
  update();
}

void ToolButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect r = rect().adjusted(0, 0, -1, -1);
  if (isEnabled() && (hovered_ || isDown())) {
    // Flat until touched: a thin raised frame, sunken while pressed.
    const QColor light = palette().color(QPalette::Light), dark = palette().color(QPalette::Dark);
    painter.setPen(isDown() ? dark : light);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(isDown() ? light : dark);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
  }
  const QImage glyph = StateGlyph();
  if (glyph.isNull()) return;
  const int shift = isDown() ? 1 : 0;
  const QSize size = glyph.deviceIndependentSize().toSize();
  painter.drawImage((width() - size.width()) / 2 + shift, (height() - size.height()) / 2 + shift, glyph);
}

}  // namespace pebble::ui

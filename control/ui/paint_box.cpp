#include "control/ui/paint_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "render/ui/cell_marks.h"

namespace pebble::ui {

PaintBox::PaintBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  setMouseTracking(true);
}

void PaintBox::SetPlacement(const FieldPlacement& placement, QSize size) {
  placement_ = placement;
  imageSize_ = size;
  update();
}

void PaintBox::SetBandColor(const QColor& band) {
  if (band_ == band) return;
  band_ = band;
  update();
}

QRectF PaintBox::WidgetRect(const QRectF& fieldRect) const {
  const double s = placement_.scale;
  return {placement_.left + fieldRect.x() * s, placement_.top + fieldRect.y() * s, fieldRect.width() * s,
          fieldRect.height() * s};
}

QRectF PaintBox::ImageArea() const { return WidgetRect(QRectF(QPointF(0, 0), QSizeF(ImageSize()))); }

std::optional<QPoint> PaintBox::FieldPixelAt(QPointF at) const {
  const std::optional<FieldPoint> point = FieldPointAt(at.x(), at.y(), placement_, {ImageSize().width(), ImageSize().height()},
                                                       devicePixelRatioF());
  if (!point) return std::nullopt;
  return QPoint(point->x, point->y);
}

void PaintBox::UpdateField(const QRect& fieldRect) { update(WidgetRect(fieldRect).toAlignedRect().adjusted(-1, -1, 1, 1)); }

void PaintBox::paintEvent(QPaintEvent* event) {
  if (onPaint) onPaint();
  QPainter painter(this);
  painter.setClipRect(event->rect());
  const QRectF area = ImageArea();
  if (!image_ || image_->isNull()) {
    painter.fillRect(rect(), palette().color(QPalette::Window));
    DrawFrame(painter);
    return;
  }
  // The bands around the field.
  if (band_.isValid()) {
    QRegion bands(rect());
    bands -= area.toAlignedRect();
    for (const QRect& band : bands) painter.fillRect(band, band_);
  }
  // The image holds the device pixels of the area; drawn pixel for pixel when
  // it was made at this scale, stretched for the moment when it was not.
  const double ratio = devicePixelRatioF();
  const double made = image_->devicePixelRatio();
  const bool exact = std::abs(made - placement_.scale * ratio) < 1e-9;
  const QRectF target(area.topLeft(), exact ? QSizeF(image_->size()) / ratio : image_->deviceIndependentSize() * placement_.scale);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, !exact);
  painter.drawImage(target, *image_, QRectF(image_->rect()));
  DrawFrame(painter);
}

void PaintBox::SetFrame(std::optional<QRect> cell) {
  if (frame_ == cell) return;
  if (frame_) UpdateField(*frame_);
  frame_ = cell;
  if (frame_) UpdateField(*frame_);
}

void PaintBox::SetLight(std::vector<QRect> cells, std::vector<QLine> outline) {
  if (cells == lit_) return;
  for (const QRect& cell : lit_) UpdateField(cell.adjusted(-2, -2, 2, 2));
  lit_ = std::move(cells);
  litOutline_ = std::move(outline);
  for (const QRect& cell : lit_) UpdateField(cell.adjusted(-2, -2, 2, 2));
}

void PaintBox::DrawFrame(QPainter& painter) const {
  if (lit_.empty() && !frame_) return;
  painter.save();
  painter.translate(placement_.left, placement_.top);
  painter.scale(placement_.scale, placement_.scale);
  if (!lit_.empty()) DrawGroupLight(painter, lit_, litOutline_);
  if (frame_) DrawCursorMark(painter, *frame_);
  painter.restore();
}

void PaintBox::mouseMoveEvent(QMouseEvent* event) {
  if (onHover) onHover(FieldPixelAt(event->position()));  // none on the bands
}

void PaintBox::leaveEvent(QEvent*) {
  if (onHover) onHover(std::nullopt);
}

void PaintBox::mousePressEvent(QMouseEvent* event) {
  if (!onMouseDown) return;
  if (const std::optional<QPoint> at = FieldPixelAt(event->position())) onMouseDown(event->button(), *at);
}

void PaintBox::mouseReleaseEvent(QMouseEvent* event) {
  if (!onMouseUp) return;
  if (const std::optional<QPoint> at = FieldPixelAt(event->position())) onMouseUp(event->button(), *at);
}

}  // namespace pebble::ui

#pragma once
// A paint box: shows an image the game draws into, at the scale and place its
// owner gives (the field's own pixels scaled, centred, with bands around it),
// and reports mouse presses and releases in the image's own pixels.

#include <QColor>
#include <QImage>
#include <QLine>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

#include "render/field_scale.h"

namespace pebble::ui {

class PaintBox : public QWidget {
  Q_OBJECT
 public:
  explicit PaintBox(QWidget* parent = nullptr);

  // The image shown; not owned, may change between paints.
  void SetImage(const QImage* image) { image_ = image; }
  // Where the image's `size` field pixels lie in the widget; the rest is
  // filled with `band`.
  void SetPlacement(const FieldPlacement& placement, QSize size);
  void SetBandColor(const QColor& band);
  const FieldPlacement& Placement() const { return placement_; }
  // The image's area, in field pixels (the widget's size until a placement
  // is given) and in the widget's pixels.
  QSize ImageSize() const { return imageSize_.isEmpty() ? size() : imageSize_; }
  QRectF ImageArea() const;
  // The field pixel under a point of the widget; none on the bands.
  std::optional<QPoint> FieldPixelAt(QPointF at) const;
  // Repaints the part of the widget that shows `fieldRect` of the image.
  void UpdateField(const QRect& fieldRect);
  // A frame drawn over the image around `cell` (the keyboard's cursor); none hides it.
  void SetFrame(std::optional<QRect> cell);
  std::optional<QRect> Frame() const { return frame_; }
  // A light laid over these cells, under the frame (the group a click would
  // take); `outline` runs along the group's border. Empty lists take it off.
  void SetLight(std::vector<QRect> cells, std::vector<QLine> outline);
  const std::vector<QRect>& LitCells() const { return lit_; }
  // Presses and releases on the image, in its field pixels; none on the bands.
  std::function<void(Qt::MouseButton, QPoint)> onMouseUp;
  std::function<void(Qt::MouseButton, QPoint)> onMouseDown;
  std::function<void()> onPaint;  // before the image is shown
  // The pointer moved over the image (its field pixel), or left it or is on the bands (none).
  std::function<void(std::optional<QPoint>)> onHover;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void DrawFrame(class QPainter& painter) const;
  QRectF WidgetRect(const QRectF& fieldRect) const;

  const QImage* image_ = nullptr;
  FieldPlacement placement_;
  QSize imageSize_;
  QColor band_;
  std::optional<QRect> frame_;
  std::vector<QRect> lit_;
  std::vector<QLine> litOutline_;
};

}  // namespace pebble::ui

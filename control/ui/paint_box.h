#pragma once
// A paint box: shows an image the game draws into, and reports mouse releases
// in its own pixel coordinates.

#include <QImage>
#include <QLine>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

namespace pebble::ui {

class PaintBox : public QWidget {
  Q_OBJECT
 public:
  explicit PaintBox(QWidget* parent = nullptr);

  // The image shown; not owned, may change between paints.
  void SetImage(const QImage* image) { image_ = image; }
  // A frame drawn over the image around `cell` (the keyboard's cursor); none hides it.
  void SetFrame(std::optional<QRect> cell);
  std::optional<QRect> Frame() const { return frame_; }
  // A light laid over these cells, under the frame (the group a click would
  // take); `outline` runs along the group's border. Empty lists take it off.
  void SetLight(std::vector<QRect> cells, std::vector<QLine> outline);
  const std::vector<QRect>& LitCells() const { return lit_; }
  std::function<void(Qt::MouseButton, QPoint)> onMouseUp;
  std::function<void(Qt::MouseButton, QPoint)> onMouseDown;
  std::function<void()> onPaint;  // before the image is shown
  // The pointer moved over the box (its pixel), or left it (none).
  std::function<void(std::optional<QPoint>)> onHover;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void DrawFrame(class QPainter& painter) const;

  const QImage* image_ = nullptr;
  std::optional<QRect> frame_;
  std::vector<QRect> lit_;
  std::vector<QLine> litOutline_;
};

}  // namespace pebble::ui

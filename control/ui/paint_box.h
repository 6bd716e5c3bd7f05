#pragma once
// A paint box: shows an image the game draws into, and reports mouse releases
// in its own pixel coordinates.

#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>

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
  std::function<void(Qt::MouseButton, QPoint)> onMouseUp;
  std::function<void(Qt::MouseButton, QPoint)> onMouseDown;
  std::function<void()> onPaint;  // before the image is shown

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void DrawFrame(class QPainter& painter) const;

  const QImage* image_ = nullptr;
  std::optional<QRect> frame_;
};

}  // namespace pebble::ui

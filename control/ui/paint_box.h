#pragma once
// A paint box: shows an image the game draws into, and reports mouse releases
// in its own pixel coordinates.

#include <QImage>
#include <QWidget>
#include <functional>

namespace pebble::ui {

class PaintBox : public QWidget {
  Q_OBJECT
 public:
  explicit PaintBox(QWidget* parent = nullptr);

  // The image shown; not owned, may change between paints.
  void SetImage(const QImage* image) { image_ = image; }
  std::function<void(Qt::MouseButton, QPoint)> onMouseUp;
  std::function<void(Qt::MouseButton, QPoint)> onMouseDown;
  std::function<void()> onPaint;  // before the image is shown

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  const QImage* image_ = nullptr;
};

}  // namespace pebble::ui

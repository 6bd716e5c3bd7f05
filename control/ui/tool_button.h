#pragma once
// A flat tool bar button whose glyph holds its states side by side: normal,
// disabled and pressed, 16 x 16 each.

#include <QAbstractButton>
#include <QImage>

namespace pebble::ui {

class ToolButton : public QAbstractButton {
  Q_OBJECT
 public:
  explicit ToolButton(QWidget* parent = nullptr);
  void SetGlyph(const QImage& glyph);
  QImage StateGlyph() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QImage glyph_;
  bool hovered_ = false;
};

}  // namespace pebble::ui

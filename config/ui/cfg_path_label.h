#pragma once
// A path on one line of fixed width: long paths are shortened in the middle,
// and the whole path is the label's hint.

#include <QLabel>

namespace pebble::ui {

class CfgPathLabel : public QLabel {
  Q_OBJECT
 public:
  static constexpr int kWidth = 190;

  explicit CfgPathLabel(QWidget* parent = nullptr);

  void SetPath(const QString& text);
  const QString& FullText() const { return fullText_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void Elide();

  QString fullText_;
};

}  // namespace pebble::ui

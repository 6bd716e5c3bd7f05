#include "config/ui/cfg_path_label.h"

#include <QEvent>

namespace pebble::ui {

CfgPathLabel::CfgPathLabel(QWidget* parent) : QLabel(parent) { setTextFormat(Qt::PlainText); }

void CfgPathLabel::SetPath(const QString& text) {
  fullText_ = text;
  setToolTip(text);
  Elide();
}

QSize CfgPathLabel::sizeHint() const { return {kWidth, fontMetrics().height()}; }

void CfgPathLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  Elide();
}

void CfgPathLabel::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::FontChange) Elide();
}

void CfgPathLabel::Elide() { setText(fontMetrics().elidedText(fullText_, Qt::ElideMiddle, contentsRect().width())); }

}  // namespace pebble::ui

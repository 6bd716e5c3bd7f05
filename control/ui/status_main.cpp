#include "control/ui/status_main.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace pebble::ui {
namespace {

// The panel widths were drawn for Windows' 8-point MS Sans Serif; elsewhere a
// narrow face of that size keeps the messages whole, where the desktop's wide
// one cuts most.
QFont StatusFont(QFont font) {
#ifdef _WIN32
  font.setFamilies({QStringLiteral("MS Sans Serif")});
#else
  font.setFamilies({QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Arial Narrow"),
                    QStringLiteral("DejaVu Sans Condensed")});
#endif
  font.setPointSize(8);
  return font;
}

}  // namespace

StatusMain::StatusMain(QWidget* parent) : QWidget(parent) {
  setFont(StatusFont(font()));
  setFixedHeight(kHeight);
  setMouseTracking(true);
  setAutoFillBackground(true);
  roll_.setSingleShot(true);
  connect(&roll_, &QTimer::timeout, this, &StatusMain::RollStep);
}

void StatusMain::SetPanelText(int panel, const QString& text) {
  const bool same = texts_[static_cast<std::size_t>(panel)] == text;
  texts_[static_cast<std::size_t>(panel)] = text;
  if (panel == 3 && !same) StartRoll();
  update(PanelRect(panel));
}

int StatusMain::MessageOverflow() const {
  return std::max(0, fontMetrics().horizontalAdvance(texts_[3]) - TextRect(3).width());
}

void StatusMain::StartRoll() {
  shift_ = 0;
  roll_.stop();
  if (MessageOverflow() > 0) roll_.start(kPauseAtStartMs);
}

void StatusMain::RollStep() {
  const int overflow = MessageOverflow();
  if (overflow == 0 || shift_ >= overflow) {
    shift_ = 0;  // after the pause at the end: back to the start, and rest
  } else {
    ++shift_;
    roll_.start(shift_ < overflow ? 1000 / kRollPixelsPerSecond : kPauseAtEndMs);
  }
  update(PanelRect(3));
}

void StatusMain::SetLowScore(bool lowScore, const QImage& arrow) {
  lowScore_ = lowScore;
  arrow_ = arrow;
  statusMainResize();
  update();
}

QRect StatusMain::TextRect(int panel) const { return PanelRect(panel).adjusted(3, 0, -1, 0); }

QRect StatusMain::PanelRect(int panel) const {
  int left = 0;
  for (int i = 0; i < panel; ++i) left += widths_[static_cast<std::size_t>(i)];
  return {left, 0, widths_[static_cast<std::size_t>(panel)], height()};
}

void StatusMain::RepaintNow() { repaint(); }

void StatusMain::resizeEvent(QResizeEvent*) {
  statusMainResize();
  // A wider window may have room for the whole message; a narrower one may not.
  if (MessageOverflow() == 0 || !roll_.isActive()) StartRoll();
}

void StatusMain::statusMainResize() {
  widths_[2] = lowScore_ ? 27 : 33;
  widths_[3] = width() - widths_[0] - widths_[1] - widths_[2] - widths_[4];
}

void StatusMain::SetIdleText(const QString& text) {
  idle_ = text;
  update(PanelRect(3));
}

QString StatusMain::ToolTipText() const {
  if (note_.isEmpty()) return texts_[3];
  return texts_[3].isEmpty() ? note_ : texts_[3] + '\n' + note_;
}

void StatusMain::mouseMoveEvent(QMouseEvent*) {
  // A message cut off by its panel can still be read in full.
  setToolTip(ToolTipText());
}

void StatusMain::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawPanel(painter);
}

void StatusMain::DrawPanel(QPainter& painter) {
  const QColor divider = palette().color(QPalette::Mid);
  for (int i = 0; i < kPanelCount; ++i) {
    const QRect r = PanelRect(i);
    if (i > 0) {
      painter.setPen(divider);
      painter.drawLine(r.left(), 2, r.left(), r.bottom() - 2);
    }
    if (i == 4) {
      if (!arrow_.isNull()) painter.drawImage(r.left(), r.top() + 1, arrow_);
      continue;
    }
    const bool idle = i == 3 && texts_[3].isEmpty();
    painter.setPen(palette().color(idle ? QPalette::PlaceholderText : QPalette::WindowText));
    if (i == 3 && shift_ > 0) {
      DrawMessage(painter);
      continue;
    }
    const QRect textRect = TextRect(i);
    painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
                     painter.fontMetrics().elidedText(idle ? idle_ : texts_[static_cast<std::size_t>(i)], Qt::ElideRight,
                                                      textRect.width()));
  }
}

void StatusMain::DrawMessage(QPainter& painter) {
  // While it rolls, the message is drawn whole, moved left and cut by its panel.
  const QRect textRect = TextRect(3);
  painter.save();
  painter.setClipRect(textRect);
  painter.drawText(textRect.adjusted(-shift_, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, texts_[3]);
  painter.restore();
}

}  // namespace pebble::ui

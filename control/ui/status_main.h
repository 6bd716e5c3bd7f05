#pragma once
// The status bar of the main window: three counters, the message panel and
// the count-mode arrow, in five flat panels of fixed widths. The message panel
// takes what the window has to spare; a message longer than the panel rolls
// by once, so that its end can be read without the pointer.

#include <QImage>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <array>

namespace pebble::ui {

class StatusMain : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kHeight = 19;
  static constexpr int kPanelCount = 5;

  explicit StatusMain(QWidget* parent = nullptr);

  void SetPanelText(int panel, const QString& text);
  QString PanelText(int panel) const { return texts_[static_cast<std::size_t>(panel)]; }
  int PanelWidth(int panel) const { return widths_[static_cast<std::size_t>(panel)]; }
  // Panel 2 is wider for a score than for the movable stones.
  void SetLowScore(bool lowScore, const QImage& arrow);
  QRect PanelRect(int panel) const;
  // Where the panel's text goes; a longer text is cut with an ellipsis.
  QRect TextRect(int panel) const;
  // Paints at once, for a message that must be seen before a long step.
  void RepaintNow();
  // A line the tooltip shows below the message (the deal number of the game).
  void SetNote(const QString& note) { note_ = note; }
  // What the message panel shows, dimmed, while no message is on (the deal
  // number); the panel's text stays empty.
  void SetIdleText(const QString& text);
  QString IdleText() const { return idle_; }
  // What the pointer over the bar shows: the message in full, then the note.
  QString ToolTipText() const;
  // How far the message has rolled to the left, in pixels; 0 at rest.
  int MessageShift() const { return shift_; }
  // How far it rolls to show its end; 0 for a message that fits.
  int MessageOverflow() const;

  // The roll: a pause to read the start, then this many pixels a second,
  // a pause at the end, and back to the start.
  static constexpr int kRollPixelsPerSecond = 40;
  static constexpr int kPauseAtStartMs = 1200;
  static constexpr int kPauseAtEndMs = 2000;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void statusMainResize();
  void DrawPanel(class QPainter& painter);
  void DrawMessage(class QPainter& painter);
  void StartRoll();
  void RollStep();

  std::array<QString, kPanelCount> texts_;
  std::array<int, kPanelCount> widths_{27, 27, 27, 200, 15};
  QString note_;
  QString idle_;
  bool lowScore_ = true;
  QImage arrow_;
  QTimer roll_;
  int shift_ = 0;
};

}  // namespace pebble::ui

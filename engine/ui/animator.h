#pragma once
// The four animation stages of a move, frame by frame on the field's surface.
// A frame waits for the animation clock in a local event loop, so the window
// keeps painting and queueing clicks while the CPU idles between frames.

#include <QObject>
#include <QTimer>
#include <functional>

#include "engine/game_host.h"
#include "render/ui/field_painter.h"

class QEventLoop;
class QWidget;

namespace pebble {
class Field;
}

namespace pebble::ui {

class Animator : public QObject {
  Q_OBJECT
 public:
  // `changed` repaints a rectangle of the field (in field pixels) on screen.
  Animator(FieldPainter& painter, std::function<void(const QRect&)> changed, QObject* parent = nullptr);
  ~Animator() override;

  void DeleteAnimation(const Field& field, const RemovalList& runs, int interval);
  void FallAnimation(const Field& field, const FallList& stacks, int interval);
  void ColumnAnimation(const Field& field, const GapList& gaps, int interval);
  void DropAnimation(const Field& field, std::int32_t index, int interval, DrawFlags flags);

  bool ClockRunning() const { return TimerAni.isActive(); }
  int Interval() const { return TimerAni.interval(); }

 private:
  void StartClock(int interval);
  void StopClock();
  void WaitFrame();
  void TimerAniTimer();
  void DrawMoved(const Field& field, std::int32_t index, int dx, int dy, DrawFlags flags);
  void Restore(const QRect& rect);

  FieldPainter& painter_;
  std::function<void(const QRect&)> changed_;
  QTimer TimerAni;
  bool tickArrived_ = false;
  QEventLoop* waiting_ = nullptr;
};

}  // namespace pebble::ui

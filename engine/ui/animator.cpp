#include "engine/ui/animator.h"

#include <QEventLoop>
#include <QWidget>

#include "engine/field.h"

namespace pebble::ui {
namespace {

constexpr DrawFlags kAnimating{true, false, false};

int Offset(double total, int step) { return static_cast<int>(total * 0.25 * step + 0.5); }

}  // namespace

Animator::Animator(FieldPainter& painter, std::function<void(const QRect&)> changed, QObject* parent)
    : QObject(parent), painter_(painter), changed_(std::move(changed)), TimerAni(this) {
  TimerAni.setObjectName("TimerAni");
  TimerAni.setInterval(50);
  TimerAni.setTimerType(Qt::PreciseTimer);
  connect(&TimerAni, &QTimer::timeout, this, &Animator::TimerAniTimer);
}

Animator::~Animator() { StopClock(); }

void Animator::StartClock(int interval) {
  TimerAni.setInterval(interval);
  tickArrived_ = false;
  TimerAni.start();
}

void Animator::StopClock() {
  TimerAni.stop();
  if (waiting_) waiting_->quit();
}

void Animator::TimerAniTimer() {
  tickArrived_ = true;
  if (waiting_) waiting_->quit();
}

void Animator::WaitFrame() {
  if (!tickArrived_ && TimerAni.isActive()) {
    QEventLoop loop;
    waiting_ = &loop;
    loop.exec();
    waiting_ = nullptr;
  }
  tickArrived_ = false;
}

void Animator::Restore(const QRect& rect) {
  painter_.RestoreBackground(painter_.Surface(), rect);
  changed_(rect);
}

void Animator::DrawMoved(const Field& field, std::int32_t index, int dx, int dy, DrawFlags flags) {
  const TStoneCell& cell = field[index];
  painter_.DrawStone(field, cell, dx, painter_.Surface(), dy, flags);
  changed_(QRect(cell.Left + dx, cell.Top + dy, field.StoneWidth(), field.StoneHeight()));
}

void Animator::DeleteAnimation(const Field& field, const RemovalList& runs, int interval) {
  const int w = field.StoneWidth(), h = field.StoneHeight();
  StartClock(interval);
  for (int frame = 0; frame <= 4; ++frame) {
    for (const RemovalEntry& run : runs) {
      for (int r = run.row; r > run.row - run.work; --r) {
        const TStoneCell& cell = field[field.CellIndex(r, run.column)];
        Restore(QRect(cell.Left, cell.Top, w, h));
        if (frame < 4) painter_.DrawBreak(frame, painter_.Surface(), QPoint(cell.Left, cell.Top));
      }
    }
    if (frame < 4) WaitFrame();
  }
  StopClock();
}

void Animator::FallAnimation(const Field& field, const FallList& stacks, int interval) {
  const int w = field.StoneWidth(), h = field.StoneHeight(), columns = field.Columns();
  StartClock(interval);
  for (int step = 1; step <= 4; ++step) {
    for (const FallEntry& stack : stacks) {
      const int off = Offset(static_cast<double>(stack.distance) * h, step);
      const std::int32_t top = stack.bottomIndex - (stack.count - 1) * columns;
      const TStoneCell& topCell = field[top];
      Restore(QRect(topCell.Left, topCell.Top, w, off));  // the strip the stack uncovers
      for (std::int32_t i = top; i <= stack.bottomIndex; i += columns) DrawMoved(field, i, 0, off, kAnimating);
    }
    WaitFrame();
  }
  StopClock();
}

void Animator::ColumnAnimation(const Field& field, const GapList& gaps, int interval) {
  const int w = field.StoneWidth(), h = field.StoneHeight();
  StartClock(interval);
  for (int step = 1; step <= 4; ++step) {
    for (const GapEntry& gap : gaps) {
      const int off = Offset(static_cast<double>(gap.shift) * w, step);
      const int lastMoving = gap.firstColumn + gap.span;
      for (int c = gap.firstColumn + gap.count; c <= lastMoving; ++c) {
        for (int row = 1; row <= field.Rows(); ++row) {
          const std::int32_t index = field.CellIndex(row, c);
          const TStoneCell& cell = field[index];
          if (c == lastMoving) Restore(QRect(cell.Left + w - off, cell.Top, off, h));
          DrawMoved(field, index, -off, 0, kAnimating);
        }
      }
    }
    WaitFrame();
  }
  StopClock();
}

void Animator::DropAnimation(const Field& field, std::int32_t index, int interval, DrawFlags flags) {
  const TStoneCell& cell = field[index];
  const int row = field.CellPosition(index).row;
  const double dist = static_cast<double>(row) * field.StoneHeight();
  StartClock(interval);
  for (int k = 3; k >= 0; --k) {
    const int off = Offset(dist, k);
    DrawMoved(field, index, 0, -off, flags);
    WaitFrame();
    Restore(QRect(cell.Left, cell.Top - off, field.StoneWidth(), field.StoneHeight()));
  }
  StopClock();
}

}  // namespace pebble::ui

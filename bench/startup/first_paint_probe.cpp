// Starts the game exactly as the program does (or, with --bare, a plain window
// that paints a field of the same size) and ends the process at its first
// painted field, so start-up time and peak memory can be measured as whole
// processes. Further arguments go to the game as on its own command line.

#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "control/ui/paint_box.h"
#include "control/ui/program_start.h"

namespace {

// Ends the process once the watched widget has painted, before anything the
// program queued behind that paint (what it defers until after the first
// paint is not start-up).
class EndAfterFirstPaint : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) QCoreApplication::postEvent(this, new QEvent(QEvent::User), Qt::HighEventPriority);
    return QObject::eventFilter(watched, event);
  }

 protected:
  bool event(QEvent* event) override {
    if (event->type() != QEvent::User) return QObject::event(event);
    std::fflush(nullptr);
    std::_Exit(0);
  }
};

// A bare window that paints a 10 x 16 field of 20 x 21 stones in five colours.
class BareField : public QWidget {
 protected:
  void paintEvent(QPaintEvent*) override {
    static const QColor colours[] = {Qt::red, Qt::blue, Qt::darkGreen, QColor(255, 128, 0), Qt::lightGray};
    QPainter p(this);
    for (int i = 0; i < 160; ++i) {
      const QRect cell((i % 10) * 20, (i / 10) * 21, 20, 21);
      p.fillRect(cell, colours[(i * 7) % 5]);
      p.drawRect(cell);
    }
  }
};

}  // namespace

int main(int argc, char* argv[]) {
  Q_INIT_RESOURCE(pebbledrome);
  QApplication app(argc, argv);
  EndAfterFirstPaint end;
  const bool bare = argc > 1 && std::strcmp(argv[1], "--bare") == 0;
  if (bare) {
    BareField field;
    field.setFixedSize(201, 337);
    field.installEventFilter(&end);
    field.show();
    return QApplication::exec();
  }
  const pebble::ui::RunningProgram program = pebble::ui::StartProgram(QApplication::arguments());
  program.game->imgMain()->installEventFilter(&end);
  return QApplication::exec();
}

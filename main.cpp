// Pebbledrome: start-up of the program.

#include <QApplication>

#include "control/ui/program_start.h"

int main(int argc, char* argv[]) {
  Q_INIT_RESOURCE(pebbledrome);
  QApplication app(argc, argv);
  const pebble::ui::RunningProgram program = pebble::ui::StartProgram(QApplication::arguments());
  return QApplication::exec();
}

#include "control/ui/program_start.h"

#include <QApplication>
#include <string>
#include <vector>

namespace pebble::ui {
namespace {

std::vector<std::string> GameArguments(const QStringList& commandLine) {
  std::vector<std::string> arguments;
  for (qsizetype i = 1; i < commandLine.size(); ++i) arguments.push_back(commandLine[i].toStdString());
  return arguments;
}

}  // namespace

RunningProgram StartProgram(const QStringList& commandLine) {
  // No application display name: the window system would add it to every
  // window's title, the disguise's included.
  QApplication::setApplicationName("pebbledrome");
  QApplication::setApplicationVersion(PEBBLE_VERSION_STRING);

  RunningProgram program;
  program.store = MakeDefaultSettingsStore();
  program.store->SetProgRoot(kPebbledromeProgRoot);
  program.game = std::make_unique<TfrmGame>(*program.store, GameArguments(commandLine));
  program.game->show();
  program.game->AfterFirstPaint([game = program.game.get()] { CompleteStart(*game); });
  return program;
}

void CompleteStart(TfrmGame& game) {
  // The icon decodes an .ico of several sizes, and the statistics read the
  // score store: neither is needed to see the field.
  QApplication::setWindowIcon(QIcon(":/res/Mainicon"));
  game.CreateStats();
}

}  // namespace pebble::ui

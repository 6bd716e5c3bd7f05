// Pebbledrome: start-up of the program.

#include <QApplication>

#include "config/settings_store.h"
#include "control/ui/tfrm_game.h"

int main(int argc, char* argv[]) {
  Q_INIT_RESOURCE(pebbledrome);
  QApplication app(argc, argv);
  QApplication::setApplicationName("pebbledrome");
  QApplication::setApplicationDisplayName("Pebbledrome!");
  QApplication::setApplicationVersion(PEBBLE_VERSION_STRING);
  QApplication::setWindowIcon(QIcon(":/res/Mainicon"));

  std::vector<std::string> arguments;
  const QStringList qtArguments = QApplication::arguments();
  for (qsizetype i = 1; i < qtArguments.size(); ++i) arguments.push_back(qtArguments[i].toStdString());

  auto store = pebble::MakeDefaultSettingsStore();
  store->SetProgRoot(pebble::kPebbledromeProgRoot);
  pebble::ui::TfrmGame game(*store, std::move(arguments));
  game.CreateStats();
  game.show();
  return QApplication::exec();
}

#pragma once
// The program's start-up, from the application's names to the shown main
// window. main() runs exactly this, and so does the start-up probe, so what
// is measured is what a player waits for.

#include <QStringList>
#include <memory>

#include "config/settings_store.h"
#include "control/ui/tfrm_game.h"

namespace pebble::ui {

// The settings store and the main window of a running program; the window
// goes before the store it reads.
struct RunningProgram {
  std::unique_ptr<SettingsStore> store;
  std::unique_ptr<TfrmGame> game;
};

// Names the application, builds the main window for the command line (the
// program's own name first, as QApplication::arguments() gives it) and shows
// it. Whatever the first paint does not need comes after it.
RunningProgram StartProgram(const QStringList& commandLine);

// What the program does once the window's field is on the screen: the icon
// and the statistics, which count every move from the first.
void CompleteStart(TfrmGame& game);

}  // namespace pebble::ui

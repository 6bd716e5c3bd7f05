#pragma once
// What the configuration dialog and the colour dialog need of the main window:
// the running game's settings and the store, the new game, and the windows that
// follow a change of count mode, auto drop or language. The main window
// implements it; tests record the calls.

#include <QSize>

#include "config/game_settings.h"

namespace pebble {
class SettingsStore;
}

namespace pebble::ui {

class CfgHost {
 public:
  virtual ~CfgHost() = default;

  virtual SettingsStore& Store() = 0;

  // The running game's settings (the store with the command line laid over it),
  // languageOffset included. The dialogs start from these.
  virtual const GameSettings& Settings() const = 0;
  // Takes settings as the running game's record. The dialogs change only the
  // values that act at once (sounds, animations, textures, trace lines, field
  // and colour counts, pictures, special stones, auto drop, play time, count
  // mode, stone colours, the language); the rest equals Settings().
  virtual void UpdateSettings(const GameSettings& settings) = 0;

  // The language has changed (Settings().languageOffset): every other open
  // window applies its texts again, in this order: the main window, the about
  // window, the statistics window, the count-down, the hints window (with the
  // stone it shows), the report window and the player-history dialog.
  virtual void LanguageChanged() = 0;

  // A new game, as the new-game button starts it: after the move being settled.
  virtual void StartNewGame() = 0;
  // The count mode has changed: the statistics window, if it exists, shows the
  // new mode and reloads its figures.
  virtual void CountModeChanged() = 0;
  // Auto drop is off after a save: the count-down window comes and goes with it.
  virtual void ToggleCountDown() = 0;
  // The hints window with its introductory text.
  virtual void ShowHints() = 0;

  // The screen the main window is on, for the window-size check.
  virtual QSize ScreenSize() const = 0;
};

}  // namespace pebble::ui

#pragma once
// The first-run actions: during the first game after the game's settings
// version changed, every activation of the main window makes the desktop
// shortcut and registers the saved-game file type; after an update (not at
// the very first start) it also opens the help at the page of what is new.

namespace pebble {

// What the main window knows when it becomes active.
struct FirstRunFacts {
  bool newVersionStart = false;  // this game's set-up found another settings version
  bool firstStart = false;       // nothing had been stored for this player before this run
  int languageOffset = 0;
  int gameNumber = 0;            // which set-up of this run made the current game
};

// How the actions are carried out.
class FirstRunShell {
 public:
  virtual ~FirstRunShell() = default;
  virtual void ShowHelp(int topic) = 0;
  // Quietly: a desktop without a desktop folder gets no shortcut and no message.
  virtual void CreateDesktopShortcut() = 0;
  virtual void RegisterSavedGameType() = 0;
};

class FirstRunActions {
 public:
  // Runs at every activation of the main window. The help opens once per game:
  // closing it activates the main window again, which must not bring it back.
  void OnActivate(const FirstRunFacts& facts, FirstRunShell& shell);

 private:
  int helpShownInGame_ = -1;
};

}  // namespace pebble

#pragma once
// What the count-down clock needs of the main window: the game's state, the
// ramp's drop timer, the board, the status bar and the end of a game that ran
// out of time. The main window implements it; tests record the calls.

#include <QRect>
#include <functional>
#include <string_view>

#include "config/game_settings.h"

namespace pebble::ui {

class CountDownHost {
 public:
  virtual ~CountDownHost() = default;

  // The running game's settings: autoDrop, playTime, soundsOn, languageOffset.
  virtual const GameSettings& Settings() const = 0;
  virtual bool GameRunning() const = 0;
  virtual void ClearGameRunning() = 0;
  // Counts the games set up in this run: a new game changes it.
  virtual int SetUpCount() const = 0;

  // The pause flag lives with the game (every new game clears it); the
  // count-down toggles it and the window may follow it.
  virtual bool CountDownPaused() const = 0;
  virtual void SetCountDownPaused(bool paused) = 0;

  // Runs a command that ends the game at once, or, while a move (with the
  // clicks queued meanwhile) or a ramp drop is being settled, once it is over.
  virtual void RunWhenSettled(std::function<void()> command) = 0;

  virtual void SetDropTimerEnabled(bool enabled) = 0;  // the ramp's TimerDrop
  virtual void ShowBoardAndRamp(bool visible) = 0;

  // The message panel of the status bar; ids are base string ids.
  virtual void ShowMessage(int stringId) = 0;
  virtual void ClearMessage() = 0;

  // The end of a game that ran out of time.
  virtual void DisableUndo() = 0;
  virtual void PlaySound(std::string_view name) = 0;  // called only when sounds are on
  virtual void RecordCurrentResult() = 0;             // the result as the field stands

  // The main window's frame, for the count-down's first place beside it.
  virtual QRect MainWindowFrame() const = 0;
};

}  // namespace pebble::ui

#pragma once
// The one door for commands that replace or destroy the game.
//
// A move, a ramp drop and every animation frame wait for the clock in local
// event loops, so any event may arrive while they are on the stack. A command
// that would replace or destroy the field, the ramp or a window (new game,
// open, undo and restart, a new game or quit from the configuration, a
// language switch, the count-down's time-out or release, closing the window)
// must never run under them: it goes through RunWhenSettled, which runs it at
// once when nothing is settling and otherwise as soon as the outermost work
// has returned, in the order asked. Every handler that calls into the rules
// (clicks on the field and the ramp, ramp ticks, moves from keys) runs that
// call inside Settle(), which runs what waited once it is over. New commands
// and new handlers use these two; none needs a guard of its own.

#include <deque>
#include <functional>

namespace pebble {

class CommandGate {
 public:
  // `busyElsewhere` tells whether work the gate did not start is on the stack
  // (a move the rules are playing); commands wait for it as well.
  explicit CommandGate(std::function<bool()> busyElsewhere = {});

  void RunWhenSettled(std::function<void()> command);
  void Settle(const std::function<void()>& work);
  // A move, a ramp step or drop, an animation frame or a waiting command is
  // on the stack.
  bool Settling() const;

  // Closing: true when the window may go now. Otherwise `closeLater` runs
  // once everything has settled (asked once, however often the player
  // closes meanwhile), and the close asked now is to be refused.
  bool CloseNowOrLater(std::function<void()> closeLater);
  // The game is gone: what waits is dropped and nothing new is taken.
  // True the first time only, so tear-down runs once.
  bool ShutDown();
  bool IsShutDown() const { return shutDown_; }

 private:
  void RunDeferredCommands();

  std::function<bool()> busyElsewhere_;
  std::deque<std::function<void()>> deferred_;
  int settleDepth_ = 0;
  int deferredDepth_ = 0;
  bool closeAsked_ = false;
  bool shutDown_ = false;
};

}  // namespace pebble

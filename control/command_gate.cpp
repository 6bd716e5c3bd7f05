#include "control/command_gate.h"

#include <utility>

#include "engine/depth_guard.h"

namespace pebble {

CommandGate::CommandGate(std::function<bool()> busyElsewhere) : busyElsewhere_(std::move(busyElsewhere)) {}

bool CommandGate::Settling() const {
  return settleDepth_ > 0 || deferredDepth_ > 0 || (busyElsewhere_ && busyElsewhere_());
}

void CommandGate::Settle(const std::function<void()>& work) {
  {
    const DepthGuard settling(settleDepth_);
    work();
  }
  RunDeferredCommands();
}

void CommandGate::RunWhenSettled(std::function<void()> command) {
  if (shutDown_) return;  // the game is gone; nothing is left to replace
  deferred_.push_back(std::move(command));
  RunDeferredCommands();
}

void CommandGate::RunDeferredCommands() {
  if (Settling()) return;
  // A command may wait in a dialog of its own; what is asked meanwhile comes
  // after it, never inside it.
  const DepthGuard running(deferredDepth_);
  while (!deferred_.empty() && !shutDown_) {
    const std::function<void()> command = std::move(deferred_.front());
    deferred_.pop_front();
    command();
  }
}

bool CommandGate::CloseNowOrLater(std::function<void()> closeLater) {
  if (shutDown_ || !Settling()) return true;
  // The move or drop in hand still uses the field and the ramp: the window
  // goes as soon as it has settled.
  if (!closeAsked_) RunWhenSettled(std::move(closeLater));
  closeAsked_ = true;
  return false;
}

bool CommandGate::ShutDown() {
  if (shutDown_) return false;
  shutDown_ = true;
  deferred_.clear();
  return true;
}

}  // namespace pebble

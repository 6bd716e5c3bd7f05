#include "control/command_gate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pebble {
namespace {

TEST(CommandGate, RunsAtOnceWhenNothingSettles) {
  CommandGate gate;
  std::vector<std::string> ran;
  gate.RunWhenSettled([&] { ran.push_back("new game"); });
  EXPECT_EQ(ran, (std::vector<std::string>{"new game"}));
  EXPECT_FALSE(gate.Settling());
}

// A new game asked in the middle of a move (from an animation frame's event
// loop) must wait until the outermost work has returned, then run in order.
TEST(CommandGate, CommandsWaitForTheOutermostWorkAndKeepTheirOrder) {
  CommandGate gate;
  std::vector<std::string> ran;
  gate.Settle([&] {
    gate.RunWhenSettled([&] { ran.push_back("undo"); });
    gate.Settle([&] {  // a ramp tick inside the move's event loop
      EXPECT_TRUE(gate.Settling());
      gate.RunWhenSettled([&] { ran.push_back("new game"); });
    });
    EXPECT_TRUE(ran.empty()) << "ran under the move";
    ran.push_back("move over");
  });
  EXPECT_EQ(ran, (std::vector<std::string>{"move over", "undo", "new game"}));
}

// A command waiting in a dialog of its own: what is asked meanwhile, even
// work that settles, comes after it, never inside it.
TEST(CommandGate, ACommandAskedDuringAnotherRunsAfterIt) {
  CommandGate gate;
  std::vector<std::string> ran;
  gate.RunWhenSettled([&] {
    EXPECT_TRUE(gate.Settling());
    gate.Settle([&] { gate.RunWhenSettled([&] { ran.push_back("second"); }); });
    gate.RunWhenSettled([&] { ran.push_back("third"); });
    ran.push_back("first");
  });
  EXPECT_EQ(ran, (std::vector<std::string>{"first", "second", "third"}));
}

// A move the rules play outside the gate (a key's move) holds commands too;
// they run when the next settled work ends.
TEST(CommandGate, WorkOfTheRulesHoldsCommandsAsWell) {
  bool moving = true;
  CommandGate gate([&] { return moving; });
  int ran = 0;
  gate.RunWhenSettled([&] { ++ran; });
  EXPECT_TRUE(gate.Settling());
  EXPECT_EQ(ran, 0);
  moving = false;
  gate.Settle([] {});
  EXPECT_EQ(ran, 1);
}

TEST(CommandGate, ClosingWaitsForTheMoveAndIsAskedOnce) {
  CommandGate gate;
  int closed = 0;
  bool closeNow = true;
  gate.Settle([&] {
    closeNow = gate.CloseNowOrLater([&] { ++closed; });
    EXPECT_FALSE(gate.CloseNowOrLater([&] { ++closed; }));  // the player closes again
  });
  EXPECT_FALSE(closeNow);
  EXPECT_EQ(closed, 1);
  EXPECT_TRUE(gate.CloseNowOrLater([&] { ++closed; }));
  EXPECT_EQ(closed, 1);
}

TEST(CommandGate, AfterShutDownNothingRunsAndTearDownHappensOnce) {
  CommandGate gate;
  std::vector<std::string> ran;
  gate.Settle([&] {
    gate.RunWhenSettled([&] {
      ran.push_back("quit");
      EXPECT_TRUE(gate.ShutDown());
    });
    gate.RunWhenSettled([&] { ran.push_back("new game after quit"); });
  });
  EXPECT_EQ(ran, (std::vector<std::string>{"quit"}));
  EXPECT_FALSE(gate.ShutDown());
  EXPECT_TRUE(gate.IsShutDown());
  gate.RunWhenSettled([&] { ran.push_back("late"); });
  EXPECT_EQ(ran.size(), 1u);
  EXPECT_TRUE(gate.CloseNowOrLater([] {}));
}

}  // namespace
}  // namespace pebble

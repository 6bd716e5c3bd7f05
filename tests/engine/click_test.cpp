#include <gtest/gtest.h>

#include <limits>

#include "engine_fixture.h"

namespace pebble {
namespace {

using Strings = std::vector<std::string>;
using testing::GameOn;
using testing::Msg;
using testing::MsgNow;
using testing::kH;
using testing::kW;

TEST(Click, WhatAClickDoesWhereItLands) {
  struct Case {
    const char* what;
    std::int32_t x, y;
    MouseButton button;
    Strings calls;
    Strings after;
  } cases[] = {
      {"left of the field", -1, 5, MouseButton::Left, {Msg(kMsgClickOnField)}, {"aab", "cX.", "cXX"}},
      {"one pixel right of the paint box", 3 * kW + 1, 5, MouseButton::Left, {Msg(kMsgClickOnField)},
       {"aab", "cX.", "cXX"}},
      {"below the paint box", 5, 3 * kH + 1, MouseButton::Left, {Msg(kMsgClickOnField)}, {"aab", "cX.", "cXX"}},
      {"the last pixel column belongs to column C", 3 * kW, 5, MouseButton::Left,
       {MsgNow(kMsgThinking), "sound SND_NOHIT", Msg(kMsgNoLuck), "counts"}, {"aab", "cX.", "cXX"}},
      {"an empty cell is the picture", 50, 30, MouseButton::Left, {Msg(kMsgPicture)}, {"aab", "cX.", "cXX"}},
      {"a rock never moves, also beside rocks", 30, 50, MouseButton::Left, {Msg(kMsgRock)}, {"aab", "cX.", "cXX"}},
      {"a right click only shows the hint", 5, 5, MouseButton::Right, {"hint 0"}, {"aab", "cX.", "cXX"}},
      {"a group goes", 5, 5, MouseButton::Left, {MsgNow(kMsgThinking), "counts", "sound SND_HIT"},
       {"..b", "cX.", "cXX"}},
  };
  for (const Case& c : cases) {
    GameOn g({"aab", "cX.", "cXX"});
    g.game.imgMainMouseUp(c.button, c.x, c.y);
    EXPECT_EQ(g.host.Only({"msg", "sound", "counts", "hint", "beep"}), c.calls) << c.what;
    EXPECT_EQ(g.Rows(), c.after) << c.what;
    EXPECT_EQ(g.game.History().Count(), c.after[0] == "aab" ? 0u : 1u) << c.what;
  }
}

// The command line accepts stones one pixel high and wide; a click on the
// frame line (pixel row or column 0) still takes the stone next to it.
TEST(Click, OnePixelStonesTakeTheClickOnTheFrameLine) {
  GameSettings s = testing::QuietSettings();
  s.stoneWidth = 1;
  s.stoneHeight = 1;
  struct Case {
    std::int32_t x, y;
    Strings after;
  } cases[] = {
      {0, 0, {"..b", "cXb"}}, {1, 1, {"..b", "cXb"}}, {3, 0, {"aa.", "cX."}}, {0, 2, {"aab", "cXb"}},
  };
  for (const Case& c : cases) {
    testing::RecordingHost host;
    GameRandom random;
    Game game(host, random);
    Field field(3, 2, 1, 1);
    const Field letters = testing::MakeField({"aab", "cXb"});
    for (std::int32_t i = 0; i < field.Size(); ++i) {
      field[i].Kind = letters[i].Kind;
      field[i].Color = letters[i].Color;
      field[i].Occupied = letters[i].Occupied;
    }
    game.LoadField(s, {3, 2}, field.Cells());
    game.imgMainMouseUp(MouseButton::Left, c.x, c.y);
    EXPECT_EQ(testing::Rows(game.GetField()), c.after) << c.x << "," << c.y;
  }
}

TEST(Click, ALoneStoneBeepsWhenSoundsAreOff) {
  GameSettings s = testing::QuietSettings();
  s.soundsOn = false;
  GameOn g({"ab", "aa"}, s);
  g.Click(1, 2);
  EXPECT_EQ(g.host.Only({"sound", "beep", Msg(kMsgNoLuck)}), (Strings{"beep", Msg(kMsgNoLuck)}));
}

TEST(Click, StonesWithAGapBetweenThemAreNoGroup) {
  GameOn g({"a.ae", "bcbe"});
  g.Click(1, 1);
  EXPECT_EQ(g.host.Only({Msg(kMsgNoLuck)}), Strings{Msg(kMsgNoLuck)});
}

TEST(Click, SpecialStonesHitTheirArea) {
  GameSettings s = testing::QuietSettings();
  s.actionsOn = true;
  struct Case {
    const char* what;
    Strings before;
    std::pair<int, int> click;
    std::int32_t removed;
    const char* sound;
    Strings after;
  } cases[] = {
      {"bomb in a corner", {"Bab", "cab", "aab"}, {1, 1}, 4, "SND_EXPLODE", {"..b", "..b", "aab"}},
      {"lone bomb hits only itself", {"a..", "a..", "a.B"}, {3, 3}, 1, "SND_EXPLODE", {"a..", "a..", "a.."}},
      {"rocket right in column C", {"aab", "bbR", "aab"}, {2, 3}, 1, "SND_MISSILE", {"aa.", "bbb", "aab"}},
      {"rocket right takes its row to the right", {"abcd", "aRXD", "abcd"}, {2, 2}, 3, "SND_MISSILE",
       {"a...", "abcd", "abcd"}},
      {"rocket left takes its row from column 1", {"abcd", "aXLd", "abcd"}, {2, 3}, 3, "SND_MISSILE",
       {"...d", "abcd", "abcd"}},
      {"rocket down takes its column downward", {"aDb", "aab", "cab"}, {1, 2}, 3, "SND_MISSILE", {"ab.", "ab.", "cb."}},
      {"no chain reaction", {"aab", "RBb", "ccb"}, {2, 1}, 3, "SND_MISSILE", {"...", "aab", "ccb"}},
  };
  for (const Case& c : cases) {
    GameOn g(c.before, s);
    g.Click(c.click.first, c.click.second);
    EXPECT_EQ(g.game.LastMovePoints(), MovePoints(c.removed)) << c.what;
    EXPECT_EQ(g.host.Only({"sound"}), Strings{std::string("sound ") + c.sound}) << c.what;
    EXPECT_EQ(g.Rows(), c.after) << c.what;
  }
}

TEST(Click, RocksLeaveTheFieldAndTheHistoryAlone) {
  GameSettings s = testing::QuietSettings();
  s.actionsOn = true;
  GameOn g({"XXa", "XXa"}, s);
  g.Click(1, 1);
  EXPECT_EQ(g.Rows(), (Strings{"XXa", "XXa"}));
  EXPECT_TRUE(g.game.History().Empty());
}

TEST(Click, ThreeClicksDuringAnAnimationReplayInOrderOnTheFieldOfTheirTime) {
  GameSettings s = testing::QuietSettings();
  s.animationsOn = true;
  s.soundsOn = false;
  GameOn g({"aab", "ccb", "dde", "ffe"}, s);
  int animations = 0;
  g.host.duringAnimation = [&] {
    if (++animations != 1) {
      // A click during the animation of a replayed click is dropped.
      g.game.imgMainMouseUp(MouseButton::Left, 5, 3 * kH + 5);
      return;
    }
    for (int row : {4, 4, 4}) g.game.imgMainMouseUp(MouseButton::Left, 5, (row - 1) * kH + 5);
    EXPECT_EQ(g.game.PendingClicks().size(), 3u);
  };
  g.Click(1, 1);  // a a goes; each replayed click then takes the bottom-left group: f f, d d, c c
  EXPECT_TRUE(g.game.PendingClicks().empty());
  EXPECT_EQ(g.Rows(), (Strings{"b..", "b..", "e..", "e.."}));
  EXPECT_EQ(g.game.History().Count(), 4u);
  EXPECT_FALSE(g.game.MoveInProgress());
}

TEST(Click, NothingHappensOnceTheGameIsOver) {
  GameOn g({"ab", "ba"});
  EXPECT_FALSE(g.game.GameRunning() && g.game.EndTest());
  g.host.calls.clear();
  g.Click(1, 1);
  EXPECT_TRUE(g.host.Only({"msg", "sound"}).empty());
}

TEST(Click, AHugeOneColouredFieldGoesInOneMove) {
  std::vector<std::string> rows(600, std::string(600, 'a'));
  GameOn g(rows);
  g.Click(300, 300);
  EXPECT_EQ(g.game.Counters().StonesLeft, 0);
  EXPECT_EQ(g.game.LastMovePoints(), MovePoints(360000));
  EXPECT_EQ(g.game.Score(), std::numeric_limits<std::int32_t>::max()) << "beyond 32 bits the score stops";
}

TEST(Click, PointsAndScoreStopAtTheLargestFigure) {
  EXPECT_EQ(MovePoints(46342), 2147441942);  // the largest move that still fits
  EXPECT_EQ(MovePoints(46343), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(AddPoints(2147483000, 1000), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(AddPoints(100, 7), 107);
}

}  // namespace
}  // namespace pebble

#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace pebble {
namespace {

using Strings = std::vector<std::string>;
using testing::GameOn;

// Removes the given cells (row, column) as one move and settles the field.
Strings SettleAfterRemoving(GameOn& g, std::initializer_list<std::pair<int, int>> cells) {
  Field& f = g.game.GetField();
  for (auto [row, column] : cells) {
    const std::int32_t i = f.CellIndex(row, column);
    f[i].Occupied = 0;
    g.game.MutableRemovals().push_back({i, 0, 0, 0});
  }
  g.game.SettleField();
  return g.Rows();
}

TEST(Settle, WorkedExampleOfOneColumn) {
  // a, b, X, c, Y, d from the top; X and Y go.
  GameOn g({"a", "b", "c", "d", "e", "f"});
  EXPECT_EQ(SettleAfterRemoving(g, {{3, 1}, {5, 1}}), (Strings{".", ".", "a", "b", "d", "f"}));
}

TEST(Settle, FieldsAfterAMove) {
  struct Case {
    const char* what;
    Strings before;
    std::initializer_list<std::pair<int, int>> removed;
    Strings after;
  } cases[] = {
      {"removal reaching row 1 leaves no stack", {"ab", "cd"}, {{1, 1}, {2, 1}}, {"b.", "d."}},
      {"stones between two runs fall by the lower run, those above by both",
       {"a", "b", "c", "d", "e", "f", "g"}, {{2, 1}, {5, 1}, {6, 1}}, {".", ".", ".", "a", "c", "d", "g"}},
      {"emptying column 1 slides every column left", {"abc", "bca"}, {{1, 1}, {2, 1}}, {"bc.", "ca."}},
      {"gaps at columns 2 and 4: column 3 slides by one, column 5 by two",
       {"abcde", "abcde"}, {{1, 2}, {2, 2}, {1, 4}, {2, 4}}, {"ace..", "ace.."}},
      {"adjacent empty columns form one gap", {"abcd", "abcd"}, {{1, 2}, {2, 2}, {1, 3}, {2, 3}}, {"ad..", "ad.."}},
      {"empty columns at the right end do not move", {"ab..", "ab.."}, {{1, 2}}, {"a...", "ab.."}},
      {"a fall and a slide in one move", {"ab", "cd", "ef"}, {{1, 1}, {2, 1}, {3, 1}, {3, 2}}, {"..", "b.", "d."}},
  };
  for (const Case& c : cases) {
    GameOn g(c.before);
    EXPECT_EQ(SettleAfterRemoving(g, c.removed), c.after) << c.what;
    EXPECT_TRUE(g.game.Removals().empty());
  }
}

TEST(Settle, ADroppedStoneWithNothingRemovedScoresAndSlidesLeft) {
  // A stone landed alone in column 4, two empty columns away from the others.
  GameOn g({"....", "a..b"});
  g.game.SetScore(10);
  EXPECT_EQ(SettleAfterRemoving(g, {}), (Strings{"....", "ab.."}));
  EXPECT_EQ(g.game.LastMovePoints(), 4);
  EXPECT_EQ(g.game.Score(), 14);
}

TEST(Settle, RecountsAfterwards) {
  GameOn g({"ab", "ba", "ab"});
  SettleAfterRemoving(g, {{2, 1}});
  EXPECT_EQ(g.Rows(), (Strings{".b", "aa", "ab"}));
  EXPECT_EQ(g.game.Counters(), (FieldCounters{6, 5, 3, 0}));
}

TEST(Settle, AnimationStagesAndDataChangesComeInTheirOrder) {
  GameSettings s = testing::QuietSettings();
  s.animationsOn = true;
  Strings seenAtFall;
  GameOn g({"ab", "ab", "cd"}, s);
  g.Click(1, 1);  // the two a stones: nothing above them falls, no column empties
  EXPECT_EQ(g.host.Only({"sound", "delete", "fall", "column", "draw"}),
            (Strings{"sound SND_HITANI", "delete 1", "draw", "draw"}));

  GameOn h({"ab", "cb", "ca"}, s);
  h.host.duringAnimation = [&] {
    if (h.host.calls.back().rfind("fall", 0) == 0) seenAtFall = h.Rows();
  };
  h.Click(2, 1);  // the two c stones of column 1: a falls, then column 2 slides left
  EXPECT_EQ(h.host.Only({"sound", "delete", "fall", "column", "draw"}),
            (Strings{"sound SND_HITANI", "delete 1", "fall 1", "draw", "draw"}));
  EXPECT_EQ(seenAtFall, (Strings{"ab", ".b", ".a"})) << "the cells are emptied before the fall is shown";
  EXPECT_EQ(h.Rows(), (Strings{".b", ".b", "aa"}));
  EXPECT_TRUE(h.host.busySeen);
  EXPECT_FALSE(h.game.Busy());

  GameOn k({"ab", "ab"}, s);
  k.Click(1, 1);
  EXPECT_EQ(k.host.Only({"delete", "fall", "column", "draw"}), (Strings{"delete 1", "draw", "column 1", "draw"}));
  EXPECT_EQ(k.Rows(), (Strings{"b.", "b."}));
}

TEST(Settle, ABombOverThreeColumnsIsOneRemovalAnimation) {
  GameSettings s = testing::QuietSettings();
  s.animationsOn = true;
  s.actionsOn = true;
  GameOn g({"abc", "cBa", "bca", "aab"}, s);
  g.Click(2, 2);
  EXPECT_EQ(g.host.Only({"sound", "delete", "fall", "column"}), (Strings{"sound SND_EXPLODE", "delete 3"}));
  EXPECT_EQ(g.Rows(), (Strings{"...", "...", "...", "aab"}));
  EXPECT_EQ(g.game.LastMovePoints(), MovePoints(9));
}

TEST(Settle, WithoutAnimationsNothingIsAnimatedAndBusyNeverSet) {
  GameOn g({"ab", "ab", "cd"});
  g.Click(1, 1);
  EXPECT_TRUE(g.host.Only({"delete", "fall", "column"}).empty());
  EXPECT_FALSE(g.host.busySeen);
}

}  // namespace
}  // namespace pebble

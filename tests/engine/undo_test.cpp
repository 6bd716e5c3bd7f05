#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace pebble {
namespace {

using Strings = std::vector<std::string>;
using testing::GameOn;

const Strings kStart = {"abba", "aabc", "ccbc"};

TEST(Undo, OneMoveBackToTheStart) {
  GameOn g(kStart);
  const Field start = g.game.GetField();
  g.Click(1, 1);
  EXPECT_TRUE(g.host.undoAvailable);
  g.game.UndoLastMove();
  EXPECT_EQ(g.game.GetField().Cells(), start.Cells()) << "every byte of every record comes back";
  EXPECT_EQ(g.game.Counters(), start.Counters());
  EXPECT_TRUE(g.game.History().Empty());
  EXPECT_FALSE(g.host.undoAvailable);
  EXPECT_EQ(g.game.Score(), 0);
}

TEST(Undo, ScoreAndLastMovePointsStepBack) {
  GameOn g(kStart);
  g.Click(1, 1);  // a a a: 4
  const std::int32_t a = g.game.Score();
  g.Click(3, 1);  // c c: 2 ... whatever the field gives
  const std::int32_t b = g.game.LastMovePoints();
  ASSERT_EQ(g.game.Score(), a + b);
  g.game.UndoLastMove();
  EXPECT_EQ(g.game.Score(), a);
  EXPECT_EQ(g.game.LastMovePoints(), a);
  g.game.UndoLastMove();
  EXPECT_EQ(g.game.Score(), 0);
  EXPECT_EQ(g.game.LastMovePoints(), 0);
}

TEST(Undo, ADropAfterTheMoveDoesNotKeepTheUndoneMovesPoints) {
  GameOn g(kStart);
  g.Click(1, 1);
  const std::int32_t beforeDrop = g.game.Score();
  g.game.SettleField();  // a ramp drop: nothing removed, 4 points, no snapshot
  ASSERT_EQ(g.game.Score(), beforeDrop + 4);
  g.game.UndoLastMove();
  EXPECT_EQ(g.game.Score(), 0);
}

TEST(Undo, RestartGoesBackToTheStartFromAnyDepth) {
  for (int moves : {1, 2, 3}) {
    GameOn g(kStart);
    const Field start = g.game.GetField();
    const std::pair<int, int> clicks[] = {{1, 1}, {3, 1}, {3, 1}};
    for (int m = 0; m < moves; ++m) g.Click(clicks[m].first, clicks[m].second);
    g.game.RestartGame();
    EXPECT_EQ(g.game.GetField().Cells(), start.Cells()) << moves;
    EXPECT_EQ(g.game.Counters(), start.Counters());
    EXPECT_EQ(g.game.Score(), 0);
    EXPECT_EQ(g.game.LastMovePoints(), 0);
    EXPECT_TRUE(g.game.History().Empty());
    EXPECT_FALSE(g.host.undoAvailable);
  }
}

TEST(Undo, WithoutUndoInfoNothingIsKept) {
  GameSettings s = testing::QuietSettings();
  s.undoInfo = false;
  GameOn g(kStart, s);
  g.Click(1, 1);
  EXPECT_TRUE(g.game.History().Empty());
  EXPECT_FALSE(g.game.CanUndo());
  EXPECT_FALSE(g.host.undoAvailable);
}

TEST(Undo, TheStartPositionStaysAvailableAsFullRecords) {
  GameOn g(kStart);
  const std::vector<TStoneCell> start = g.game.GetField().Cells();
  EXPECT_EQ(g.game.StartPosition(), start);
  g.Click(1, 1);
  g.Click(3, 1);
  EXPECT_EQ(g.game.StartPosition(), start);
}

TEST(Undo, SnapshotsTakeTwoBytesACell) {
  std::vector<std::string> rows(40, std::string(40, 'a'));
  for (int r = 0; r < 40; ++r)
    for (int c = 0; c < 40; ++c) rows[r][c] = static_cast<char>('a' + (r * 7 + c * 3) % 5);
  GameOn g(rows);
  for (int i = 0; i < 20; ++i) g.game.PushUndoSnapshot();
  const double perCell = static_cast<double>(g.game.History().SnapshotBytes()) / (20 * 1600);
  EXPECT_LE(perCell, 2.1);
}

TEST(Undo, FieldsThatDoNotPackAreKeptWhole) {
  // A colour beyond the packable number forces a full copy; undo is still exact.
  GameOn g(kStart);
  Field& f = g.game.GetField();
  for (std::int32_t i = 0; i < f.Size(); ++i) f[i].SameColorCount = static_cast<std::uint8_t>(i == 0 ? 200 : f[i].SameColorCount);
  const Field odd = f;
  g.game.PushUndoSnapshot();
  f[0].SameColorCount = 1;
  g.game.UndoLastMove();
  EXPECT_EQ(g.game.GetField().Cells(), odd.Cells());
}

}  // namespace
}  // namespace pebble

#include <gtest/gtest.h>

#include <random>

#include "engine_fixture.h"

namespace pebble {
namespace {

using Strings = std::vector<std::string>;
using testing::GameOn;
using testing::RecordingHost;

// Everything a move leaves behind that a player can see or that scores.
struct Position {
  std::vector<TStoneCell> cells;
  FieldCounters counters;
  std::int32_t score = 0;
  std::int32_t lastMovePoints = 0;
  bool running = false;
  bool operator==(const Position&) const = default;
};

Position PositionOf(const Game& game) {
  return {game.GetField().Cells(), game.Counters(), game.Score(), game.LastMovePoints(), game.GameRunning()};
}

// A random game played to its end: a fresh deal with specials, each move a
// click on a random cell that removes something.
struct RandomGame {
  RecordingHost host;
  GameRandom random;
  Game game{host, random};
  std::vector<Position> positions;  // before the first move, then after each move
  std::vector<std::vector<std::string>> moveCalls;  // what each move asked of the window

  explicit RandomGame(DealNumber deal) {
    host.game = &game;
    GameSettings s = testing::QuietSettings();
    s.actionsOn = true;
    s.actionFrequency = 12;
    s.lowScore = false;
    game.NewField(s, {8, 8}, deal);
    std::mt19937 pick(deal);
    positions.push_back(PositionOf(game));
    while (game.GameRunning()) {
      const std::int32_t cell = RemovingCell(pick);
      host.calls.clear();
      Click(cell);
      moveCalls.push_back(MoveCalls());
      positions.push_back(PositionOf(game));
    }
  }

  std::int32_t RemovingCell(std::mt19937& pick) const {
    std::vector<std::int32_t> cells;
    const Field& f = game.GetField();
    for (std::int32_t i = 0; i < f.Size(); ++i) {
      const TStoneCell& c = f[i];
      if (c.Occupied && c.Kind != skRock && (c.Kind != skNormal || c.SameColorCount > 0)) cells.push_back(i);
    }
    return cells[std::uniform_int_distribution<std::size_t>(0, cells.size() - 1)(pick)];
  }

  // What a move asked of the window; a new best move is news only the first time.
  std::vector<std::string> MoveCalls() const {
    std::vector<std::string> calls;
    for (const std::string& call : host.calls)
      if (call.rfind("best ", 0) != 0) calls.push_back(call);
    return calls;
  }

  void Click(std::int32_t index) {
    const TStoneCell& c = game.GetField()[index];
    game.imgMainMouseUp(MouseButton::Left, c.Left + 1, c.Top + 1);
  }
  void Redo() { game.RedoMove([](const DroppedStone&) { FAIL() << "no ramp in this game"; }); }
  std::size_t Moves() const { return positions.size() - 1; }
};

std::vector<std::string> AsRestored(std::vector<std::string> calls) {
  for (std::string& call : calls)
    if (call.rfind("record ", 0) == 0) call.replace(0, 6, "restored");
  return calls;
}

std::size_t Records(const RecordingHost& host) { return host.Only({"record "}).size(); }

TEST(Redo, UndoToTheStartThenRedoToTheEndRetracesTheGameExactly) {
  for (DealNumber deal : {7u, 2024u, 987654u}) {
    SCOPED_TRACE(deal);
    RandomGame g(deal);
    ASSERT_GT(g.Moves(), 3u);
    ASSERT_FALSE(g.game.CanRedo());
    g.game.SetGameRunning(true);  // the undo after the end, once the player has confirmed it
    for (std::size_t m = g.Moves(); m-- > 0;) {
      g.game.UndoLastMove();
      ASSERT_EQ(PositionOf(g.game), g.positions[m]) << "after undoing move " << m + 1;
    }
    for (std::size_t m = 1; m <= g.Moves(); ++m) {
      ASSERT_TRUE(g.game.CanRedo());
      g.host.calls.clear();
      g.Redo();
      ASSERT_EQ(PositionOf(g.game), g.positions[m]) << "after redoing move " << m;
      // The same move: the same sounds, messages, counts and end of game,
      // except that the end, recorded the first time, is not recorded again.
      ASSERT_EQ(g.MoveCalls(), AsRestored(g.moveCalls[m - 1])) << "move " << m;
    }
    EXPECT_FALSE(g.game.CanRedo());
    EXPECT_FALSE(g.game.GameRunning());
  }
}

TEST(Redo, AFinishedGameIsRecordedOnceHoweverOftenItIsRedoneToItsEnd) {
  RandomGame g(2024);
  g.host.calls.clear();
  for (int round = 0; round < 3; ++round) {
    g.game.SetGameRunning(true);  // the undo after the end, confirmed
    g.game.UndoLastMove();
    g.game.UndoLastMove();
    g.Redo();
    g.Redo();
    ASSERT_FALSE(g.game.GameRunning());
    ASSERT_EQ(PositionOf(g.game), g.positions.back());
  }
  EXPECT_EQ(Records(g.host), 0u);
  EXPECT_EQ(g.host.Only({"restored "}).size(), 3u);
}

TEST(Redo, AnotherEndPlayedAfterTheUndoIsRecordedAsBefore) {
  GameOn g({"aabb"});
  g.Click(1, 1);
  g.Click(1, 1);
  ASSERT_FALSE(g.game.GameRunning());
  ASSERT_EQ(Records(g.host), 1u);
  g.game.SetGameRunning(true);
  g.game.UndoLastMove();
  g.game.UndoLastMove();
  g.Click(1, 3);  // the other order: a new move, a new end
  g.Click(1, 1);
  EXPECT_FALSE(g.game.GameRunning());
  EXPECT_EQ(Records(g.host), 2u);
}

TEST(Redo, UndoAndRedoAlternateWithoutDrift) {
  RandomGame g(4711);
  g.game.SetGameRunning(true);
  std::mt19937 walk(99);
  std::size_t at = g.Moves();
  for (int step = 0; step < 200; ++step) {
    const bool back = at == g.Moves() || (at > 0 && walk() % 2 == 0);
    if (back) {
      g.game.UndoLastMove();
      --at;
    } else {
      g.Redo();
      ++at;
      g.game.SetGameRunning(true);  // the last move ends the game; the walk goes on
    }
    ASSERT_EQ(PositionOf(g.game).cells, g.positions[at].cells) << "step " << step;
    ASSERT_EQ(g.game.Counters(), g.positions[at].counters);
    ASSERT_EQ(g.game.Score(), g.positions[at].score);
  }
}

TEST(Redo, RestartMakesTheWholeGameRedoableAlsoAfterUndos) {
  RandomGame g(31);
  g.game.SetGameRunning(true);
  g.game.UndoLastMove();
  g.game.UndoLastMove();
  g.game.RestartGame();
  EXPECT_EQ(PositionOf(g.game), g.positions[0]);
  EXPECT_EQ(g.game.History().RedoCount(), g.Moves());
  for (std::size_t m = 1; m <= g.Moves(); ++m) {
    g.Redo();
    ASSERT_EQ(PositionOf(g.game), g.positions[m]) << m;
  }
}

const Strings kField = {"abba", "aabc", "ccbc"};

TEST(Redo, ANewMoveOrADropLeavesNothingToRedo) {
  GameOn g(kField);
  g.Click(1, 1);
  g.Click(3, 1);
  g.game.UndoLastMove();
  ASSERT_TRUE(g.game.CanRedo());
  g.Click(2, 2);  // the b group: another move than the undone one
  EXPECT_FALSE(g.game.CanRedo());

  g.game.UndoLastMove();
  ASSERT_TRUE(g.game.CanRedo());
  g.game.NoteDrop({1, skNormal, kClassicPalette[0]});
  EXPECT_FALSE(g.game.CanRedo());
}

TEST(Redo, ClicksThatDoNotMoveKeepWhatCanBeRedone) {
  GameOn g({"abc", "aXc"});
  g.Click(1, 1);
  g.game.UndoLastMove();
  g.Click(1, 2);  // a lone stone: no luck
  g.Click(2, 2);  // a rock
  g.Click(1, 1, MouseButton::Right);
  EXPECT_TRUE(g.game.CanRedo());
}

TEST(Redo, NothingToRedoWithoutUndoInfoOrAfterANewGame) {
  GameSettings s = testing::QuietSettings();
  s.undoInfo = false;
  GameOn off(kField, s);
  off.Click(1, 1);
  EXPECT_FALSE(off.game.CanRedo());

  GameOn g(kField);
  g.Click(1, 1);
  g.game.UndoLastMove();
  ASSERT_TRUE(g.game.CanRedo());
  g.game.NewField(testing::QuietSettings(), {4, 3}, 5);
  EXPECT_FALSE(g.game.CanRedo());
}

TEST(Redo, ClicksMadeDuringARedoneMoveComeAfterItAndEndTheRedo) {
  GameSettings s = testing::QuietSettings();
  s.animationsOn = true;
  GameOn g({"abba", "aabc", "ccbc"}, s);
  g.Click(1, 1);
  g.Click(3, 1);
  const Field afterBoth = g.game.GetField();
  g.game.UndoLastMove();
  g.game.UndoLastMove();
  bool clicked = false;
  g.host.duringAnimation = [&] {
    if (clicked) return;
    clicked = true;
    g.Click(2, 2);  // queued: the b group, once the redone move has settled
  };
  g.game.RedoMove([](const DroppedStone&) {});
  g.host.duringAnimation = nullptr;
  EXPECT_FALSE(g.game.CanRedo()) << "the queued click was a move of its own";
  EXPECT_EQ(g.game.History().Count(), 2u);
  EXPECT_NE(g.game.GetField().Cells(), afterBoth.Cells());
}

}  // namespace
}  // namespace pebble

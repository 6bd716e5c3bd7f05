// The advice in high-score mode against the game itself: the result it
// announces at the start of a deal is what the game scores when the player
// follows it to the end, clearing bonus included.

#include <gtest/gtest.h>

#include "engine/game.h"
#include "solver/advice.h"
#include "solver/solver.h"
#include "support/silent_host.h"

namespace pebble::solver {
namespace {

using namespace std::chrono_literals;

GameSettings HighScoreGame(std::int32_t columns, std::int32_t rows, int colors, bool specials) {
  GameSettings s;
  s.columnCount = columns;
  s.rowCount = rows;
  s.colorCount = static_cast<std::uint8_t>(colors);
  s.lowScore = false;
  s.actionsOn = specials;
  s.actionFrequency = 6;
  s.animationsOn = false;
  s.soundsOn = false;
  return s;
}

TEST(HighScoreAdvice, TheAnnouncedResultIsWhatTheGameScoresFollowingIt) {
  const std::atomic<bool> never{false};
  int cleared = 0;
  for (bool specials : {false, true}) {
    for (std::uint64_t seed = 1; seed <= 6; ++seed) {
      SCOPED_TRACE("seed " + std::to_string(seed) + (specials ? ", special stones" : ""));
      testing::SilentHost host;
      GameRandom random;
      Game game(host, random);
      random.SetFixedSeed(seed);
      const GameSettings settings = HighScoreGame(6, 6, 3, specials);
      game.NewField(settings, {settings.columnCount, settings.rowCount});

      const std::optional<Board> board = BoardOf(game.GetField(), game.Settings());
      ASSERT_TRUE(board.has_value());
      const Goal goal = GoalOf(game.Settings());
      ASSERT_EQ(goal, Goal::MostPoints);
      const Advice advice = AdviceOf(*board, Solve(*board, {goal, 300ms, 1, false}, never), goal);
      ASSERT_TRUE(advice.found);
      ASSERT_EQ(advice.fieldIndex, advice.clicks.front());
      const std::int64_t announced = CountModeResult(advice, game.Settings());

      for (const std::int32_t index : advice.clicks) {
        ASSERT_TRUE(game.GameRunning());
        const TStoneCell& cell = game.GetField()[index];
        game.imgMainMouseUp(MouseButton::Left, cell.Left + 1, cell.Top + 1);
      }
      EXPECT_FALSE(game.GameRunning());  // the advised line plays the game to its end
      EXPECT_EQ(game.Counters().StonesLeft, advice.stonesLeft);
      EXPECT_EQ(game.Score(), announced);
      if (advice.stonesLeft == 0) ++cleared;
    }
  }
  EXPECT_GT(cleared, 0);  // the clearing bonus was part of some announced results
}

}  // namespace
}  // namespace pebble::solver

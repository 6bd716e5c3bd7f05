#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace pebble {
namespace {

using Strings = std::vector<std::string>;
using testing::GameOn;
using testing::Msg;

TEST(EndTest, WhenTheGameIsOver) {
  struct Case {
    Strings rows;
    bool autoDrop;
    bool running;
  } cases[] = {
      {{"ab", "ba"}, false, false},            // lone stones only
      {{"aX", "Xb"}, false, false},            // rocks and lone stones
      {{"aX", "Bb"}, false, true},             // one bomb left keeps it going
      {{"aX", "Rb"}, false, true},             // so does a rocket
      {{"..", ".."}, false, false},            // an empty field
      {{"ab", "ba"}, true, true},              // with the ramp, any stone keeps it going
      {{"..", ".."}, true, false},
  };
  for (const Case& c : cases) {
    GameSettings s = testing::QuietSettings();
    s.autoDrop = c.autoDrop;
    GameOn g(c.rows, s);
    EXPECT_EQ(g.game.EndTest(), c.running) << c.rows[0] << c.rows[1] << " autoDrop " << c.autoDrop;
  }
}

TEST(EndOfGame, StonesLeftEndTheGameInLowScoreMode) {
  GameOn g({"ab", "aa", "bc"});
  g.Click(2, 1);
  EXPECT_FALSE(g.game.GameRunning());
  EXPECT_EQ(g.host.Only({"msg ", "sound", "record", "bonus"}),
            (Strings{Msg(kMsgGameOver), "sound SND_END", "record 3"}))
      << "a move that ends the game plays no move sound";
}

TEST(EndOfGame, AClearedFieldWinsAndEarnsATenthInHighScoreMode) {
  GameSettings s = testing::QuietSettings();
  s.lowScore = false;
  GameOn g({"aa", "bb"}, s);
  g.Click(1, 1);  // 2 points
  g.Click(2, 1);  // 2 points
  EXPECT_EQ(g.host.Only({"msg ", "sound", "record", "bonus"}),
            (Strings{"sound SND_HIT", Msg(kMsgGameOver), "sound SND_END", Msg(kMsgWon), "sound SND_WON", "bonus 0",
                     "record 4"}));

  GameOn big({"aaaaaaaaaa", "aaaaaaaaaa"}, s);  // 20 stones: 344 points, bonus 34
  big.Click(1, 1);
  EXPECT_EQ(big.game.Score(), 378);
  EXPECT_EQ(big.host.Only({"bonus", "record"}), (Strings{"bonus 34", "record 378"}));
}

TEST(EndOfGame, AClearedFieldInLowScoreModeHasNoBonusAndRecordsNothingLeft) {
  GameOn g({"aa", "aa"});
  g.Click(1, 1);
  EXPECT_EQ(g.host.Only({"msg ", "bonus", "record"}),
            (Strings{Msg(kMsgGameOver), Msg(kMsgWon), "record 0"}));
  EXPECT_EQ(g.game.Score(), MovePoints(4));
}

TEST(EndOfGame, WithTheRampTheCountDownStops) {
  GameSettings s = testing::QuietSettings();
  s.autoDrop = true;
  GameOn g({"aa", "aa"}, s);
  g.Click(1, 1);
  EXPECT_EQ(g.host.Only({"stop", "record"}), (Strings{"stop", "record 0"}));
}

TEST(Scoring, BestMoveRisesDuringAGame) {
  GameOn g({"abb", "aab", "ccb"});
  g.game.SetBestMove(5);
  g.Click(3, 1);  // c c: 2 points, below the best
  g.Click(1, 3);  // b b b b: 8 points
  EXPECT_EQ(g.host.Only({"best"}), Strings{"best 8"});
  EXPECT_EQ(g.game.BestMove(), 8);
}

}  // namespace
}  // namespace pebble

// Dealing until a deal can be cleared: the deal number found deals a field
// that its clearing line empties through the rules; deal numbers are tried
// in order and wrap after the last; a field that no line can clear ends the
// dealing when patience runs out, and a cancel ends it at once.

#include <gtest/gtest.h>

#include "engine/game.h"
#include "solver/clearable_deal.h"
#include "support/silent_host.h"

namespace pebble::solver {
namespace {

using namespace std::chrono_literals;

const std::atomic<bool> kNever{false};

GameSettings Quiet(std::int32_t columns, std::int32_t rows) {
  GameSettings s;
  s.columnCount = columns;
  s.rowCount = rows;
  s.animationsOn = false;
  s.soundsOn = false;
  return s;
}

TEST(ClearableDeal, TheDealFoundIsClearedThroughTheRulesByItsLine) {
  for (const bool specials : {false, true}) {
    SCOPED_TRACE(specials ? "with special stones" : "plain stones");
    GameSettings settings = Quiet(10, 16);
    settings.actionsOn = specials;
    const ClearableDeal deal = SeekClearableDeal(settings, {10, 16}, 41, {150ms, 60s}, kNever);
    ASSERT_TRUE(deal.cleared);
    EXPECT_EQ(deal.dealNumber, DealNumber(41 + deal.dealsTried - 1));
    testing::SilentHost host;
    GameRandom random;
    Game game(host, random);
    game.NewField(settings, {10, 16}, deal.dealNumber);
    for (const std::int32_t index : deal.clicks) {
      const TStoneCell& cell = game.GetField()[index];
      game.imgMainMouseUp(MouseButton::Left, cell.Left + 1, cell.Top + 1);
    }
    EXPECT_EQ(game.Counters().StonesLeft, 0);
    EXPECT_FALSE(game.GameRunning());
  }
}

TEST(ClearableDeal, AFieldNoLineClearsEndsWhenPatienceRunsOutAfterTheLastDealNumberComesTheFirst) {
  // One stone alone can never go.
  const ClearableDeal deal = SeekClearableDeal(Quiet(1, 1), {1, 1}, kLastDealNumber, {10ms, 50ms}, kNever);
  EXPECT_FALSE(deal.cleared);
  EXPECT_TRUE(deal.clicks.empty());
  ASSERT_GE(deal.dealsTried, 2);
  EXPECT_EQ(deal.dealNumber, DealNumber(deal.dealsTried - 1));
}

TEST(ClearableDeal, ACancelEndsTheDealingAtOnce) {
  const std::atomic<bool> cancelled{true};
  // Uncancelled, it would deal on for its hour of patience.
  const ClearableDeal deal = SeekClearableDeal(Quiet(1, 1), {1, 1}, 7, {1h, 1h}, cancelled);
  EXPECT_FALSE(deal.cleared);
  EXPECT_EQ(deal.dealsTried, 1);
  EXPECT_EQ(deal.dealNumber, DealNumber{7});
}

}  // namespace
}  // namespace pebble::solver

// Dealing until a deal can be cleared: the deal number kept deals the cleared
// field again, and a field that no line can clear ends the dealing when
// patience runs out.

#include <gtest/gtest.h>

#include "solver/clearable_deal.h"
#include "support/silent_host.h"

namespace pebble::solver {
namespace {

using namespace std::chrono_literals;

struct Table {
  testing::SilentHost host;
  GameRandom random;
  Game game{host, random};
};

GameSettings Quiet(std::int32_t columns, std::int32_t rows) {
  GameSettings s;
  s.columnCount = columns;
  s.rowCount = rows;
  s.animationsOn = false;
  s.soundsOn = false;
  return s;
}

TEST(ClearableDeal, TheDealNumberDealsTheClearedFieldAgain) {
  Table t;
  t.random.SetFixedSeed(41);
  const ClearableDeal deal = DealClearableField(t.game, Quiet(10, 16), {10, 16}, {150ms, 60s});
  ASSERT_TRUE(deal.cleared);
  EXPECT_EQ(t.game.Deal(), std::optional<DealNumber>{deal.dealNumber});
  Table again;
  again.game.NewField(Quiet(10, 16), {10, 16}, deal.dealNumber);
  EXPECT_EQ(again.game.GetField().Cells(), t.game.GetField().Cells());
}

TEST(ClearableDeal, AFieldNoLineClearsEndsWhenPatienceRunsOut) {
  Table t;  // one stone alone can never go
  const ClearableDeal deal = DealClearableField(t.game, Quiet(1, 1), {1, 1}, {10ms, 50ms});
  EXPECT_FALSE(deal.cleared);
  EXPECT_TRUE(deal.clicks.empty());
  EXPECT_GE(deal.dealsTried, 1);
}

}  // namespace
}  // namespace pebble::solver

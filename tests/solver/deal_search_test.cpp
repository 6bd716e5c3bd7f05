// The search of a deal in the background: stopped at any moment it hands
// back a whole line that plays through the engine to the result it claims;
// a line known beforehand is never beaten by a worse one; forgetting ends
// the search; and a line of clicks is valued only when it ends the game.

#include <gtest/gtest.h>

#include "engine/game.h"
#include "solver/clearable_deal.h"
#include "solver/deal_search.h"
#include "solver/solver.h"
#include "support/silent_host.h"

namespace pebble::solver {
namespace {

using namespace std::chrono_literals;

// The rules alone, remembering the result they record at the end.
struct ResultHost : testing::SilentHost {
  std::optional<std::int32_t> recorded;
  void RecordResult(std::int32_t result) override { recorded = result; }
};

struct Deal {
  ResultHost host;
  GameRandom random;
  Game game{host, random};
  Deal(bool lowScore, std::uint64_t seed) {
    random.SetFixedSeed(seed);
    game.NewField(Settings(lowScore), {10, 16});
  }
  static GameSettings Settings(bool lowScore) {
    GameSettings s;
    s.lowScore = lowScore;
    s.animationsOn = false;
    s.soundsOn = false;
    return s;
  }
  Board MakeBoard() const { return *BoardOf(game.GetField(), game.Settings()); }
  void Click(std::int32_t index) {
    const TStoneCell& cell = game.GetField()[index];
    game.imgMainMouseUp(MouseButton::Left, cell.Left + 1, cell.Top + 1);
  }
};

TEST(DealSearch, StoppedAtAnyMomentItsBestLinePlaysThroughTheEngineToItsFigure) {
  for (const bool lowScore : {true, false}) {
    for (const auto searched : {0ms, 5ms, 300ms}) {
      SCOPED_TRACE(std::string(lowScore ? "low score" : "high score") + ", searched " +
                   std::to_string(searched.count()) + " ms");
      Deal deal(lowScore, 4242);
      DealSearch search;
      search.Start(deal.MakeBoard(), GoalOf(deal.game.Settings()), {1h, 1});
      std::this_thread::sleep_for(searched);
      search.Stop();  // a search that kept its whole hour would hold the test until its time-out
      EXPECT_FALSE(search.HasThread());
      if (!search.Best()) continue;  // stopped before its first line: nothing to claim
      const Advice& best = *search.Best();
      for (const std::int32_t click : best.clicks) deal.Click(click);
      ASSERT_TRUE(deal.host.recorded.has_value());
      EXPECT_EQ(deal.game.Counters().StonesLeft, best.stonesLeft);
      EXPECT_EQ(*deal.host.recorded, lowScore ? best.stonesLeft : best.points);
    }
  }
}

TEST(DealSearch, AKnownClearingLineIsNeverBeatenByAWorseOne) {
  ResultHost host;
  GameRandom random;
  Game game(host, random);
  const GameSettings settings = Deal::Settings(true);
  const std::atomic<bool> never{false};
  const ClearableDeal dealt = SeekClearableDeal(settings, {10, 16}, 99, {500ms, 10s}, never);
  ASSERT_TRUE(dealt.cleared);
  game.NewField(settings, {10, 16}, dealt.dealNumber);
  DealSearch search;
  search.Start(*BoardOf(game.GetField(), settings), Goal::FewestStones, {1h, 1}, dealt.clicks);
  search.Stop();  // at once: the search itself has had no time to find the clearing
  ASSERT_TRUE(search.Best().has_value());
  EXPECT_EQ(search.Best()->stonesLeft, 0);
}

TEST(DealSearch, ForgettingEndsTheSearchAndDropsItsAnswer) {
  Deal deal(true, 7);
  DealSearch search;
  search.Start(deal.MakeBoard(), Goal::FewestStones, {1h, 1});
  ASSERT_TRUE(search.HasThread());
  search.Forget();
  EXPECT_FALSE(search.HasThread());
  search.Stop();
  EXPECT_FALSE(search.Best().has_value());
  // Leaving the scope with a search under way ends it as well.
  search.Start(deal.MakeBoard(), Goal::FewestStones, {1h, 1});
}

TEST(DealSearch, AClickLineIsValuedOnlyWhenEveryClickIsAMoveAndItEndsTheGame) {
  Deal deal(true, 31);
  const Board board = deal.MakeBoard();
  const std::atomic<bool> never{false};
  const Line solved = Solve(board, {Goal::FewestStones, 200ms, 1, false}, never);
  const std::vector<std::int32_t> clicks = AdviceOf(board, solved, Goal::FewestStones).clicks;
  ASSERT_GE(clicks.size(), 2u);
  std::vector<std::int32_t> cut(clicks.begin(), clicks.end() - 1);
  std::vector<std::int32_t> offField = clicks;
  offField.back() = board.Columns() * board.Rows();
  std::vector<std::int32_t> beyondTheEnd = clicks;
  beyondTheEnd.push_back(clicks.back());  // the game is over: no click is a move

  const std::optional<Line> whole = LineOfClicks(board, clicks, Goal::FewestStones);
  ASSERT_TRUE(whole.has_value());
  EXPECT_EQ(whole->value, solved.value);
  EXPECT_EQ(whole->stonesLeft, solved.stonesLeft);
  for (const auto& broken : {cut, offField, beyondTheEnd}) EXPECT_FALSE(LineOfClicks(board, broken, Goal::FewestStones));
  EXPECT_TRUE(LineOfClicks(board, {}, Goal::FewestStones) == std::nullopt);  // the game still runs
}

}  // namespace
}  // namespace pebble::solver

// The searches the beam is measured against, nested rollout policy
// adaptation and nested Monte-Carlo search, against the truth: the line they
// hand back plays through the engine to the stones and points it claims, on
// plain fields and with special stones; on fields small enough to try every
// line they find the best one; and a cancel ends them at once, also on a
// field too large for the quick board.

#include <gtest/gtest.h>

#include <thread>

#include "engine/game.h"
#include "solver/solver.h"
#include "support/silent_host.h"
#include "support/solver_fields.h"

namespace pebble::solver {
namespace {

using namespace std::chrono_literals;

constexpr SearchKind kSearches[] = {SearchKind::Nrpa, SearchKind::Nested};

std::string NameOf(SearchKind search) { return search == SearchKind::Nrpa ? "nrpa" : "nested"; }

struct Dealt {
  testing::SilentHost host;
  GameRandom random;
  Game game{host, random};
  Dealt(const GameSettings& s, std::uint64_t seed) {
    random.SetFixedSeed(seed);
    game.NewField(s, {s.columnCount, s.rowCount});
  }
  Board MakeBoard() const { return *Board::FromField(game.GetField(), game.Settings().actionsOn); }
};

SolveRequest RequestOf(SearchKind search, Goal goal, std::chrono::milliseconds budget) {
  SolveRequest request{goal, budget, 2, false};
  request.search = search;
  return request;
}

// The value of the best line, by trying every one.
std::int64_t BestByTryingAll(const Board& board, Goal goal, std::int64_t tally) {
  const std::vector<Move> moves = board.Moves();
  if (moves.empty()) return LineValue(goal, tally, board.StonesLeft());
  std::int64_t best = std::numeric_limits<std::int64_t>::min();
  for (const Move& move : moves) {
    Board next = board;
    const std::int32_t stones = next.Play(move);
    best = std::max(best, BestByTryingAll(next, goal, tally + MoveGain(goal, stones)));
  }
  return best;
}

// In the game's own count, so that the engine's score is the judge. With
// special stones the quick games play on the general board.
TEST(NestedSearches, LinePlaysThroughTheEngineToWhatItClaims) {
  const std::atomic<bool> never{false};
  for (const SearchKind search : kSearches) {
    for (const bool specials : {false, true}) {
      SCOPED_TRACE(NameOf(search) + (specials ? ", special stones" : ""));
      Dealt deal(QuietGame(10, 16, 5, specials), 77);
      Board board = deal.MakeBoard();
      const Line line = Solve(board, RequestOf(search, Goal::FewestStones, 300ms), never);
      ASSERT_FALSE(line.moves.empty());
      for (const Move& move : line.moves) {
        ASSERT_TRUE(board.Clickable(board.FieldIndex(move)));
        const TStoneCell& cell = deal.game.GetField()[board.FieldIndex(move)];
        deal.game.imgMainMouseUp(MouseButton::Left, cell.Left + 1, cell.Top + 1);
        board.Play(move);
      }
      EXPECT_FALSE(deal.game.GameRunning());  // the line plays the game to its end
      EXPECT_EQ(deal.game.Counters().StonesLeft, line.stonesLeft);
      EXPECT_EQ(deal.game.Score(), line.tally);
      EXPECT_EQ(line.value, LineValue(Goal::FewestStones, line.tally, line.stonesLeft));
    }
  }
}

// Neither search can know it has seen every line, so it is cancelled as
// soon as it offers the best one; a search that cannot find it holds the
// test for its whole budget and fails.
TEST(NestedSearches, FindTheBestLineWhereEveryLineCanBeTried) {
  for (const SearchKind search : kSearches) {
    for (const Goal goal : {Goal::FewestStones, Goal::StandardScoring}) {
      for (std::uint64_t seed = 1; seed <= 4; ++seed) {
        SCOPED_TRACE(NameOf(search) + ", goal " + std::to_string(static_cast<int>(goal)) + ", seed " + std::to_string(seed));
        Dealt deal(QuietGame(4, 5, 3), seed);
        const Board board = deal.MakeBoard();
        const std::int64_t truth = BestByTryingAll(board, goal, 0);
        BestLine best(goal);
        std::atomic<bool> cancel{false};
        std::jthread watch([&](std::stop_token done) {
          while (!done.stop_requested() && best.Value() < truth) std::this_thread::sleep_for(1ms);
          cancel = true;
        });
        const Line line = Solve(board, RequestOf(search, goal, 10s), cancel, best);
        EXPECT_EQ(line.value, truth);
      }
    }
  }
}

// On a plain field of the quick board and on one too wide for it (20
// columns), with the budget of an hour.
TEST(NestedSearches, StopWhenCancelled) {
  for (const SearchKind search : kSearches) {
    for (const std::int32_t columns : {15, 20}) {
      SCOPED_TRACE(NameOf(search) + ", " + std::to_string(columns) + " columns");
      const Board board = DealtBoard(columns, 20, 4, 5);
      std::atomic<bool> cancel{false};
      Line line;
      std::thread searching([&] { line = Solve(board, RequestOf(search, Goal::StandardScoring, 1h), cancel); });
      std::this_thread::sleep_for(50ms);
      cancel = true;
      searching.join();  // a search that ignored the flag would hold the test until its time-out
      // What it hands back is no line, or a whole one.
      Board played = board;
      for (const Move& move : line.moves) played.Play(move);
      if (line.Found()) EXPECT_EQ(played.StonesLeft(), line.stonesLeft);
      if (line.Found()) EXPECT_TRUE(played.Moves().empty());
    }
  }
}

}  // namespace
}  // namespace pebble::solver

// The search against the truth: on fields small enough to try every line, it
// must find the best one; on a real deal, its line must play through the
// engine to the stones and points it claims; and it stops when told. The
// last two hold for each search the solver can be told to use.

#include <gtest/gtest.h>

#include <thread>

#include "engine/game.h"
#include "solver/solver.h"
#include "support/silent_host.h"
#include "support/solver_fields.h"

namespace pebble::solver {
namespace {

using namespace std::chrono_literals;

TEST(Solver, FindsTheBestLineWhereEveryLineCanBeTried) {
  const std::atomic<bool> never{false};
  for (Goal goal : {Goal::FewestStones, Goal::MostPoints, Goal::StandardScoring}) {
    for (std::uint64_t seed = 1; seed <= 4; ++seed) {
      const bool specials = seed % 2 == 0 && goal != Goal::StandardScoring;
      DealtGame deal(QuietGame(4, 5, 3, specials), seed);
      const Board board = deal.MakeBoard();
      SCOPED_TRACE("goal " + std::to_string(static_cast<int>(goal)) + ", seed " + std::to_string(seed));
      // The budget is only a bound: a search that has seen every line stops.
      const Line line = Solve(board, {goal, 60s, 2, false}, never);
      EXPECT_EQ(line.value, BestByTryingEvery(board, goal, 0));
    }
  }
}

// The searches the solver can be told to use: its own, and each alone.
constexpr SearchKind kSearches[] = {SearchKind::BeamThenNrpa, SearchKind::Beam, SearchKind::Nrpa, SearchKind::Nested};

std::string NameOf(SearchKind search) {
  switch (search) {
    case SearchKind::BeamThenNrpa: return "beam+nrpa";
    case SearchKind::Beam: return "beam";
    case SearchKind::Nrpa: return "nrpa";
    case SearchKind::Nested: return "nested";
  }
  return "";
}

SolveRequest RequestOf(SearchKind search, Goal goal, std::chrono::milliseconds budget, unsigned threads) {
  SolveRequest request{goal, budget, threads, false};
  request.search = search;
  return request;
}

void CheckLinePlaysThroughTheEngine(SearchKind search, bool specials, std::chrono::milliseconds budget) {
  const std::atomic<bool> never{false};
  DealtGame deal(QuietGame(10, 16, 5, specials), 77);
  Board board = deal.MakeBoard();
  const Line line = Solve(board, RequestOf(search, Goal::FewestStones, budget, 0), never);
  ASSERT_FALSE(line.moves.empty());
  for (const Move& move : line.moves) {
    const TStoneCell& cell = deal.game.GetField()[board.FieldIndex(move)];
    ASSERT_TRUE(board.Clickable(board.FieldIndex(move)));
    deal.game.imgMainMouseUp(MouseButton::Left, cell.Left + 1, cell.Top + 1);
    board.Play(move);
  }
  EXPECT_FALSE(deal.game.GameRunning());  // the line plays the game to its end
  EXPECT_EQ(deal.game.Counters().StonesLeft, line.stonesLeft);
  EXPECT_EQ(deal.game.Score(), line.tally);
}

// Also with no time at all, as on a machine too busy to give the search any:
// it still hands back a whole line to play, never none. With special stones
// every search plays its quick games on the general board.
TEST(Solver, LinePlaysThroughTheEngineToWhatItClaims) {
  for (const SearchKind search : kSearches) {
    for (const std::chrono::milliseconds budget : {300ms, 0ms}) {
      for (bool specials : {false, true}) {
        SCOPED_TRACE(NameOf(search) + ", " + std::to_string(budget.count()) + " ms" + (specials ? ", special stones" : ""));
        CheckLinePlaysThroughTheEngine(search, specials, budget);
      }
    }
  }
}

// On a field where one quick game takes minutes, the first line, too, keeps
// to the budget, and the search comes back with no line rather than late. A
// search that played it out regardless would hold the test until its
// time-out.
TEST(Solver, KeepsToItsBudgetWhereOneQuickGameTakesMinutes) {
  const Board board = DealtBoard(400, 400, 5, 3);
  const std::atomic<bool> never{false};
  const Line line = Solve(board, {Goal::FewestStones, 20ms, 1, false}, never);
  EXPECT_FALSE(line.Found());
}

// On a field of the quick board for plain fields, and on one too wide for it.
TEST(Solver, StopsWhenCancelled) {
  for (const SearchKind search : kSearches) {
    for (const std::int32_t columns : {15, 20}) {
      SCOPED_TRACE(NameOf(search) + ", " + std::to_string(columns) + " columns");
      const Board board = DealtBoard(columns, 20, 4, 5);
      std::atomic<bool> cancel{false};
      Line line;
      std::thread searching([&] { line = Solve(board, RequestOf(search, Goal::StandardScoring, 1h, 2), cancel); });
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

// The background search of a deal rests once its line stops improving: with
// an hour's budget it still comes back by itself, its best line untouched for
// the patience asked, and hands that line back.
TEST(Solver, RestsOnceItsBestLineHasNotImprovedForItsPatience) {
  DealtGame deal(QuietGame(15, 15, 5, false), 7);
  const Board board = deal.MakeBoard();
  const std::atomic<bool> never{false};
  BestLine best(Goal::FewestStones);
  SolveRequest request{Goal::FewestStones, 1h, 1, false};
  request.patience = 100ms;
  const Line line = Solve(board, request, never, best);  // a search that ignored it would hold the test until its time-out
  ASSERT_TRUE(line.Found());
  EXPECT_GE(std::chrono::steady_clock::now() - best.ImprovedAt(), 100ms);
  EXPECT_EQ(line.value, best.Value());
}

// Until the program's processor has worked for `spent`.
void Work(std::chrono::nanoseconds spent) {
  const std::chrono::nanoseconds until = ProgramCpuTime() + spent;
  volatile std::uint64_t churn = 0;
  while (ProgramCpuTime() < until) churn = churn + 1;
}

// A search counted in the program's CPU time is not ended by waiting, only by
// work: in the background on a busy machine it would otherwise give up
// before it had searched. Both its patience and its budget count so; on the
// wall clock, the wait counts.
TEST(StopRule, OnTheProgramsCpuTimeOnlyWorkCounts) {
  struct Case {
    SearchClock clock;
    bool patienceRunsOut;  // the best line untouched, budget plenty
    bool afterAWait, afterWork;
  };
  for (const Case c : {Case{SearchClock::Wall, true, true, true}, Case{SearchClock::Wall, false, true, true},
                       Case{SearchClock::ProgramCpu, true, false, true}, Case{SearchClock::ProgramCpu, false, false, true}}) {
    SCOPED_TRACE(std::string(c.clock == SearchClock::Wall ? "wall" : "cpu") + (c.patienceRunsOut ? ", patience" : ", budget"));
    BestLine best(Goal::StandardScoring);
    best.Offer(Line{{}, 5, 0, 5});
    const auto limit = 40ms;
    StopRule rule{nullptr, std::chrono::steady_clock::now() + (c.patienceRunsOut ? 1h : limit), &best, false};
    rule.patience = c.patienceRunsOut ? std::chrono::steady_clock::duration(limit) : std::chrono::steady_clock::duration(0);
    rule.clock = c.clock;
    rule.cpuDeadline = ProgramCpuTime() + (c.patienceRunsOut ? std::chrono::nanoseconds(1h) : limit);
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(rule.Now(), c.afterAWait);
    Work(60ms);
    EXPECT_EQ(rule.Now(), c.afterWork);
  }
}

TEST(Solver, PositionWithoutMovesGivesTheEmptyLine) {
  Field field(2, 1, 20, 21);
  field[0] = {0, 0, 0, skNormal, kClassicPalette[0], 1};
  field[1] = {1, 20, 0, skNormal, kClassicPalette[1], 1};
  field.Recount(true);
  const std::atomic<bool> never{false};
  for (const SearchKind search : kSearches) {
    SCOPED_TRACE(NameOf(search));
    // A search that never asks the stop rule where there is no move holds
    // the test until its time-out.
    const Line line = Solve(*Board::FromField(field, false), RequestOf(search, Goal::FewestStones, 100ms, 1), never);
    EXPECT_TRUE(line.moves.empty());
    EXPECT_EQ(line.stonesLeft, 2);
  }
}

}  // namespace
}  // namespace pebble::solver

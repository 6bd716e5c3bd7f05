// The searches the beam is measured against, nested rollout policy
// adaptation and nested Monte-Carlo search, find the best line where every
// line can be tried. (That their lines play through the engine and that a
// cancel ends them is tested with the solver's other searches.)

#include <gtest/gtest.h>

#include <thread>

#include "solver/solver.h"
#include "support/solver_fields.h"

namespace pebble::solver {
namespace {

using namespace std::chrono_literals;

// Neither search can know it has seen every line, so it is cancelled as
// soon as it offers the best one; a search that cannot find it (one that
// never plays the colour it saves for last while others are left, say)
// holds the test for its whole budget and fails.
TEST(NestedSearches, FindTheBestLineWhereEveryLineCanBeTried) {
  for (const SearchKind search : {SearchKind::Nrpa, SearchKind::Nested}) {
    for (const Goal goal : {Goal::FewestStones, Goal::StandardScoring}) {
      for (std::uint64_t seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(std::string(search == SearchKind::Nrpa ? "nrpa" : "nested") + ", goal " +
                     std::to_string(static_cast<int>(goal)) + ", seed " + std::to_string(seed));
        const DealtGame deal(QuietGame(4, 5, 3), seed);
        const Board board = deal.MakeBoard();
        const std::int64_t truth = BestByTryingEvery(board, goal);
        BestLine best(goal);
        std::atomic<bool> cancel{false};
        const std::jthread watch([&](const std::stop_token& done) {
          while (!done.stop_requested() && best.Value() < truth) std::this_thread::sleep_for(1ms);
          cancel = true;
        });
        SolveRequest request{goal, 5s, 2, false};
        request.search = search;
        EXPECT_EQ(Solve(board, request, cancel, best).value, truth);
      }
    }
  }
}

}  // namespace
}  // namespace pebble::solver

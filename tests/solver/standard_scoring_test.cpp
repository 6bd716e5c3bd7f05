// The standard scoring of the research on this puzzle, counted by hand on
// small fields: (n - 2)² for a move of n stones, 1000 for clearing the field,
// nothing for a field left with stones. Each line is given as the cells
// clicked one after the other; the solver must value it so, and find the
// best line of the field.

#include <gtest/gtest.h>

#include "solver/deal_search.h"
#include "solver/solver.h"
#include "support/solver_fields.h"

namespace pebble::solver {
namespace {

using namespace std::chrono_literals;

struct CountedLine {
  std::vector<std::int32_t> clicks;  // cells, numbered row by row from the top left
  std::int64_t points;
};

struct CountedField {
  std::vector<std::string> rows;
  std::vector<CountedLine> lines;
  std::int64_t best;
};

const std::vector<CountedField> kFields{
    // Y (2 stones: 0), the X merged (4: 4), V (2: 0), the Z merged (6: 16), the
    // last Y (2: 0), cleared (1000); or one small group after the other:
    // X, Y, X (0 each), Z (3: 1), V (0), Z (3: 1), Y (0), cleared.
    {{"XXYYXXZZZVVZZZYY"}, {{{2, 0, 3, 0, 0}, 1020}, {{0, 0, 0, 0, 0, 0, 0}, 1002}}, 1020},
    // The three B (1); the two A fall and the empty column closes between
    // them: two A (0); cleared.
    {{"AB.", "BBA"}, {{{3, 3}, 1001}}, 1001},
    // Four A (4); the lone B stays: no bonus.
    {{"AAAAB"}, {{{0}, 4}}, 4},
    // Three A (1); the three C fall into one row (1); cleared.
    {{"C..", "AC.", "AAC"}, {{{6, 6}, 1002}}, 1002},
};

TEST(StandardScoring, HandCountedLines) {
  const std::atomic<bool> never{false};
  for (const CountedField& counted : kFields) {
    SCOPED_TRACE(counted.rows.front());
    const Board board = BoardOfRows(counted.rows);
    for (const CountedLine& line : counted.lines) {
      const std::optional<Line> valued = LineOfClicks(board, line.clicks, Goal::StandardScoring);
      ASSERT_TRUE(valued.has_value());
      EXPECT_EQ(FinalPoints(Goal::StandardScoring, valued->tally, valued->stonesLeft), line.points);
      EXPECT_EQ(valued->value, line.points);
    }
    const Line found = Solve(board, {Goal::StandardScoring, 60s, 1, false}, never);
    EXPECT_EQ(FinalPoints(Goal::StandardScoring, found.tally, found.stonesLeft), counted.best);
  }
}

}  // namespace
}  // namespace pebble::solver

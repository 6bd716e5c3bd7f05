// The beam on its own: a pass that claims to have seen every line must have
// found the best one, also where two orders of moves reach the same position
// with different points, whatever earlier best line it searches around, and
// when two threads share each layer; and a pass too wide for its time still
// ends.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "solver/beam_search.h"
#include "support/solver_fields.h"

namespace pebble::solver {
namespace {

using namespace std::chrono_literals;

// The best value on from a position, by trying every line (positions met
// again by another order of moves are looked up, not searched again).
std::int64_t BestGainOn(const Board& board, Goal goal, std::map<std::uint64_t, std::int64_t>& known) {
  const auto [at, isNew] = known.try_emplace(board.Hash(), 0);
  if (!isNew) return at->second;
  std::int64_t best = std::numeric_limits<std::int64_t>::min();
  const std::vector<Move> moves = board.Moves();
  if (moves.empty()) best = LineValue(goal, 0, board.StonesLeft());
  for (const Move& move : moves) {
    Board next = board;
    const std::int64_t gain = MoveGain(goal, next.Play(move));
    best = std::max(best, gain + BestGainOn(next, goal, known));
  }
  known[board.Hash()] = best;
  return best;
}

std::int64_t BestByTryingAll(const Board& board, Goal goal) {
  std::map<std::uint64_t, std::int64_t> known;
  return BestGainOn(board, goal, known);
}

// Runs passes of growing width until one has seen every line, starting from
// the best line a narrow pass of another seed found; with two threads, every
// layer is shared between them.
PassEnd WidenUntilExhaustive(const Board& board, std::uint64_t seed, BestLine& best, unsigned threads = 1) {
  const StopRule never{nullptr, std::chrono::steady_clock::now() + 1h, nullptr, false};
  BeamPass(board, {1, seed + 1000}, never, best);
  PassEnd end = PassEnd::Finished;
  for (int width = 2; end == PassEnd::Finished && width <= 1 << 16; width *= 4) {
    end = BeamPass(board, {width, seed, threads, 0ns}, never, best);
  }
  return end;
}

// In the standard scoring the row holds two ways to reach one position in
// five moves: Y, then the four X at once, then Z, V, Z one by one (6
// points), or X, Y, X, V, then the six Z at once (16 points). On deal 85 of
// 6 x 4 stones in 3 colours, a beam that kept the twin with the better quick
// game instead of the one with more points lost the best line for some
// seeds, and claimed all the same to have seen every line.
TEST(BeamSearch, ClaimsToHaveSeenEveryLineOnlyWithTheBestFound) {
  std::vector<Board> boards{BoardOfRows({"XXYYXXZZZVVZZZYY"}), DealtBoard(6, 4, 3, 85)};
  for (std::uint64_t deal = 1; deal <= 4; ++deal) boards.push_back(DealtBoard(5, 4, 3, deal));
  for (std::size_t b = 0; b < boards.size(); ++b) {
    const std::int64_t truth = BestByTryingAll(boards[b], Goal::StandardScoring);
    for (std::uint64_t seed = 0; seed < 12; ++seed) {
      for (const unsigned threads : {1u, 2u}) {
        SCOPED_TRACE("board " + std::to_string(b) + ", seed " + std::to_string(seed) + ", threads " + std::to_string(threads));
        BestLine best(Goal::StandardScoring);
        ASSERT_EQ(WidenUntilExhaustive(boards[b], seed, best, threads), PassEnd::Exhaustive);
        EXPECT_EQ(best.Value(), truth);
      }
    }
  }
}

// A pass far too wide for its time narrows itself as the time runs out and
// still plays its best positions to the end instead of being cut off.
TEST(BeamSearch, PassTooWideForItsTimeStillEndsWithAWholeLine) {
  const Board board = DealtBoard(15, 15, 5, 3);
  for (const unsigned threads : {1u, 2u}) {
    SCOPED_TRACE("threads " + std::to_string(threads));
    BestLine best(Goal::StandardScoring);
    // Unnarrowed, this pass would take some minutes. Its time is counted in
    // the program's CPU time, so that other work on the machine does not
    // make a layer take longer than the pass planned for.
    StopRule soon{nullptr, std::chrono::steady_clock::now() + 2s, nullptr, false};
    soon.clock = SearchClock::ProgramCpu;
    soon.cpuDeadline = ProgramCpuTime() + 2s;
    EXPECT_EQ(BeamPass(board, {1 << 14, 8, threads}, soon, best), PassEnd::Finished);
    const Line line = best.Get();
    Board played = board;
    std::int64_t tally = 0;
    for (const Move& move : line.moves) tally += MoveGain(Goal::StandardScoring, played.Play(move));
    EXPECT_TRUE(played.Moves().empty());
    EXPECT_EQ(LineValue(Goal::StandardScoring, tally, played.StonesLeft()), line.value);
  }
}

}  // namespace
}  // namespace pebble::solver

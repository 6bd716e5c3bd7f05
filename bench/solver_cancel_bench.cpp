// How long a cancelled search takes to hand back control, on the largest
// field the settings allow (1000 x 1000 stones): the time from raising the
// flag to the end of Solve, the searching threads joined. The search is
// cancelled at a different moment in each run; the worst run is the "worst"
// counter, in milliseconds. On a busy machine that time stretches with the
// share of the processor the search gets, so the longest work between two
// looks at the cancel flag is measured as well, in processor time: a
// position copied and a move played (listing the moves looks at the flag
// every 32 columns).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <thread>

#include "solver/solver.h"
#include "support/solver_fields.h"

namespace pebble::solver {
namespace {

using Clock = std::chrono::steady_clock;

const Board& LargestBoard(int colors, bool specials) {
  static std::map<std::pair<int, bool>, Board> dealt;
  const auto [at, isNew] = dealt.try_emplace({colors, specials});
  if (isNew) {
    testing::SilentHost host;
    GameRandom random;
    random.SetFixedSeed(1000 + static_cast<std::uint64_t>(colors));
    Game game(host, random);
    GameSettings s;
    s.columnCount = kMaxFieldCells;
    s.rowCount = kMaxFieldCells;
    s.stoneWidth = 1;
    s.stoneHeight = 1;
    s.colorCount = static_cast<std::uint8_t>(colors);
    s.actionsOn = specials;
    s.animationsOn = false;
    s.soundsOn = false;
    game.NewField(s, {kMaxFieldCells, kMaxFieldCells});
    at->second = *Board::FromField(game.GetField(), specials);
  }
  return at->second;
}

void CancelOnLargestField(benchmark::State& state) {
  const Board& board = LargestBoard(static_cast<int>(state.range(0)), state.range(1) != 0);
  double worst = 0;
  int run = 0;
  for (auto _ : state) {
    std::atomic<bool> cancel{false};
    std::thread search([&] { Solve(board, {Goal::FewestStones, std::chrono::hours(1), 2, false}, cancel); });
    std::this_thread::sleep_for(std::chrono::milliseconds(30 + 37 * (run++ % 7)));
    const Clock::time_point raised = Clock::now();
    cancel = true;
    search.join();
    const double seconds = std::chrono::duration<double>(Clock::now() - raised).count();
    worst = std::max(worst, seconds);
    state.SetIterationTime(seconds);
  }
  state.counters["worst_ms"] = worst * 1000;
}
BENCHMARK(CancelOnLargestField)
    ->ArgsProduct({{2, 5, 15}, {0, 1}})
    ->ArgNames({"colours", "specials"})
    ->UseManualTime()
    ->Iterations(14)
    ->Unit(benchmark::kMillisecond);

void StepOnLargestField(benchmark::State& state) {
  const Board& board = LargestBoard(static_cast<int>(state.range(0)), state.range(1) != 0);
  const std::vector<Move> moves = board.Moves();
  Board played;
  std::size_t i = 0;
  for (auto _ : state) {
    played = board;
    benchmark::DoNotOptimize(played.Play(moves[i++ % moves.size()]));
  }
}
BENCHMARK(StepOnLargestField)
    ->ArgsProduct({{2, 5, 15}, {0, 1}})
    ->ArgNames({"colours", "specials"})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pebble::solver

// The solver measured: 20 fixed deals of 15 x 15 stones in 5 colours without
// special stones, in the standard scoring of the research on this puzzle, 10
// seconds each; and 100 fixed default deals (10 x 16, 5 colours) in low-score
// mode, 1 second each, counting those cleared. The last two lines of the
// output carry the two results for scripts. Run on demand, not by ctest.

#include <benchmark/benchmark.h>

#include <cstdio>

#include "engine/game.h"
#include "solver/solver.h"
#include "support/silent_host.h"

namespace pebble::solver {
namespace {

using namespace std::chrono_literals;

constexpr int kStandardDeals = 20, kDefaultDeals = 100;

Board Deal(std::int32_t columns, std::int32_t rows, std::uint64_t seed) {
  testing::SilentHost host;
  GameRandom random;
  random.SetFixedSeed(seed);
  Game game(host, random);
  GameSettings s;
  s.columnCount = columns;
  s.rowCount = rows;
  s.colorCount = 5;
  game.NewField(s, {columns, rows});
  return *Board::FromField(game.GetField(), false);
}

std::int64_t standardTotal = 0;
int standardPlayed = 0, defaultCleared = 0, defaultPlayed = 0;

void StandardDeal(benchmark::State& state) {
  const Board board = Deal(15, 15, 15'000 + static_cast<std::uint64_t>(state.range(0)));
  const std::atomic<bool> never{false};
  for (auto _ : state) {
    const Line line = Solve(board, {Goal::StandardScoring, 10s, 0, false}, never);
    const std::int64_t points = FinalPoints(Goal::StandardScoring, line.tally, line.stonesLeft);
    state.counters["points"] = static_cast<double>(points);
    state.counters["left"] = line.stonesLeft;
    standardTotal += points;
    ++standardPlayed;
  }
}
BENCHMARK(StandardDeal)->DenseRange(0, kStandardDeals - 1)->Iterations(1)->Unit(benchmark::kSecond);

void DefaultDeal(benchmark::State& state) {
  const Board board = Deal(10, 16, 1'600 + static_cast<std::uint64_t>(state.range(0)));
  const std::atomic<bool> never{false};
  for (auto _ : state) {
    const Line line = Solve(board, {Goal::FewestStones, 1s, 0, true}, never);
    state.counters["left"] = line.stonesLeft;
    defaultCleared += line.stonesLeft == 0 ? 1 : 0;
    ++defaultPlayed;
  }
}
BENCHMARK(DefaultDeal)->DenseRange(0, kDefaultDeals - 1)->Iterations(1)->Unit(benchmark::kMillisecond);

// How fast the board plays: one whole game of first moves on a default deal.
void PlayOneGame(benchmark::State& state) {
  const Board start = Deal(10, 16, 42);
  std::vector<Move> moves;
  for (auto _ : state) {
    Board board = start;
    for (board.Moves(moves); !moves.empty(); board.Moves(moves)) board.Play(moves.front());
    benchmark::DoNotOptimize(board.StonesLeft());
  }
}
BENCHMARK(PlayOneGame);

}  // namespace
}  // namespace pebble::solver

int main(int argc, char** argv) {
  using namespace pebble::solver;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (standardPlayed == kStandardDeals) {
    std::printf("standard scoring, 20 deals of 15x15, 10 s each: average %lld\n",
                static_cast<long long>((standardTotal + kStandardDeals / 2) / kStandardDeals));
  }
  if (defaultPlayed == kDefaultDeals) std::printf("default deals cleared within 1 s: %d of 100\n", defaultCleared);
  return 0;
}

// The solver measured: 20 fixed deals of 15 x 15 stones in 5 colours without
// special stones, in the standard scoring of the research on this puzzle, 10
// seconds each; 100 fixed default deals (10 x 16, 5 colours) in low-score
// mode, 1 second each, counting those cleared; and the speed of the board, in
// quick games played to the end on a 15 x 15 deal. Every line the solver
// hands back is clicked through the game's own rules, and its points are
// counted again from the stones the game removed: the program stops with an
// error on any difference. The last three lines of the output carry the
// results for scripts. Run on demand, not by ctest.
//
// For a quick comparison of two searches: --benchmark_filter='StandardDeal/[0-4]/'
// plays only the first five standard deals, and PEBBLE_SOLVER_SECONDS=3 gives
// each standard deal 3 seconds instead of 10 (the average line says both).
// PEBBLE_SOLVER_SEARCH=beam (or nrpa, nested) measures that search alone in
// place of the solver's own.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "engine/game.h"
#include "solver/heuristic.h"
#include "solver/solver.h"
#include "support/silent_host.h"

namespace pebble::solver {
namespace {

using namespace std::chrono_literals;

constexpr int kStandardDeals = 20, kDefaultDeals = 100;

// The time of each standard deal: 10 s, or what PEBBLE_SOLVER_SECONDS says.
std::chrono::milliseconds StandardBudget() {
  const char* asked = std::getenv("PEBBLE_SOLVER_SECONDS");
  const double seconds = asked ? std::atof(asked) : 0;
  return std::chrono::milliseconds(seconds > 0 ? static_cast<std::int64_t>(seconds * 1000) : 10'000);
}

// The search measured: the solver's own, or what PEBBLE_SOLVER_SEARCH names
// (beam+nrpa, the solver's own; beam, nrpa or nested alone), so that
// searches can be compared in one build.
SearchKind MeasuredSearch() {
  const char* asked = std::getenv("PEBBLE_SOLVER_SEARCH");
  if (!asked) return SolveRequest{}.search;
  const std::string name = asked;
  if (name == "beam+nrpa") return SearchKind::BeamThenNrpa;
  if (name == "beam") return SearchKind::Beam;
  if (name == "nrpa") return SearchKind::Nrpa;
  if (name == "nested") return SearchKind::Nested;
  std::fprintf(stderr, "PEBBLE_SOLVER_SEARCH: unknown search '%s' (beam+nrpa, beam, nrpa or nested)\n", name.c_str());
  std::exit(2);
}

// A game dealt from a fixed deal, kept to replay the solver's line on.
struct Dealt {
  testing::SilentHost host;
  GameRandom random;
  Game game{host, random};
  Dealt(std::int32_t columns, std::int32_t rows, std::uint64_t seed) {
    random.SetFixedSeed(seed);
    GameSettings s;
    s.columnCount = columns;
    s.rowCount = rows;
    s.colorCount = 5;
    s.animationsOn = false;
    s.soundsOn = false;
    game.NewField(s, {columns, rows});
  }
  Board MakeBoard() const { return *Board::FromField(game.GetField(), false); }
};

[[noreturn]] void Fail(const std::string& deal, const std::string& what) {
  std::fprintf(stderr, "%s: the solver's line does not hold: %s\n", deal.c_str(), what.c_str());
  std::exit(1);
}

// What the game itself made of a line: the stones it removed move by move,
// the stones left, and whether it ended.
struct Replayed {
  std::vector<std::int32_t> removed;
  std::int32_t stonesLeft = 0;
  std::int32_t score = 0;  // the game's own points
};

// Clicks the line's moves on the game's field. A move names its cell by
// column from the left and height from the bottom of the settled field.
Replayed ClickThrough(Game& game, const Line& line, const std::string& deal) {
  const Field& field = game.GetField();
  Replayed replayed;
  for (const Move& move : line.moves) {
    const std::int32_t index = (field.Rows() - 1 - move.height) * field.Columns() + move.column;
    if (index < 0 || index >= field.Size() || !field[index].Occupied) Fail(deal, "a move clicks an empty cell");
    const std::int32_t before = game.Counters().StonesLeft;
    game.imgMainMouseUp(MouseButton::Left, field[index].Left + 1, field[index].Top + 1);
    const std::int32_t removed = before - game.Counters().StonesLeft;
    if (removed < 2) Fail(deal, "the game refused a move");
    replayed.removed.push_back(removed);
  }
  if (game.GameRunning()) Fail(deal, "the game still runs at the end of the line");
  replayed.stonesLeft = game.Counters().StonesLeft;
  replayed.score = game.Score();
  return replayed;
}

// The standard scoring counted afresh: (n - 2)² for a move of n stones, and
// 1000 for a cleared field.
std::int64_t StandardPoints(const Replayed& replayed) {
  std::int64_t points = replayed.stonesLeft == 0 ? 1000 : 0;
  for (const std::int32_t n : replayed.removed) points += std::int64_t{n - 2} * (n - 2);
  return points;
}

std::int64_t standardTotal = 0;
int standardPlayed = 0, defaultCleared = 0, defaultPlayed = 0;
double playoutsPerSecond = 0;

void StandardDeal(benchmark::State& state) {
  const std::string name = "standard deal " + std::to_string(state.range(0));
  const std::atomic<bool> never{false};
  for (auto _ : state) {
    Dealt deal(15, 15, 15'000 + static_cast<std::uint64_t>(state.range(0)));
    SolveRequest request{Goal::StandardScoring, StandardBudget(), 0, false};
    request.search = MeasuredSearch();
    const Line line = Solve(deal.MakeBoard(), request, never);
    state.PauseTiming();
    const Replayed replayed = ClickThrough(deal.game, line, name);
    const std::int64_t points = StandardPoints(replayed);
    if (replayed.stonesLeft != line.stonesLeft) Fail(name, "other stones are left than the solver says");
    if (points != FinalPoints(Goal::StandardScoring, line.tally, line.stonesLeft)) Fail(name, "the points differ");
    state.ResumeTiming();
    state.counters["points"] = static_cast<double>(points);
    state.counters["left"] = line.stonesLeft;
    standardTotal += points;
    ++standardPlayed;
  }
}
BENCHMARK(StandardDeal)->DenseRange(0, kStandardDeals - 1)->Iterations(1)->Unit(benchmark::kSecond);

void DefaultDeal(benchmark::State& state) {
  const std::string name = "default deal " + std::to_string(state.range(0));
  const std::atomic<bool> never{false};
  for (auto _ : state) {
    Dealt deal(10, 16, 1'600 + static_cast<std::uint64_t>(state.range(0)));
    SolveRequest request{Goal::FewestStones, 1s, 0, true};
    request.search = MeasuredSearch();
    const Line line = Solve(deal.MakeBoard(), request, never);
    state.PauseTiming();
    const Replayed replayed = ClickThrough(deal.game, line, name);
    if (replayed.stonesLeft != line.stonesLeft) Fail(name, "other stones are left than the solver says");
    if (replayed.score != line.tally) Fail(name, "the game's points differ");
    state.ResumeTiming();
    state.counters["left"] = line.stonesLeft;
    defaultCleared += replayed.stonesLeft == 0 ? 1 : 0;
    ++defaultPlayed;
  }
}
BENCHMARK(DefaultDeal)->DenseRange(0, kDefaultDeals - 1)->Iterations(1)->Unit(benchmark::kMillisecond);

// How fast the board plays: the search's quick games to the end, one after
// the other on one thread, from the first standard deal.
void Playouts(benchmark::State& state) {
  const Dealt deal(15, 15, 15'000);
  const Board start = deal.MakeBoard();
  const std::vector<Move> moves = start.Moves();
  RolloutRandom random{0x9E3779B97F4A7C15ull};
  Rollout rollout;
  const StopRule never{nullptr, std::chrono::steady_clock::time_point::max(), nullptr, false};
  // Counted in the processor time of this thread: the machine may be busy
  // with other work.
  const std::clock_t began = std::clock();
  for (auto _ : state) {
    PlayOut(Goal::StandardScoring, start, 0, moves, random, rollout, never);
    benchmark::DoNotOptimize(rollout.tally);
  }
  const double seconds = static_cast<double>(std::clock() - began) / CLOCKS_PER_SEC;
  playoutsPerSecond = static_cast<double>(state.iterations()) / std::max(seconds, 1e-9);
  state.counters["playouts"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(Playouts)->MinTime(2.0);

// How fast the board plays: one whole game of first moves on a default deal.
void PlayOneGame(benchmark::State& state) {
  const Board start = Dealt(10, 16, 42).MakeBoard();
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
  if (standardPlayed > 0) {
    std::printf("standard scoring, %d deals of 15x15, %g s each: average %lld\n", standardPlayed,
                std::chrono::duration<double>(StandardBudget()).count(),
                static_cast<long long>((standardTotal + standardPlayed / 2) / standardPlayed));
  }
  if (defaultPlayed == kDefaultDeals) std::printf("default deals cleared within 1 s: %d of 100\n", defaultCleared);
  if (playoutsPerSecond > 0) std::printf("playouts per second on 15x15: %.0f\n", playoutsPerSecond);
  return 0;
}

// Speed of the rules on the largest field, and the memory of the undo history.

#include <benchmark/benchmark.h>

#include "engine/game.h"
#include "support/silent_host.h"

namespace pebble {
namespace {

using testing::SilentHost;

GameSettings LargeField() {
  GameSettings s;
  s.columnCount = 40;
  s.rowCount = 40;
  s.animationsOn = false;
  s.soundsOn = false;
  return s;
}

// One move that removes a comb of 780 stones: every other column's lower half
// and the whole bottom rows, so stacks fall in many columns and columns close.
void BM_SettleLargeMove(benchmark::State& state) {
  SilentHost host;
  GameRandom random;
  Game game(host, random);
  random.SetFixedSeed(1);
  const GameSettings s = LargeField();
  game.NewField(s, {40, 40});
  Field pattern = game.GetField();
  for (std::int32_t i = 0; i < pattern.Size(); ++i) {
    const CellPos p = pattern.CellPosition(i);
    const bool inComb = p.row >= 38 || (p.row >= 20 && p.column % 2 == 1) || p.column <= 3;
    pattern[i].Color = inComb ? kClassicPalette[0] : kClassicPalette[1 + (p.row + p.column) % 4];
  }
  for (auto _ : state) {
    state.PauseTiming();
    game.LoadField(s, {40, 40}, pattern.Cells());
    state.ResumeTiming();
    game.imgMainMouseUp(MouseButton::Left, 5, 39 * 21 + 5);
  }
  state.counters["stones"] = static_cast<double>(game.GetField().Size() - game.Counters().StonesLeft);
}
BENCHMARK(BM_SettleLargeMove)->Unit(benchmark::kMicrosecond);

// Random legal clicks on a 40 x 40 field of 5 colours until the game ends.
void BM_WholeGame(benchmark::State& state) {
  SilentHost host;
  GameRandom random;
  GameRandom player;
  Game game(host, random);
  std::uint64_t deal = 0;
  std::int64_t moves = 0;
  for (auto _ : state) {
    random.SetFixedSeed(++deal);
    player.Seed(deal);
    game.NewField(LargeField(), {40, 40});
    std::vector<std::int32_t> movable;
    while (game.GameRunning()) {
      movable.clear();
      const Field& f = game.GetField();
      for (const TStoneCell& c : f.Cells())
        if (c.Occupied && c.SameColorCount > 0) movable.push_back(c.Index);
      const TStoneCell& pick = f[movable[static_cast<std::size_t>(player.Random(static_cast<std::int32_t>(movable.size())))]];
      game.imgMainMouseUp(MouseButton::Left, pick.Left + 1, pick.Top + 1);
      ++moves;
    }
  }
  state.counters["moves/game"] = benchmark::Counter(static_cast<double>(moves), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_WholeGame)->Unit(benchmark::kMillisecond);

// Memory of the undo history per cell and snapshot, over a whole game.
void BM_UndoSnapshotMemory(benchmark::State& state) {
  SilentHost host;
  GameRandom random;
  Game game(host, random);
  random.SetFixedSeed(3);
  double bytesPerCell = 0;
  for (auto _ : state) {
    game.NewField(LargeField(), {40, 40});
    for (int i = 0; i < 200; ++i) game.PushUndoSnapshot();
    bytesPerCell = static_cast<double>(game.History().SnapshotBytes()) / (200.0 * game.GetField().Size());
  }
  state.counters["bytes/cell"] = bytesPerCell;
}
BENCHMARK(BM_UndoSnapshotMemory)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pebble

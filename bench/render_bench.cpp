// The drawing work that repeats every animation frame: mixing a stone's colour
// into its texture and finding the trace lines of every cell.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "config/game_settings.h"
#include "engine/field.h"
#include "render/outline.h"
#include "render/stone_mix.h"

namespace {

using pebble::Field;

// One textured stone of the default size, or every stone of a field.
void BM_MixStoneColor(benchmark::State& state) {
  const auto stones = static_cast<std::size_t>(state.range(0));
  std::vector<std::uint32_t> pixels(stones * 20 * 21);
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = 0xFF000000u | static_cast<std::uint32_t>(i * 2654435761u);
  for (auto _ : state) {
    for (std::size_t s = 0; s < stones; ++s) {
      pebble::MixStoneColor(pixels.data() + s * 20 * 21, 20 * 21, pebble::kClassicPalette[s % 5]);
    }
    benchmark::DoNotOptimize(pixels.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(stones));
}
BENCHMARK(BM_MixStoneColor)->Arg(1)->Arg(160)->Arg(1600);

Field StripedField(std::int32_t size) {
  Field field(size, size, 20, 21);
  for (std::int32_t i = 0; i < field.Size(); ++i) {
    field[i].Occupied = (i % 13) != 0;
    field[i].Color = pebble::kClassicPalette[static_cast<std::size_t>((i / 3) % 5)];
  }
  field.Recount(true);
  return field;
}

// The trace lines of a whole field, as a full redraw finds them.
void BM_CellOutlineWholeField(benchmark::State& state) {
  const Field field = StripedField(static_cast<std::int32_t>(state.range(0)));
  for (auto _ : state) {
    int lines = 0;
    for (const pebble::TStoneCell& cell : field.Cells()) lines += pebble::CellOutline(field, cell).count;
    benchmark::DoNotOptimize(lines);
  }
  state.SetItemsProcessed(state.iterations() * field.Size());
}
BENCHMARK(BM_CellOutlineWholeField)->Arg(10)->Arg(40);

}  // namespace

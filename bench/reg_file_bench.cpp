// Reading the settings file: time grows linearly with its size, whatever its
// lines hold, and a setting read outside a batch costs no new parse while the
// file is unchanged on disk.
//
//   build/bench/pebble_bench --benchmark_filter='SettingsFile'

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "config/reg_file_format.h"
#include "config/registry_file_backend.h"

namespace pebble {
namespace {

constexpr std::string_view kKeyLine = "[HKEY_CURRENT_USER\\SOFTWARE\\Varnex-Soft\\Pebbledrome\\Konfiguration]\n";

std::string Header() { return std::string(kRegFileHeader) + "\n\n" + std::string(kKeyLine); }

// A hex value whose name fills half the file, then lines holding only the
// continuation mark: the shape that once made every continuation search the
// whole joined line.
std::string LongContinuedValue(std::size_t bytes) {
  std::string text = Header() + "\"" + std::string(bytes / 2, 'n') + "\"=hex:00,\\\n";
  while (text.size() < bytes) text += "\\\n";
  return text;
}

// An ordinary file, only long: many values of every kind.
std::string ManyValues(std::size_t bytes) {
  std::string text = Header();
  for (int i = 0; text.size() < bytes; ++i) {
    const std::string n = std::to_string(i);
    text += "\"Spalten" + n + "\"=dword:0000000a\n\"Bild" + n + "\"=\"/home/jörg/Bilder/Strand" + n +
            ".jpg\"\n\"Farben" + n + "\"=hex:ff,00,00,00,80,80,80,00,\\\n  00,ff,00,00\n";
  }
  return text;
}

template <std::string (*Make)(std::size_t)>
void BM_ParseSettingsFile(benchmark::State& state) {
  const std::string text = Make(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(ParseRegFile(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
  state.SetComplexityN(state.range(0));
}

constexpr std::int64_t kHalfMegabyte = 512 * 1024, kFourMegabytes = 4 * 1024 * 1024;

BENCHMARK_TEMPLATE(BM_ParseSettingsFile, LongContinuedValue)
    ->RangeMultiplier(2)
    ->Range(kHalfMegabyte, kFourMegabytes)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK_TEMPLATE(BM_ParseSettingsFile, ManyValues)
    ->RangeMultiplier(2)
    ->Range(kHalfMegabyte, kFourMegabytes)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// One setting read from a large file on disk, outside any batch, as the game
// reads most of its settings.
void BM_SettingsFileReadOneValue(benchmark::State& state) {
  std::string folder = (std::filesystem::temp_directory_path() / "pebble-bench-XXXXXX").string();
  if (!mkdtemp(folder.data())) {
    state.SkipWithError("no temporary folder");
    return;
  }
  const std::filesystem::path file = std::filesystem::path(folder) / "settings.reg";
  std::ofstream(file, std::ios::binary) << ManyValues(static_cast<std::size_t>(state.range(0)));
  {
    FileRegistryBackend backend({file, std::filesystem::path(folder) / "machine.reg"});
    const std::string key = "SOFTWARE\\Varnex-Soft\\Pebbledrome\\Konfiguration";
    backend.ReadValue(RegHive::CurrentUser, key, "Spalten7");  // the first read parses the file
    for (auto _ : state) benchmark::DoNotOptimize(backend.ReadValue(RegHive::CurrentUser, key, "Spalten7"));
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SettingsFileReadOneValue)->Arg(kHalfMegabyte)->Arg(kFourMegabytes)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pebble

#pragma once
// Searches that share nothing but their best line, one on each thread, each
// with a seed of its own for its random draws.

#include <cstdint>
#include <thread>
#include <vector>

namespace pebble::solver {

// Runs `search(seed)` on `threads` threads, the calling one among them, with
// the seeds 0, 1, ...; returns once all have ended.
template <typename Search>
void OnSeededThreads(unsigned threads, const Search& search) {
  std::vector<std::jthread> others;
  for (unsigned t = 1; t < threads; ++t) others.emplace_back([&search, t] { search(std::uint64_t{t}); });
  search(std::uint64_t{0});
}

}  // namespace pebble::solver

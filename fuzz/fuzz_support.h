#pragma once
// What every fuzz target shares: the input as bytes or text, and a check that
// stops the run with the input kept when a promise of the code is broken.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string_view>

namespace pebble::fuzz {

inline std::span<const std::uint8_t> Bytes(const std::uint8_t* data, std::size_t size) { return {data, size}; }

inline std::string_view Text(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// A broken promise is a fault like a crash: libFuzzer keeps the input.
inline void Require(bool holds, const char* promise) {
  if (holds) return;
  std::fprintf(stderr, "broken promise: %s\n", promise);
  std::abort();
}

}  // namespace pebble::fuzz

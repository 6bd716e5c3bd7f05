#include "engine/random.h"

#include <chrono>

namespace pebble {
namespace {

std::uint64_t SplitMix(std::uint64_t& x) {
  std::uint64_t z = (x += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

std::uint64_t RotateLeft(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

}  // namespace

void GameRandom::Reseed() {
  if (fixedSeed_) {
    Seed(*fixedSeed_);
    return;
  }
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  Seed(static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
}

void GameRandom::Seed(std::uint64_t seed) {
  lastSeed_ = seed;
  std::uint64_t x = seed;
  for (auto& s : state_) s = SplitMix(x);
}

// xoshiro256**: fast, good quality, and the same on every platform, so a seed
// deals the same field on Windows and Linux.
std::uint64_t GameRandom::Next() {
  const std::uint64_t result = RotateLeft(state_[1] * 5, 7) * 9;
  const std::uint64_t t = state_[1] << 17;
  state_[2] ^= state_[0];
  state_[3] ^= state_[1];
  state_[1] ^= state_[2];
  state_[0] ^= state_[3];
  state_[2] ^= t;
  state_[3] = RotateLeft(state_[3], 45);
  return result;
}

std::int32_t GameRandom::Random(std::int32_t n) {
  if (n < 1) return 0;
  // Rejection keeps every outcome equally likely.
  const std::uint64_t range = static_cast<std::uint64_t>(n);
  const std::uint64_t limit = UINT64_MAX - UINT64_MAX % range;
  std::uint64_t v;
  do {
    v = Next();
  } while (v >= limit);
  return static_cast<std::int32_t>(v % range);
}

GameRandom& ProgramRandom() {
  static GameRandom random;
  return random;
}

}  // namespace pebble

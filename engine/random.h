#pragma once
// The one pseudo-random generator of the program. Seeded from the clock at every
// set-up; a fixed seed can be injected so that a deal can be reproduced.

#include <cstdint>
#include <optional>

namespace pebble {

class GameRandom {
 public:
  // Reseeds from the clock, or from the fixed seed when one is set.
  void Reseed();
  void Seed(std::uint64_t seed);
  void SetFixedSeed(std::optional<std::uint64_t> seed) { fixedSeed_ = seed; }
  std::optional<std::uint64_t> FixedSeed() const { return fixedSeed_; }
  std::uint64_t LastSeed() const { return lastSeed_; }

  // A uniformly distributed integer in 0..n-1; 0 when n < 1.
  std::int32_t Random(std::int32_t n);

 private:
  std::uint64_t Next();

  std::uint64_t state_[4] = {1, 2, 3, 4};
  std::uint64_t lastSeed_ = 0;
  std::optional<std::uint64_t> fixedSeed_;
};

GameRandom& ProgramRandom();

}  // namespace pebble

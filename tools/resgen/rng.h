#pragma once
// A small seeded generator of our own: the standard distributions differ between
// library versions, and every run must draw the same pictures and sounds.
#include <cstdint>

namespace pebble::resgen {

class Rng {
 public:
  explicit Rng(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // Uniform in [0, 1).
  double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
  double Range(double low, double high) { return low + (high - low) * Unit(); }
  int Below(int count) { return static_cast<int>(Unit() * count); }

 private:
  std::uint64_t state_;
};

// A hash of lattice coordinates into [0, 1), for noise that needs no state.
inline double HashUnit(std::int64_t x, std::int64_t y, std::uint64_t seed) {
  Rng rng(seed ^ (static_cast<std::uint64_t>(x) * 0x8DA6B343ULL) ^
          (static_cast<std::uint64_t>(y) * 0xD8163841ULL << 1));
  rng.Next();
  return rng.Unit();
}

}  // namespace pebble::resgen

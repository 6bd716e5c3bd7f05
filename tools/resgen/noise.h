#pragma once
// Gradient noise, fractal sums and cell noise. Every function can wrap with a
// whole-number period so that stone textures tile without seams.
#include <cstdint>

namespace pebble::resgen {

// Smooth noise in about [-1, 1]; lattice cells are 1 unit wide. A period of 0
// means no wrapping, otherwise the noise repeats every `period` units.
double GradientNoise(double x, double y, std::uint64_t seed, int periodX = 0, int periodY = 0);

// Sum of `octaves` noise layers, each twice the frequency and `gain` times the
// amplitude of the last; normalised to about [-1, 1].
double Fbm(double x, double y, std::uint64_t seed, int octaves, double gain = 0.5,
           int periodX = 0, int periodY = 0);

struct CellHit {
  double nearest;    // distance to the nearest feature point
  double second;     // distance to the second nearest
  double centerX;    // position of the nearest feature point
  double centerY;
  std::int64_t id;   // identifies the nearest cell
};

// Cell (Worley) noise with one jittered feature point per unit cell.
CellHit CellNoise(double x, double y, std::uint64_t seed, int periodX = 0, int periodY = 0);

}  // namespace pebble::resgen

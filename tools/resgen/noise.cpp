#include "noise.h"

#include <cmath>

#include "rng.h"

namespace pebble::resgen {
namespace {

std::int64_t Wrap(std::int64_t value, int period) {
  if (period <= 0) return value;
  std::int64_t r = value % period;
  return r < 0 ? r + period : r;
}

double Fade(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }

double Corner(std::int64_t ix, std::int64_t iy, double dx, double dy, std::uint64_t seed) {
  const double angle = HashUnit(ix, iy, seed) * 6.283185307179586;
  return std::cos(angle) * dx + std::sin(angle) * dy;
}

}  // namespace

double GradientNoise(double x, double y, std::uint64_t seed, int periodX, int periodY) {
  const double fx = std::floor(x);
  const double fy = std::floor(y);
  const auto x0 = static_cast<std::int64_t>(fx);
  const auto y0 = static_cast<std::int64_t>(fy);
  const double dx = x - fx;
  const double dy = y - fy;
  const std::int64_t ax = Wrap(x0, periodX), bx = Wrap(x0 + 1, periodX);
  const std::int64_t ay = Wrap(y0, periodY), by = Wrap(y0 + 1, periodY);
  const double n00 = Corner(ax, ay, dx, dy, seed);
  const double n10 = Corner(bx, ay, dx - 1, dy, seed);
  const double n01 = Corner(ax, by, dx, dy - 1, seed);
  const double n11 = Corner(bx, by, dx - 1, dy - 1, seed);
  const double u = Fade(dx);
  const double v = Fade(dy);
  const double top = n00 + u * (n10 - n00);
  const double bottom = n01 + u * (n11 - n01);
  return (top + v * (bottom - top)) * 1.41421356;
}

double Fbm(double x, double y, std::uint64_t seed, int octaves, double gain, int periodX,
           int periodY) {
  double sum = 0, amplitude = 1, norm = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += amplitude * GradientNoise(x, y, seed + 7919ULL * i, periodX, periodY);
    norm += amplitude;
    amplitude *= gain;
    x *= 2;
    y *= 2;
    periodX *= 2;
    periodY *= 2;
  }
  return sum / norm;
}

CellHit CellNoise(double x, double y, std::uint64_t seed, int periodX, int periodY) {
  const auto cx = static_cast<std::int64_t>(std::floor(x));
  const auto cy = static_cast<std::int64_t>(std::floor(y));
  CellHit hit{1e9, 1e9, 0, 0, 0};
  for (int oy = -1; oy <= 1; ++oy) {
    for (int ox = -1; ox <= 1; ++ox) {
      const std::int64_t ix = Wrap(cx + ox, periodX);
      const std::int64_t iy = Wrap(cy + oy, periodY);
      const double px = static_cast<double>(cx + ox) + 0.15 + 0.7 * HashUnit(ix, iy, seed);
      const double py = static_cast<double>(cy + oy) + 0.15 + 0.7 * HashUnit(ix, iy, seed + 1);
      const double d = std::hypot(px - x, py - y);
      if (d < hit.nearest) {
        hit.second = hit.nearest;
        hit = {d, hit.second, px, py, iy * 100003 + ix};
      } else if (d < hit.second) {
        hit.second = d;
      }
    }
  }
  return hit;
}

}  // namespace pebble::resgen

#include "render/color_vision.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace pebble {
namespace {

using Matrix = std::array<std::array<double, 3>, 3>;

// Machado et al. 2009, severity 1.0, for linear RGB.
constexpr Matrix kProtanopia = {{{0.152286, 1.052583, -0.204868},
                                 {0.114503, 0.786281, 0.099216},
                                 {-0.003882, -0.048116, 1.051998}}};
constexpr Matrix kDeuteranopia = {{{0.367322, 0.860646, -0.227968},
                                   {0.280085, 0.672501, 0.047413},
                                   {-0.011820, 0.042940, 0.968881}}};
constexpr Matrix kTritanopia = {{{1.255528, -0.076749, -0.178779},
                                 {-0.078411, 0.930809, 0.147602},
                                 {0.004733, 0.691367, 0.303900}}};

double ToLinear(int channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

int FromLinear(double linear) {
  const double c = std::clamp(linear, 0.0, 1.0);
  const double encoded = c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
  return static_cast<int>(std::lround(encoded * 255.0));
}

const Matrix* VisionMatrix(Vision vision) {
  switch (vision) {
    case Vision::Protanopia: return &kProtanopia;
    case Vision::Deuteranopia: return &kDeuteranopia;
    case Vision::Tritanopia: return &kTritanopia;
    case Vision::Normal: break;
  }
  return nullptr;
}

double LabCurve(double t) {
  constexpr double kEpsilon = 216.0 / 24389.0, kKappa = 24389.0 / 27.0;
  return t > kEpsilon ? std::cbrt(t) : (kKappa * t + 16) / 116;
}

}  // namespace

Rgb8 SimulateVision(Rgb8 color, Vision vision) {
  const Matrix* m = VisionMatrix(vision);
  if (!m) return color;
  const std::array<double, 3> in = {ToLinear(color.red), ToLinear(color.green), ToLinear(color.blue)};
  std::array<int, 3> out{};
  for (std::size_t row = 0; row < 3; ++row) {
    out[row] = FromLinear((*m)[row][0] * in[0] + (*m)[row][1] * in[1] + (*m)[row][2] * in[2]);
  }
  return {out[0], out[1], out[2]};
}

Lab ToLab(Rgb8 color) {
  const double r = ToLinear(color.red), g = ToLinear(color.green), b = ToLinear(color.blue);
  // sRGB primaries, D65 white.
  const double x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047;
  const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
  const double z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883;
  const double fx = LabCurve(x), fy = LabCurve(y), fz = LabCurve(z);
  return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

double DeltaE76(const Lab& a, const Lab& b) { return std::hypot(a.l - b.l, a.a - b.a, a.b - b.b); }

double DeltaE76(Rgb8 a, Rgb8 b) { return DeltaE76(ToLab(a), ToLab(b)); }

ClosestPair ClosestColors(std::span<const ColorValue> colors, Vision vision) {
  std::vector<Lab> seen;
  seen.reserve(colors.size());
  for (ColorValue color : colors) seen.push_back(ToLab(SimulateVision(ToRgb8(color), vision)));
  ClosestPair closest;
  bool found = false;
  for (std::size_t i = 0; i < seen.size(); ++i) {
    for (std::size_t j = i + 1; j < seen.size(); ++j) {
      const double d = DeltaE76(seen[i], seen[j]);
      if (found && d >= closest.deltaE) continue;
      closest = {static_cast<int>(i), static_cast<int>(j), d};
      found = true;
    }
  }
  return closest;
}

}  // namespace pebble

#pragma once
// How stone colours look to players with a colour-vision deficiency, and how
// far apart two colours look: the simulation of dichromacy by Machado,
// Oliveira and Fernandes (2009) at full severity, applied in linear RGB, and
// the CIE 1976 colour difference in CIELAB (D65).

#include <array>
#include <span>

#include "config/game_settings.h"

namespace pebble {

enum class Vision { Normal, Protanopia, Deuteranopia, Tritanopia };
constexpr std::array<Vision, 4> kAllVisions = {Vision::Normal, Vision::Protanopia, Vision::Deuteranopia,
                                               Vision::Tritanopia};

struct Rgb8 {
  int red = 0, green = 0, blue = 0;
  bool operator==(const Rgb8&) const = default;
};

struct Lab {
  double l = 0, a = 0, b = 0;
};

constexpr Rgb8 ToRgb8(ColorValue color) {
  return {static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF), static_cast<int>((color >> 16) & 0xFF)};
}

// The colour as seen with the given vision, back in sRGB (rounded, clamped).
Rgb8 SimulateVision(Rgb8 color, Vision vision);

Lab ToLab(Rgb8 color);
double DeltaE76(const Lab& a, const Lab& b);
double DeltaE76(Rgb8 a, Rgb8 b);

// The two colours of a set that look most alike with the given vision, and how
// far apart they look. An empty or one-colour set gives a distance of 0.
struct ClosestPair {
  int first = 0, second = 0;
  double deltaE = 0;
};
ClosestPair ClosestColors(std::span<const ColorValue> colors, Vision vision);

}  // namespace pebble

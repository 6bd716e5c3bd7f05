// The about window's pictures MOREK and MOREK2, 140 x 90: a little cairn of
// balanced pebbles on a beach, by day and by moonlight.
#include <cmath>
#include <vector>

#include "asset_sink.h"
#include "noise.h"
#include "rng.h"
#include "shading.h"

namespace pebble::resgen {
namespace {

constexpr int kWidth = 140, kHeight = 90;
constexpr double kSeaTop = 44, kBeachTop = 57;
constexpr double kMoonX = 24, kMoonY = 15;

std::vector<Pebble> Cairn(bool night) {
  struct Layout {
    double cx, cy, rx, ry, angle;
    unsigned colour;
  };
  const Layout layout[] = {
      {20, 80, 9, 4.2, 0.1, 0xA0654C},   {113, 81, 12, 4.8, -0.06, 0x7C8694},
      {99, 69, 5.5, 2.8, 0.2, 0xCFC4B0},  {64, 73, 27, 9.5, 0.02, 0x8E8A84},
      {65, 58.5, 21, 7.4, -0.05, 0x6E7886}, {63, 46.5, 15, 6.0, 0.06, 0xB39270},
      {64, 37.0, 9, 4.6, -0.04, 0xD6CCBA}};
  const Rgba moonlight{0.55, 0.62, 0.85, 1};
  std::vector<Pebble> pebbles;
  unsigned long long seed = 800;
  for (const Layout& l : layout) {
    Pebble p;
    p.cx = l.cx;
    p.cy = l.cy;
    p.rx = l.rx;
    p.ry = l.ry;
    p.angle = l.angle;
    p.squareness = 2.3;
    p.profile = 2.6;
    Rgba colour = FromHex(l.colour);
    if (night) colour = {colour.r * moonlight.r * 0.7, colour.g * moonlight.g * 0.7, colour.b * moonlight.b * 0.7, 1};
    p.colour = colour;
    p.gloss = night ? 0.35 : 0.25;
    p.grain = 0.1;
    p.seed = seed++;
    pebbles.push_back(p);
  }
  return pebbles;
}

Rgba Sky(bool night, double x, double y) {
  const double t = Clamp01(y / kSeaTop);
  if (!night) {
    Rgba sky = Mix(FromHex(0x8DB6E2), FromHex(0xE6EEF4), t);
    const double cloud = SmoothStep(0.15, 0.6, Fbm(x / 40, y / 9, 61, 4)) * SmoothStep(40, 10, y);
    return Mix(sky, FromHex(0xFFFFFF), 0.6 * cloud);
  }
  Rgba sky = Mix(FromHex(0x081029), FromHex(0x24335E), t);
  const double moon = std::hypot(x - kMoonX, y - kMoonY);
  sky = Mix(sky, FromHex(0x6A7CB0), 0.5 * std::exp(-moon / 12));
  const double cx = std::floor(x / 3), cy = std::floor(y / 3);
  if (HashUnit(static_cast<long long>(cx), static_cast<long long>(cy), 63) < 0.12) {
    const double sx = cx * 3 + 0.5 + 2 * HashUnit(static_cast<long long>(cx), static_cast<long long>(cy), 64);
    const double sy = cy * 3 + 0.5 + 2 * HashUnit(static_cast<long long>(cx), static_cast<long long>(cy), 65);
    const double star = std::exp(-std::pow(std::hypot(x - sx, y - sy) / 0.35, 2));
    sky = Mix(sky, FromHex(0xFFF8E8), star * (1 - t * 0.6));
  }
  const Rgba disc = Mix(FromHex(0xFFFBEA), FromHex(0xE6E0CC), Clamp01(Fbm(x / 3, y / 3, 66, 2) + 0.3));
  return Mix(sky, disc, SmoothStep(5.6, 5.0, moon));
}

Rgba Sea(bool night, double x, double y) {
  const double depth = y - kSeaTop;
  const double streak = SmoothStep(0.3, 0.7, Fbm(x / 25, depth * 1.2, 67, 3));
  if (!night) {
    const Rgba sea = Mix(FromHex(0x6A9CC4), FromHex(0x4C84B0), depth / (kBeachTop - kSeaTop));
    return Mix(sea, FromHex(0xDDEBF5), 0.35 * streak);
  }
  const Rgba sea = Mix(FromHex(0x14204A), FromHex(0x1C2C58), depth / (kBeachTop - kSeaTop));
  const double path = std::exp(-std::pow((x - kMoonX) / (3 + depth * 0.6), 2));
  return Mix(sea, FromHex(0xD8DEF0), Clamp01(path * (0.3 + 0.7 * streak)));
}

Rgba Beach(bool night, double x, double y) {
  const double grain = 0.06 * Fbm(x / 1.5, y / 1.5, 68, 2) + 0.05 * Fbm(x / 12, y / 6, 69, 3);
  const Rgba sand = night ? FromHex(0x41465E) : FromHex(0xD8C5A0);
  Rgba ground = Scale(sand, 1 + grain);
  const double foam = std::exp(-std::pow((y - kBeachTop - 0.5 - 0.8 * std::sin(x / 9)) / 0.8, 2));
  ground = Mix(ground, night ? FromHex(0x9AA4C4) : FromHex(0xF8F6F0), 0.7 * foam);
  return ground;
}

Rgba Scene(bool night, const std::vector<Pebble>& pebbles, double x, double y) {
  Rgba result = y < kSeaTop ? Sky(night, x, y) : y < kBeachTop ? Sea(night, x, y) : Beach(night, x, y);
  for (const Pebble& p : pebbles) {
    const double shadow = PebbleShadow(p, x, y, 0.3 * p.ry + 1, 1.5) * (night ? 0.45 : 0.35);
    result = Over({0.1, 0.08, 0.12, shadow}, result);
    result = Over(ShadePebble(p, x, y, 0.8), result);
  }
  return result;
}

QImage Picture(bool night) {
  const std::vector<Pebble> pebbles = Cairn(night);
  return Render(kWidth, kHeight, 3, [&](double x, double y) { return Scene(night, pebbles, x, y); });
}

}  // namespace

void MakeAboutPictures(AssetSink& sink) {
  sink.Jpeg("MOREK", Picture(false), 92);
  sink.Jpeg("MOREK2", Picture(true), 92);
}

}  // namespace pebble::resgen

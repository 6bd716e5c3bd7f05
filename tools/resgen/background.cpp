// The built-in background JPG_BACK: a still lake at dawn, hazy mountains behind
// it and a pebble beach in front. It fills the field exactly at the default size
// (10 x 16 stones), shows in every emptied cell and, in the voyeur look, through
// the stones, so it is kept light and calm. Its top-left pixel colours the ramp.
#include <algorithm>
#include <cmath>
#include <vector>

#include "asset_sink.h"
#include "noise.h"
#include "rng.h"
#include "shading.h"

namespace pebble::resgen {
namespace {

constexpr int kWidth = 201;
constexpr int kHeight = 337;
constexpr double kHorizon = 170;
constexpr double kSunX = 58, kSunY = 150;

double Ridge(double x, double base, double height, double scale, std::uint64_t seed) {
  const double n = Fbm(x / scale, 0.5, seed, 4, 0.5);
  const double peak = std::sin(x / scale * 1.7 + seed) * 0.35;
  return base - height * (0.5 + 0.5 * n + peak * 0.5);
}

double FarRidge(double x) { return Ridge(x, 150, 44, 70, 3); }
double NearRidge(double x) { return Ridge(x, 166, 26, 42, 5) - 6 * std::exp(-x / 40); }
double Shore(double x) { return 236 + 5 * Fbm(x / 45, 2.5, 7, 3) - x * 0.035; }

Rgba Sky(double x, double y) {
  const double t = Clamp01(y / kHorizon);
  Rgba sky = Mix(FromHex(0x86A9D3), FromHex(0xC7D3E6), SmoothStep(0, 0.65, t));
  sky = Mix(sky, FromHex(0xF3D7C4), SmoothStep(0.45, 1.0, t));
  const double sun = std::hypot((x - kSunX) / 1.3, y - kSunY);
  sky = Mix(sky, FromHex(0xFFF1DA), 0.75 * std::exp(-sun / 38));
  sky = Mix(sky, FromHex(0xFFFBF0), std::exp(-sun / 9));
  // Long soft clouds, lit warm from below.
  const double band = SmoothStep(10, 50, y) * SmoothStep(150, 80, y);
  const double cloud = SmoothStep(0.05, 0.55, Fbm(x / 70, y / 11, 17, 5, 0.55)) * band;
  const Rgba cloudColour = Mix(FromHex(0xF8E6E0), FromHex(0xFFF4E6), t);
  return Mix(sky, cloudColour, 0.55 * cloud);
}

Rgba Mountains(double x, double y, const Rgba& behind) {
  const double far = FarRidge(x), near = NearRidge(x);
  Rgba result = behind;
  if (y > far) {
    const double haze = SmoothStep(far, kHorizon, y);
    Rgba rock = Mix(FromHex(0xA4AECB), FromHex(0xC9CAD9), haze);
    rock = Mix(rock, behind, 0.25);
    result = Mix(behind, rock, SmoothStep(far, far + 0.8, y));
  }
  if (y > near) {
    const double mist = 0.6 * SmoothStep(near + 4, kHorizon + 1, y);
    const double texture = 0.04 * Fbm(x / 9, y / 5, 19, 3);
    Rgba rock = Scale(Mix(FromHex(0x7F8FAD), FromHex(0xB9BDD2), mist), 1 + texture);
    result = Mix(result, rock, SmoothStep(near, near + 0.8, y));
  }
  return result;
}

Rgba Lake(double x, double y) {
  const double depth = y - kHorizon;
  const double ripple = Fbm(x / 40, depth * depth / 900 + depth / 6, 23, 3);
  const double mirrorY = kHorizon - depth * 1.0 - ripple * (1 + depth * 0.05);
  const double mirrorX = x + ripple * 2;
  Rgba mirrored = Mountains(mirrorX, std::min(mirrorY, kHorizon - 0.5), Sky(mirrorX, mirrorY));
  const double nearness = SmoothStep(0, 70, depth);
  Rgba water = Mix(Scale(mirrored, 0.93), FromHex(0x7D9AB2), 0.25 + 0.35 * nearness);
  // Light streaks of the breeze and the sun's glitter path.
  const double streak = SmoothStep(0.35, 0.75, Fbm(x / 55, depth / 1.6, 29, 3));
  water = Mix(water, FromHex(0xE8EEF5), 0.28 * streak);
  const double path = std::exp(-std::pow((x - kSunX) / (9 + depth * 0.35), 2));
  const double glitter = SmoothStep(0.2, 0.7, Fbm(x / 5, depth / 1.2, 31, 2));
  water = Mix(water, FromHex(0xFFF3DE), Clamp01(0.8 * path * glitter + 0.3 * path));
  return water;
}

Rgba Sand(double x, double y) {
  const double grain = 0.05 * Fbm(x / 3, y / 3, 37, 3) + 0.04 * Fbm(x / 20, y / 12, 38, 3);
  const double wet = SmoothStep(Shore(x) + 12, Shore(x), y);
  Rgba sand = Scale(FromHex(0xCDBB9C), 1 + grain);
  sand = Mix(sand, FromHex(0x98907F), 0.6 * wet);
  const double foam = std::exp(-std::pow((y - Shore(x) - 0.6) / 0.9, 2));
  return Mix(sand, FromHex(0xF4F2EC), 0.75 * foam);
}

Rgba Scene(double x, double y) {
  if (y >= Shore(x)) return Sand(x, y);
  if (y >= kHorizon) return Lake(x, y);
  return Mountains(x, y, Sky(x, y));
}

const unsigned kBeachStones[] = {0x8E8C86, 0xA8A398, 0xB69B78, 0xA3755C, 0x7C8693,
                                 0xD8CDB9, 0x5F5B58, 0x9A8F84, 0xC4B8A6, 0x6E7780};

// Pebbles from the water's edge to the bottom, small far away and large near,
// laid in rows so that nearer stones overlap farther ones.
std::vector<Pebble> BeachPebbles() {
  Rng rng(4242);
  std::vector<Pebble> pebbles;
  double y = Shore(100) + 3;
  while (y < kHeight + 10) {
    const double size = 2.2 + (y - 236) * 0.085;
    for (double x = -8 + rng.Range(0, size); x < kWidth + 8; x += size * rng.Range(1.5, 2.6)) {
      const double py = y + rng.Range(-0.4, 0.4) * size;
      if (py < Shore(x) + size * 0.4) continue;
      if (rng.Unit() < 0.18) continue;  // leave some sand between the stones
      Pebble p;
      p.cx = x;
      p.cy = py;
      p.rx = size * rng.Range(0.75, 1.25);
      p.ry = p.rx * rng.Range(0.5, 0.72);
      p.angle = rng.Range(-0.35, 0.35);
      p.squareness = rng.Range(2.0, 2.8);
      const double wet = SmoothStep(Shore(x) + 14, Shore(x), py);
      p.colour = Scale(FromHex(kBeachStones[rng.Below(10)]), rng.Range(0.92, 1.06) * (1 - 0.25 * wet));
      p.gloss = 0.12 + 0.7 * wet;
      p.grain = 0.07;
      p.seed = rng.Next();
      pebbles.push_back(p);
    }
    y += size * rng.Range(1.0, 1.3);
  }
  return pebbles;
}

void PaintPebble(QImage& picture, const Pebble& p) {
  const double reach = std::max(p.rx, p.ry) + 4;
  const int left = static_cast<int>(std::floor(p.cx - reach));
  const int top = static_cast<int>(std::floor(p.cy - reach));
  const int size = static_cast<int>(std::ceil(2 * reach)) + 2;
  PaintOver(picture, left, top, size, size, 4, [&](double x, double y) {
    const Rgba stone = ShadePebble(p, x, y);
    const double shadow = PebbleShadow(p, x, y, 0.12 * p.ry + 0.5, 0.9) * 0.38;
    return Over(stone, {0.18, 0.15, 0.12, shadow});
  });
}

}  // namespace

void MakeBackground(AssetSink& sink) {
  QImage picture = FlattenOn(Render(kWidth, kHeight, 3, Scene), 0xFFFFFFFF);
  for (const Pebble& p : BeachPebbles()) PaintPebble(picture, p);
  sink.Jpeg("JPG_BACK", picture, 93);
}

}  // namespace pebble::resgen

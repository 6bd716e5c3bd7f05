// The stone textures KACHEL1..4. A stone is coloured |stone + texture - 255| per
// channel, so white keeps the stone's own colour and darker greys pull it towards
// its complement: the textures stay light (about 180..255) and neutral. The tile
// is laid edge to edge across the whole field, not per stone, so every texture
// wraps seamlessly at 50 pixels.
#include <cmath>

#include "asset_sink.h"
#include "noise.h"
#include "rng.h"
#include "shading.h"

namespace pebble::resgen {
namespace {

constexpr int kTile = 50;
constexpr double kTau = 6.283185307179586;

Rgba Grey(double level) {
  const double v = Clamp01(level / 255.0);
  return {v, v, v, 1};
}

// Fine granite: soft clouds with dark and bright flecks.
Rgba Granite(double x, double y) {
  const double u = x / kTile, v = y / kTile;
  double level = 236 + 11 * Fbm(u * 4, v * 4, 11, 4, 0.55, 4, 4);
  const CellHit fleck = CellNoise(u * 10, v * 10, 12, 10, 10);
  const double kind = HashUnit(fleck.id, 3, 14);
  const double size = 0.14 + 0.16 * HashUnit(fleck.id, 4, 14);
  const double dot = SmoothStep(size + 0.1, size - 0.05, fleck.nearest);
  if (kind < 0.3) level -= 36 * dot;
  else if (kind < 0.45) level += 18 * dot;
  const CellHit fine = CellNoise(u * 22, v * 22, 13, 22, 22);
  if (HashUnit(fine.id, 5, 15) < 0.25) level -= 16 * SmoothStep(0.3, 0.1, fine.nearest);
  return Grey(level);
}

// White marble with a few grey veins running diagonally.
Rgba Marble(double x, double y) {
  const double u = x / kTile, v = y / kTile;
  const double warp = 2.6 * Fbm(u * 3, v * 3, 21, 4, 0.55, 3, 3);
  const double phase = kTau * (2 * u + v) + warp;
  const double vein = std::pow(1 - std::fabs(std::sin(phase)), 9);
  const double thread = std::pow(1 - std::fabs(std::sin(phase * 2 + 1.3 + warp)), 26);
  const double cloud = 7 * Fbm(u * 5, v * 5, 22, 3, 0.5, 5, 5);
  return Grey(246 + cloud - 58 * vein - 22 * thread);
}

// A mosaic of small rounded pebbles set in darker grout.
Rgba Mosaic(double x, double y) {
  constexpr int kCells = 5;
  const double u = x / kTile * kCells, v = y / kTile * kCells;
  const CellHit cell = CellNoise(u, v, 31, kCells, kCells);
  const double gap = cell.second - cell.nearest;
  const double inside = SmoothStep(0.04, 0.22, gap);
  // Light from the upper left: the side of each pebble facing it is brighter.
  const double dx = u - cell.centerX, dy = v - cell.centerY;
  const double facing = -(dx + dy) * 0.7;
  const double tone = 232 + 16 * HashUnit(cell.id, 6, 34);
  const double grain = 5 * Fbm(u * 3, v * 3, 32, 2, 0.5, kCells * 3, kCells * 3);
  const double pebble = tone + 26 * facing * inside + grain;
  const double grout = 200 + 6 * Fbm(u * 6, v * 6, 33, 2, 0.5, kCells * 6, kCells * 6);
  return Grey(grout + (pebble - grout) * inside);
}

// Sandstone: gentle wavy strata with a fine sandy grain.
Rgba Sandstone(double x, double y) {
  const double u = x / kTile, v = y / kTile;
  const double warp = 1.8 * Fbm(u * 2, v * 2, 41, 3, 0.5, 2, 2);
  const double band = std::sin(kTau * (3 * v + u) + warp);
  const double fineBand = std::sin(kTau * (9 * v + 3 * u) + 2 * warp);
  const double sand = 6 * Fbm(u * 16, v * 16, 42, 2, 0.6, 16, 16);
  return Grey(238 + 9 * band + 4 * fineBand + sand);
}

}  // namespace

void MakeTextures(AssetSink& sink) {
  const Shader shaders[] = {Granite, Marble, Mosaic, Sandstone};
  for (int i = 0; i < 4; ++i) {
    const QString name = QString("KACHEL%1").arg(i + 1);
    sink.Bitmap(name, Render(kTile, kTile, 3, shaders[i]));
    for (double scale : kPictureScales) {
      const int tile = ScaledLength(kTile, scale);
      sink.ScaledBitmap(name, scale, Render(tile, tile, 3, Enlarged(shaders[i], scale)));
    }
  }
}

}  // namespace pebble::resgen

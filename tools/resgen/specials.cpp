// The special stones ACTBMP1 (bomb), ACTBMP2 (rocket pointing right; the game
// turns it for the other directions) and ACTBMP3 (rock), and the four crumbling
// frames BREAK0..3. All are drawn with a key colour, magenta, in the bottom-left
// pixel, which the game makes transparent; every picture keeps that pixel free.
// The pictures are a pixel wider than a stone: the game wipes only the stone's
// own cell when a stone moves on, so every drawn pixel must lie inside it.
#include <QRect>
#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "asset_sink.h"
#include "noise.h"
#include "rng.h"
#include "shading.h"
#include "shapes.h"

namespace pebble::resgen {
namespace {

constexpr int kSamples = 5;
// The stone cell the game draws a picture into, from the picture's top-left corner.
const QRect kStoneCell(0, 0, 20, 21);
// The rocket is turned a quarter and a half turn about the centre of its 21 x 21
// picture; its first column and first row would then land outside the cell.
const QRect kRocketCell(1, 1, 19, 20);
const Rgba kInk = FromHex(0x1E1A1A);

// Lighting of a sphere at a point inside it: 0 dark side .. 1 lit side, plus gloss.
void SphereLight(double x, double y, double cx, double cy, double r, double& diffuse,
                 double& gloss) {
  const double nx = (x - cx) / r, ny = (y - cy) / r;
  const double nz = std::sqrt(std::max(0.0, 1 - nx * nx - ny * ny));
  diffuse = std::max(0.0, -0.5 * nx - 0.55 * ny + 0.67 * nz);
  const double hx = -0.5, hy = -0.55, hz = 1.67, hl = std::sqrt(hx * hx + hy * hy + hz * hz);
  gloss = std::pow(std::max(0.0, (nx * hx + ny * hy + nz * hz) / hl), 30);
}

// A shape filled with `fill` and a dark outline of the given width around it.
Rgba Outlined(double distance, const Rgba& fill, double outline = 0.9) {
  const double shape = Cover(distance - outline);
  if (shape <= 0) return {0, 0, 0, 0};
  return WithAlpha(Mix(kInk, fill, Cover(distance)), shape);
}

Rgba Bomb(double x, double y) {
  constexpr double cx = 9.4, cy = 11.6, r = 7.4;
  Rgba result{0, 0, 0, 0};
  // Spark at the end of the fuse: a four-pointed star in a warm glow.
  const double sx = x - 17.6, sy = y - 2.6;
  const double star = std::hypot(sx, sy) - (0.9 + 1.7 * std::pow(std::fabs(std::cos(2 * std::atan2(sy, sx))), 6));
  const Rgba spark = Mix(FromHex(0xFFB020), FromHex(0xFFFBD0), Cover(std::hypot(sx, sy) - 1.1));
  result = Over(WithAlpha(spark, Cover(star)), result);
  // Fuse: a short bent cord.
  const double fuse = std::min(SdSegment(x, y, 14.6, 5.6, 16.0, 3.6, 0.75),
                               SdSegment(x, y, 16.0, 3.6, 17.4, 2.9, 0.7));
  result = Over(WithAlpha(Mix(FromHex(0x6B4A2B), FromHex(0xC9A06A), Cover(fuse + 0.35)), Cover(fuse)), result);
  // Metal collar where the fuse enters.
  const double cap = SdBox((x - 14.0) * 0.707 + (y - 6.3) * 0.707, -(x - 14.0) * 0.707 + (y - 6.3) * 0.707,
                           0, 0, 1.6, 2.3, 0.4);
  const Rgba capFill = Mix(FromHex(0x5C6068), FromHex(0xB8BEC8), Clamp01(0.5 - (x - 14.0) * 0.3));
  result = Over(Outlined(cap, capFill, 0.6), result);
  // The body: a black iron ball with a cool gloss.
  double diffuse, gloss;
  SphereLight(x, y, cx, cy, r, diffuse, gloss);
  Rgba body = Mix(FromHex(0x0E1016), FromHex(0x4A5366), diffuse);
  body = Mix(body, FromHex(0xF2F6FF), Clamp01(gloss * 1.1));
  const double rim = SmoothStep(r - 2.0, r - 0.2, std::hypot(x - cx, y - cy)) * Clamp01((x - cx + y - cy) / r);
  body = Mix(body, FromHex(0x6A7590), 0.5 * rim);
  return Over(Outlined(SdCircle(x, y, cx, cy, r), body, 0.6), result);
}

Rgba Rocket(double x, double y) {
  constexpr double cy = 10.5;
  Rgba result{0, 0, 0, 0};
  // Exhaust flame behind the tail.
  const double flameLen = std::clamp((4.8 - x) / 3.6, 0.0, 1.0);
  const double flame = std::fabs(y - cy) - 2.4 * std::sqrt(std::max(0.0, 1 - flameLen * flameLen)) * (x < 4.8 ? 1 : 0);
  if (x >= 1.2 && x < 4.8) {
    const Rgba colour = Mix(FromHex(0xFF5A1A), FromHex(0xFFF2A0), Clamp01(1 - std::fabs(y - cy) / 1.6) * (1 - flameLen * 0.6));
    result = Over(WithAlpha(colour, Cover(flame)), result);
  }
  // Fins at the tail, above and below the body.
  const double finTopX[] = {4.2, 8.8, 7.0, 3.4};
  const double finTopY[] = {8.0, 8.0, 3.4, 3.4};
  const double finBotY[] = {13.0, 13.0, 17.6, 17.6};
  const double fins = std::min(SdConvex(x, y, finTopX, finTopY), SdConvex(x, y, finTopX, finBotY));
  const Rgba finFill = Mix(FromHex(0x9E1A1A), FromHex(0xE8463A), Clamp01((cy + 6 - y) / 12 + 0.2));
  result = Over(Outlined(fins, finFill, 0.7), result);
  // Body: a white cylinder, shaded across, with a red nose cone and a window.
  const double across = (y - cy) / 3.4;
  const double shade = 0.55 + 0.45 * std::sqrt(std::max(0.0, 1 - across * across)) - 0.18 * across;
  const double body = SdBox(x, y, 9.3, cy, 5.0, 3.4, 1.0);
  Rgba bodyFill = Scale(FromHex(0xEDEFF3), Clamp01(shade) * 0.95 + 0.08);
  const double noseX[] = {13.5, 19.0, 13.5};
  const double noseY[] = {cy - 3.4, cy, cy + 3.4};
  const double nose = SdConvex(x, y, noseX, noseY);
  const Rgba noseFill = Scale(FromHex(0xE03A2E), Clamp01(shade) + 0.05);
  if (nose < body) bodyFill = noseFill;
  const double window = SdCircle(x, y, 10.6, cy, 1.5);
  Rgba hull = Over(WithAlpha(Mix(kInk, Mix(FromHex(0x2F7DE0), FromHex(0xCFE8FF), Clamp01(-(x - 10.6 + y - cy) * 0.4)),
                                 Cover(window + 0.5)), Cover(window)), bodyFill);
  result = Over(Outlined(std::min(body, nose), hull, 0.7), result);
  return result;
}

// A faceted grey boulder with a flattish base: a jagged outline from a few
// straight-cut corners, each face of a coarse cell pattern tilted its own way.
Rgba Rock(double x, double y) {
  constexpr double cx = 10.0, cy = 11.0;
  const double px[] = {2.2, 4.0, 8.0, 13.2, 16.6, 18.5, 18.6, 15.9, 4.5, 1.6};
  const double py[] = {13.0, 6.8, 3.2, 2.6, 5.0, 9.5, 15.8, 18.6, 18.6, 16.4};
  const double distance = SdConvex(x, y, px, py) + 0.25 * GradientNoise(x / 2.2, y / 2.2, 71);
  const CellHit facet = CellNoise(x / 4.6 + 0.3, y / 4.6, 72);
  const double tiltX = HashUnit(facet.id, 1, 73) - 0.5, tiltY = HashUnit(facet.id, 2, 73) - 0.5;
  double diffuse, gloss;
  SphereLight(x, y, cx, cy, 11.0, diffuse, gloss);
  const double light = Clamp01(0.15 + 0.85 * diffuse + 0.6 * (-tiltX - tiltY));
  Rgba stone = Mix(FromHex(0x3F3B39), FromHex(0xC8C1B4), light);
  stone = Scale(stone, 1 + 0.09 * Fbm(x / 1.3, y / 1.3, 74, 2));
  const double ridge = SmoothStep(0.14, 0.0, facet.second - facet.nearest);
  stone = Mix(stone, Scale(stone, 0.6), 0.7 * ridge);
  // A patch of lichen on the lit top.
  const double lichen = SmoothStep(0.2, 0.6, Fbm(x / 3, y / 3, 75, 2)) * SmoothStep(10, 4, y);
  stone = Mix(stone, FromHex(0x98A45E), 0.5 * lichen);
  return Outlined(distance, stone, 0.8);
}

// Crumbling: the stone splits along cell borders into shards that drift apart,
// shrink and turn to grit. Each shard is drawn by mapping the pixel back to the
// shard's place in the whole stone.
struct Shard {
  double seedX, seedY;  // the shard's cell seed in the whole stone
  double dirX, dirY;    // outward direction
  double spin;
};

std::vector<Shard> Shards() {
  Rng rng(909);
  std::vector<Shard> shards;
  for (int gy = 0; gy < 3; ++gy) {
    for (int gx = 0; gx < 3; ++gx) {
      const double sx = 3.5 + gx * 6.5 + rng.Range(-1.6, 1.6);
      const double sy = 3.8 + gy * 6.8 + rng.Range(-1.6, 1.6);
      const double dx = sx - 10, dy = sy - 10.5, len = std::max(1.0, std::hypot(dx, dy));
      shards.push_back({sx, sy, dx / len, dy / len + 0.25, rng.Range(-0.5, 0.5)});
    }
  }
  return shards;
}

int NearestShard(const std::vector<Shard>& shards, double x, double y, double& edge) {
  double best = 1e9, second = 1e9;
  int index = 0;
  for (std::size_t i = 0; i < shards.size(); ++i) {
    const double d = std::hypot(x - shards[i].seedX, y - shards[i].seedY);
    if (d < best) {
      second = best;
      best = d;
      index = static_cast<int>(i);
    } else if (d < second) {
      second = d;
    }
  }
  edge = (second - best) * 0.5;
  return index;
}

Rgba BreakFrame(int stage, double x, double y) {
  static const std::vector<Shard> shards = Shards();
  const double spread = std::array<double, 4>{0.0, 1.1, 3.0, 5.4}[stage];
  const double shrink = std::array<double, 4>{1.0, 0.93, 0.72, 0.42}[stage];
  Rgba result{0, 0, 0, 0};
  for (std::size_t i = 0; i < shards.size(); ++i) {
    const Shard& s = shards[i];
    const double cx = s.seedX + s.dirX * spread, cy = s.seedY + s.dirY * spread;
    const double turn = s.spin * stage * 0.6;
    const double dx = (x - cx) / shrink, dy = (y - cy) / shrink;
    const double ox = s.seedX + dx * std::cos(turn) + dy * std::sin(turn);
    const double oy = s.seedY - dx * std::sin(turn) + dy * std::cos(turn);
    double edge;
    if (NearestShard(shards, ox, oy, edge) != static_cast<int>(i)) continue;
    const double inStone = -SdBox(ox, oy, 10, 10.5, 9.0, 9.5, 2.0);
    const double gap = stage == 0 ? 0.0 : 0.25;
    const double inside = std::min(inStone, edge - gap) * shrink;
    if (inside < -0.5) continue;
    const double light = 0.75 + 0.25 * HashUnit(static_cast<int>(i), stage, 91) -
                         0.02 * ((ox - s.seedX) + (oy - s.seedY));
    Rgba fill = Scale(FromHex(0xC9C1B4), Clamp01(light) * (1 + 0.07 * Fbm(ox / 2, oy / 2, 92, 2)));
    const double crack = stage == 0 ? SmoothStep(0.7, 0.1, edge) : 0;
    fill = Mix(fill, kInk, 0.85 * crack);
    result = Over(Outlined(-inside, fill, 0.55), result);
  }
  // The last stage is mostly grit.
  if (stage >= 2) {
    Rng rng(930 + stage);
    for (int k = 0; k < 14; ++k) {
      const double gx = rng.Range(1, 19), gy = rng.Range(1, 19.5), r = rng.Range(0.5, 1.0);
      const double d = SdCircle(x, y, gx, gy, r);
      result = Over(WithAlpha(Mix(FromHex(0x8A8275), FromHex(0xD6CEC0), 0.5), Cover(d)), result);
    }
  }
  return result;
}

// Refuses a picture with a drawn pixel outside `cell`: on the ramp and in the
// field such a pixel would stay behind as a stray dot.
void RequireInside(const QImage& picture, const QRect& cell, const char* name) {
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (picture.pixel(x, y) != kMagenta && !cell.contains(x, y)) {
        throw std::runtime_error(std::string(name) + " draws outside its stone at " + std::to_string(x) + ", " +
                                 std::to_string(y));
      }
    }
  }
}

QImage Keyed(int width, int height, const Shader& shader, const QRect& cell, const char* name) {
  QImage picture = FlattenOnKey(Render(width, height, kSamples, shader), kMagenta, 0xFF1E1A1Au, 0.4);
  picture.setPixel(0, height - 1, kMagenta);  // the key the game reads
  RequireInside(picture, cell, name);
  return picture;
}

// The cell once it is drawn `scale` times larger, its edges rounded to the
// nearest pixel as the game rounds them. Where a cell comes out a pixel
// smaller, the game cuts the picture to the cell.
QRect ScaledCell(const QRect& cell, double scale) {
  const auto at = [scale](int units) { return static_cast<int>(std::lround(units * scale)); };
  return QRect(QPoint(at(cell.left()), at(cell.top())), QPoint(at(cell.right() + 1) - 1, at(cell.bottom() + 1) - 1));
}

// The picture and its larger versions for finer screens.
void KeyedPictures(AssetSink& sink, const QString& name, QSize size, const Shader& shader, const QRect& cell) {
  sink.Bitmap(name, Keyed(size.width(), size.height(), shader, cell, qPrintable(name)));
  for (double scale : kPictureScales) {
    sink.ScaledBitmap(name, scale,
                      Keyed(ScaledLength(size.width(), scale), ScaledLength(size.height(), scale),
                            Enlarged(shader, scale), ScaledCell(cell, scale), qPrintable(name + ScaleSuffix(scale))));
  }
}

}  // namespace

void MakeSpecialStones(AssetSink& sink) {
  KeyedPictures(sink, "ACTBMP1", QSize(21, 20), Bomb, kStoneCell);
  KeyedPictures(sink, "ACTBMP2", QSize(21, 21), Rocket, kRocketCell);
  KeyedPictures(sink, "ACTBMP3", QSize(21, 20), Rock, kStoneCell);
  for (int stage = 0; stage < 4; ++stage) {
    KeyedPictures(sink, QString("BREAK%1").arg(stage), QSize(20, 21),
                  [stage](double x, double y) { return BreakFrame(stage, x, y); }, kStoneCell);
  }
}

}  // namespace pebble::resgen

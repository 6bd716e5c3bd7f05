// The count-down's digits DIGIT0..9 and the blank cell DIGITLEER, 14 x 28: a
// red seven-segment display. Dark segments stay faintly visible, as on a real
// display, so a blank cell shows all seven of them unlit.
#include <algorithm>
#include <cmath>

#include "asset_sink.h"
#include "shading.h"

namespace pebble::resgen {
namespace {

// Segments a..g as end points: top, upper right, lower right, bottom, lower
// left, upper left, middle.
struct Segment {
  double ax, ay, bx, by;
};
constexpr double kL = 3.2, kR = 10.8, kT = 3.2, kM = 14.0, kB = 24.8;
const Segment kSegments[7] = {{kL, kT, kR, kT}, {kR, kT, kR, kM}, {kR, kM, kR, kB}, {kL, kB, kR, kB},
                              {kL, kM, kL, kB}, {kL, kT, kL, kM}, {kL, kM, kR, kM}};
// Lit segments per digit, bit 0 = a .. bit 6 = g.
const int kDigitSegments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

// A bar with pointed ends, the classic display segment.
double SdSegmentBar(double x, double y, const Segment& s) {
  constexpr double kHalfWidth = 1.45, kShorten = 1.5;
  const double cx = (s.ax + s.bx) / 2, cy = (s.ay + s.by) / 2;
  const bool horizontal = s.ay == s.by;
  const double along = horizontal ? x - cx : y - cy;
  const double across = horizontal ? y - cy : x - cx;
  const double half = (horizontal ? s.bx - s.ax : s.by - s.ay) / 2 - kShorten;
  return std::max(std::fabs(across) - kHalfWidth, std::fabs(along) + std::fabs(across) - half);
}

Rgba DigitPixel(int lit, double x, double y) {
  const double sx = x + (y - kM) * 0.09;  // a slight forward slant
  double litDistance = 1e9, darkDistance = 1e9;
  for (int i = 0; i < 7; ++i) {
    double& nearest = (lit >> i) & 1 ? litDistance : darkDistance;
    nearest = std::min(nearest, SdSegmentBar(sx, y, kSegments[i]));
  }
  Rgba colour = FromHex(0x050303);
  colour = Mix(colour, FromHex(0x2C0A07), SmoothStep(0.4, -0.4, darkDistance));
  // A soft glow around the lit segments, then the segment with a hotter core.
  colour = Mix(colour, FromHex(0xFF2A10), 0.28 * std::exp(-std::max(0.0, litDistance) / 1.1));
  const Rgba segment = Mix(FromHex(0xFF3A1C), FromHex(0xFFC0A0), SmoothStep(-0.2, -1.1, litDistance));
  return Mix(colour, segment, SmoothStep(0.4, -0.4, litDistance));
}

}  // namespace

void MakeDigits(AssetSink& sink) {
  for (int digit = 0; digit <= 9; ++digit) {
    const int lit = kDigitSegments[digit];
    sink.Bitmap(QString("DIGIT%1").arg(digit),
                Render(14, 28, 4, [lit](double x, double y) { return DigitPixel(lit, x, y); }));
  }
  sink.Bitmap("DIGITLEER", Render(14, 28, 4, [](double x, double y) { return DigitPixel(0, x, y); }));
}

}  // namespace pebble::resgen

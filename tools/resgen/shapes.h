#pragma once
// Signed distances of simple shapes (negative inside), for crisp small pictures.
#include <algorithm>
#include <cmath>

namespace pebble::resgen {

inline double SdCircle(double x, double y, double cx, double cy, double radius) {
  return std::hypot(x - cx, y - cy) - radius;
}

// Rectangle given by its centre and half sizes, corners rounded by `round`.
inline double SdBox(double x, double y, double cx, double cy, double halfW, double halfH,
                    double round = 0) {
  const double qx = std::fabs(x - cx) - halfW + round;
  const double qy = std::fabs(y - cy) - halfH + round;
  const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
  return outside + std::min(std::max(qx, qy), 0.0) - round;
}

// Distance to the segment a-b, less half the stroke width.
inline double SdSegment(double x, double y, double ax, double ay, double bx, double by,
                        double halfWidth) {
  const double px = x - ax, py = y - ay, dx = bx - ax, dy = by - ay;
  const double t = std::clamp((px * dx + py * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  return std::hypot(px - dx * t, py - dy * t) - halfWidth;
}

// Convex polygon with corners in clockwise or anticlockwise order.
template <int N>
double SdConvex(double x, double y, const double (&px)[N], const double (&py)[N]) {
  double inside = -1e9;
  double outside = 1e9;
  double area = 0;
  for (int i = 0; i < N; ++i) {
    const int j = (i + 1) % N;
    area += px[i] * py[j] - px[j] * py[i];
  }
  const double orient = area > 0 ? 1 : -1;
  bool isInside = true;
  for (int i = 0; i < N; ++i) {
    const int j = (i + 1) % N;
    const double ex = px[j] - px[i], ey = py[j] - py[i];
    const double len = std::hypot(ex, ey);
    const double side = orient * ((x - px[i]) * ey - (y - py[i]) * ex) / len;  // > 0 outside
    inside = std::max(inside, side);
    if (side > 0) isInside = false;
    outside = std::min(outside, SdSegment(x, y, px[i], py[i], px[j], py[j], 0));
  }
  return isInside ? inside : outside;
}

// Coverage of a shape from its signed distance, smooth over one pixel.
inline double Cover(double distance, double softness = 0.5) {
  return std::clamp(0.5 - distance / (2 * softness), 0.0, 1.0);
}

}  // namespace pebble::resgen

#include "shading.h"

#include <algorithm>
#include <cmath>

#include "noise.h"

namespace pebble::resgen {

Rgba FromHex(unsigned rgb, double alpha) {
  return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

Rgba Mix(const Rgba& from, const Rgba& to, double t) {
  return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t,
          from.b + (to.b - from.b) * t, from.a + (to.a - from.a) * t};
}

Rgba Scale(const Rgba& colour, double factor) {
  return {colour.r * factor, colour.g * factor, colour.b * factor, colour.a};
}

Rgba WithAlpha(const Rgba& colour, double alpha) { return {colour.r, colour.g, colour.b, alpha}; }

Rgba Over(const Rgba& top, const Rgba& bottom) {
  const double a = top.a + bottom.a * (1 - top.a);
  if (a <= 1e-9) return {0, 0, 0, 0};
  auto channel = [&](double t, double b) { return (t * top.a + b * bottom.a * (1 - top.a)) / a; };
  return {channel(top.r, bottom.r), channel(top.g, bottom.g), channel(top.b, bottom.b), a};
}

double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

double SmoothStep(double edge0, double edge1, double v) {
  const double t = Clamp01((v - edge0) / (edge1 - edge0));
  return t * t * (3 - 2 * t);
}

namespace {

int ToByte(double v) { return static_cast<int>(std::lround(Clamp01(v) * 255.0)); }

}  // namespace

Shader Enlarged(const Shader& shader, double scale) {
  return [shader, scale](double x, double y) { return shader(x / scale, y / scale); };
}

QImage Render(int width, int height, int samples, const Shader& shader) {
  QImage image(width, height, QImage::Format_ARGB32);
  const double step = 1.0 / samples;
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      double r = 0, g = 0, b = 0, a = 0;  // premultiplied sums
      for (int sy = 0; sy < samples; ++sy) {
        for (int sx = 0; sx < samples; ++sx) {
          const Rgba c = shader(x + (sx + 0.5) * step, y + (sy + 0.5) * step);
          const double alpha = Clamp01(c.a);
          r += c.r * alpha;
          g += c.g * alpha;
          b += c.b * alpha;
          a += alpha;
        }
      }
      const double n = samples * samples;
      if (a <= 1e-9) {
        line[x] = qRgba(0, 0, 0, 0);
      } else {
        line[x] = qRgba(ToByte(r / a), ToByte(g / a), ToByte(b / a), ToByte(a / n));
      }
    }
  }
  return image;
}

QImage FlattenOnKey(const QImage& picture, QRgb key, QRgb face, double cutoff) {
  const QImage source = picture.convertToFormat(QImage::Format_ARGB32);
  QImage result(source.size(), QImage::Format_RGB32);
  const Rgba under{qRed(face) / 255.0, qGreen(face) / 255.0, qBlue(face) / 255.0, 1};
  for (int y = 0; y < source.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
    auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < source.width(); ++x) {
      const double alpha = qAlpha(in[x]) / 255.0;
      if (alpha < cutoff) {
        out[x] = key | 0xFF000000u;
        continue;
      }
      const Rgba c = Over({qRed(in[x]) / 255.0, qGreen(in[x]) / 255.0, qBlue(in[x]) / 255.0, alpha}, under);
      out[x] = qRgb(ToByte(c.r), ToByte(c.g), ToByte(c.b));
    }
  }
  return result;
}

QImage FlattenOn(const QImage& picture, QRgb background) {
  QImage result(picture.size(), QImage::Format_RGB32);
  result.fill(background);
  Blit(result, picture, 0, 0);
  return result;
}

QImage Greyed(const QImage& picture, QRgb key) {
  QImage result = picture.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < result.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < result.width(); ++x) {
      if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF)) continue;
      const int grey = (qRed(line[x]) * 30 + qGreen(line[x]) * 59 + qBlue(line[x]) * 11) / 100;
      line[x] = qRgb(grey, grey, grey);
    }
  }
  return result;
}

void Blit(QImage& base, const QImage& picture, int x0, int y0) {
  const QImage top = picture.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < top.height(); ++y) {
    const int by = y + y0;
    if (by < 0 || by >= base.height()) continue;
    for (int x = 0; x < top.width(); ++x) {
      const int bx = x + x0;
      if (bx < 0 || bx >= base.width()) continue;
      const QRgb t = top.pixel(x, y);
      const QRgb b = base.pixel(bx, by);
      const Rgba mixed = Over({qRed(t) / 255.0, qGreen(t) / 255.0, qBlue(t) / 255.0, qAlpha(t) / 255.0},
                              {qRed(b) / 255.0, qGreen(b) / 255.0, qBlue(b) / 255.0, qAlpha(b) / 255.0});
      base.setPixel(bx, by, qRgba(ToByte(mixed.r), ToByte(mixed.g), ToByte(mixed.b), ToByte(mixed.a)));
    }
  }
}

void PaintOver(QImage& base, int left, int top, int width, int height, int samples,
               const Shader& shader) {
  if (width <= 0 || height <= 0) return;
  const QImage patch = Render(width, height, samples, [&](double x, double y) {
    return shader(x + left, y + top);
  });
  Blit(base, patch, left, top);
}

namespace {

// Position in the pebble's own frame, scaled so that the rim lies at radius 1.
void PebbleFrame(const Pebble& p, double x, double y, double& u, double& v) {
  const double dx = x - p.cx;
  const double dy = y - p.cy;
  const double c = std::cos(p.angle), s = std::sin(p.angle);
  u = (dx * c + dy * s) / p.rx;
  v = (-dx * s + dy * c) / p.ry;
}

double SuperRadius(double u, double v, double n) {
  return std::pow(std::pow(std::fabs(u), n) + std::pow(std::fabs(v), n), 1.0 / n);
}

}  // namespace

Rgba ShadePebble(const Pebble& p, double x, double y, double edge) {
  double u, v;
  PebbleFrame(p, x, y, u, v);
  const double d = SuperRadius(u, v, p.squareness);
  const double rimPixels = (1 - d) * std::min(p.rx, p.ry);
  const double coverage = SmoothStep(-edge * 0.5, edge * 0.5, rimPixels);
  if (coverage <= 0) return {0, 0, 0, 0};

  // Height of a flattened dome; its gradient gives the surface normal.
  const double dd = std::min(d, 0.999);
  const double h = std::pow(1 - std::pow(dd, p.profile), 0.5);
  const double eps = 1e-3;
  const double du = (SuperRadius(u + eps, v, p.squareness) - d) / eps;
  const double dv = (SuperRadius(u, v + eps, p.squareness) - d) / eps;
  const double slope = 0.5 * p.profile * std::pow(dd, p.profile - 1) / std::max(h, 0.05);
  // Back into picture space so the light comes from the picture's upper left.
  const double c = std::cos(p.angle), s = std::sin(p.angle);
  const double gx = (du / p.rx * c - dv / p.ry * s) * std::min(p.rx, p.ry);
  const double gy = (du / p.rx * s + dv / p.ry * c) * std::min(p.rx, p.ry);
  double nx = gx * slope * 0.55, ny = gy * slope * 0.55, nz = 1;
  const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
  nx /= len;
  ny /= len;
  nz /= len;
  const double lx = -0.45, ly = -0.6, lz = 0.66;  // light from the upper left
  const double diffuse = std::max(0.0, nx * lx + ny * ly + nz * lz);
  const double hx = lx, hy = ly, hz = lz + 1;  // half vector towards the viewer
  const double hl = std::sqrt(hx * hx + hy * hy + hz * hz);
  const double specular = std::pow(std::max(0.0, (nx * hx + ny * hy + nz * hz) / hl), 40);

  // Grain in the pebble's own scale, so a large pebble is not smoother than a small one.
  const double unit = 12.0 / std::min(p.rx, p.ry);
  const double grain = Fbm(u * 6, v * 6, p.seed, 3) * p.grain +
                       SmoothStep(0.45, 0.6, Fbm(x * unit * 0.5, y * unit * 0.5, p.seed + 5, 2)) * -p.grain;
  Rgba base = Scale(p.colour, 1 + grain);
  const double light = 0.38 + 0.78 * diffuse;
  Rgba lit = Scale(base, light);
  // A little bounced light keeps the shadow side from going flat.
  lit = Mix(lit, Scale(base, 0.55), 0.15 * (1 - diffuse));
  lit = Mix(lit, {1, 1, 1, 1}, Clamp01(specular * p.gloss));
  lit.a = coverage * p.colour.a;
  return lit;
}

double PebbleShadow(const Pebble& p, double x, double y, double offset, double softness) {
  double u, v;
  Pebble moved = p;
  moved.cx += offset * 0.6;
  moved.cy += offset;
  moved.rx += softness * 0.5;
  moved.ry += softness * 0.5;
  PebbleFrame(moved, x, y, u, v);
  const double d = SuperRadius(u, v, p.squareness);
  const double rimPixels = (1 - d) * std::min(moved.rx, moved.ry);
  return SmoothStep(-softness, softness, rimPixels);
}

}  // namespace pebble::resgen

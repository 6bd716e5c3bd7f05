#pragma once
// Pictures are painted as functions of the pixel position: a shader returns the
// colour at a point, and Render averages several points per pixel so that every
// edge comes out smooth.
#include <QColor>
#include <QImage>
#include <functional>

namespace pebble::resgen {

// Colour with straight (not premultiplied) components in 0..1.
struct Rgba {
  double r = 0, g = 0, b = 0, a = 1;
};

using Shader = std::function<Rgba(double x, double y)>;

Rgba FromHex(unsigned rgb, double alpha = 1.0);  // 0xRRGGBB
Rgba Mix(const Rgba& from, const Rgba& to, double t);
Rgba Scale(const Rgba& colour, double factor);      // brightness, alpha kept
Rgba WithAlpha(const Rgba& colour, double alpha);
Rgba Over(const Rgba& top, const Rgba& bottom);     // top composed over bottom
double Clamp01(double v);
double SmoothStep(double edge0, double edge1, double v);

// The shader drawn `scale` times larger: a picture of the same thing with more pixels.
Shader Enlarged(const Shader& shader, double scale);

// Samples the shader on a grid of samples x samples points inside every pixel.
// The result is ARGB32 (straight alpha).
QImage Render(int width, int height, int samples, const Shader& shader);

// For key-colour bitmaps: pixels covered less than `cutoff` become the key
// colour, the others are composed over `face`, the colour they will mostly be
// seen against. The result has no alpha channel.
QImage FlattenOnKey(const QImage& picture, QRgb key, QRgb face, double cutoff = 0.5);

// Composes an image with alpha over a solid colour.
QImage FlattenOn(const QImage& picture, QRgb background);

// Grey version by luminance, key-coloured pixels kept as they are.
QImage Greyed(const QImage& picture, QRgb key);

// Renders the shader inside the box only and composes it over `base` there:
// cheap for small shapes on a large picture.
void PaintOver(QImage& base, int left, int top, int width, int height, int samples,
               const Shader& shader);

// Places `picture` (with alpha) over `base` at the given offset.
void Blit(QImage& base, const QImage& picture, int x, int y);

// A rounded pebble lit from the upper left: shape, shading, gloss and grain.
struct Pebble {
  double cx = 0, cy = 0;     // centre
  double rx = 1, ry = 1;     // half axes
  double angle = 0;          // turn of the long axis, radians
  double squareness = 2.4;   // superellipse exponent: 2 ellipse, larger boxier
  double profile = 2;        // 2 a round dome, larger a flatter top with rounder edges
  Rgba colour;
  double gloss = 0.5;        // strength of the specular highlight
  double grain = 0.08;       // strength of the speckled surface
  unsigned long long seed = 1;
};

// Colour of the pebble at a point; alpha is the coverage (soft over ~`edge` px).
Rgba ShadePebble(const Pebble& pebble, double x, double y, double edge = 0.7);

// Soft shadow a pebble casts towards the lower right; returns its opacity.
double PebbleShadow(const Pebble& pebble, double x, double y, double offset, double softness);

}  // namespace pebble::resgen

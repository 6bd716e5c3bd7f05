#pragma once
// How the field and its ramp sit in the space the window gives them: one
// scale for both, the stones' proportions kept, centred, every window pixel
// traced back to the field pixel drawn there (so a click lands in the cell
// under it), and the window's size for a zoom, kept within the screen.
//
// Field pixels are the field's own (a stone is stone width by height of them);
// window pixels are Qt's logical pixels; device pixels are the screen's. A
// field pixel f covers the device pixels from DevicePixel(f) up to, not
// including, DevicePixel(f + 1), so neighbouring cells share no pixel and
// leave none out.

#include <optional>

#include "engine/game.h"

namespace pebble {

// The first device pixel of field pixel `fieldPixel` at `ratio` device
// pixels per field pixel.
int DevicePixel(int fieldPixel, double ratio);
// The field pixel whose device pixels hold `devicePixel`.
int FieldPixelAt(int devicePixel, double ratio);
// Device pixels a picture of `fieldPixels` takes at `ratio`.
int DeviceLength(int fieldPixels, double ratio);

// Where the field's picture lies in its widget, in window pixels.
struct FieldPlacement {
  double scale = 1.0;  // window pixels per field pixel
  double left = 0.0;   // on whole device pixels, so the picture is shown pixel for pixel
  double top = 0.0;
};

// The scale at which `content` fills as much of `area` as its shape allows.
// A scale within one window pixel of `preferred` is taken as `preferred`: a
// window sized for a zoom shows exactly that zoom.
double FitScale(PixelSize content, PixelSize area, double preferred);

// `content` at `scale`, centred in `area` (either way a band may be left).
FieldPlacement PlaceCentred(PixelSize content, PixelSize area, double scale, double devicePixelRatio);

struct FieldPoint {
  int x = 0;
  int y = 0;
};

// The field pixel drawn at window point (x, y) of the widget, none outside
// the field's `size`.
std::optional<FieldPoint> FieldPointAt(double x, double y, const FieldPlacement& placement, PixelSize size,
                                       double devicePixelRatio);

// The window's client size for a block of ramp and field (`block`, field
// pixels) at `zoom`, with `chrome` window pixels of bars above and below it.
struct WindowFit {
  PixelSize client;
  double scale = 1.0;
  bool scaledDown = false;  // the zoom would not fit in the available area
};
WindowFit FitWindow(PixelSize block, int chrome, double zoom, PixelSize available);

// The zoom steps, in percent, that the zoom keys go through; the stored
// zoom is kept between the first and the last.
inline constexpr int kZoomSteps[] = {50, 75, 100, 125, 150, 175, 200, 250, 300, 400};
inline constexpr int kDefaultZoom = 100;
int SaneZoom(int percent);
// The next step above (direction 1) or below (-1) `percent`, or the same
// at the end of the steps.
int NextZoom(int percent, int direction);

}  // namespace pebble

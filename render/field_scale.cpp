#include "render/field_scale.h"

#include <algorithm>
#include <cmath>

namespace pebble {
namespace {

// Sizes are rounded up, but a product a rounding error above a whole number
// stays that number.
constexpr double kSlack = 1e-9;

int Up(double pixels) { return static_cast<int>(std::ceil(pixels - kSlack)); }

PixelSize Scaled(PixelSize size, double scale) { return {Up(size.width * scale), Up(size.height * scale)}; }

// A window too small for the field still shows it, if tiny.
constexpr double kSmallestScale = 0.05;

}  // namespace

int DevicePixel(int fieldPixel, double ratio) { return static_cast<int>(std::lround(fieldPixel * ratio)); }

int FieldPixelAt(int devicePixel, double ratio) {
  int field = static_cast<int>(std::floor(devicePixel / ratio));
  while (DevicePixel(field + 1, ratio) <= devicePixel) ++field;
  while (DevicePixel(field, ratio) > devicePixel) --field;
  return field;
}

int DeviceLength(int fieldPixels, double ratio) { return Up(fieldPixels * ratio); }

double FitScale(PixelSize content, PixelSize area, double preferred) {
  if (content.width <= 0 || content.height <= 0) return preferred;
  const double scale = std::min(static_cast<double>(area.width) / content.width,
                                static_cast<double>(area.height) / content.height);
  const double onePixel = 1.0 / std::max(content.width, content.height);
  if (scale >= preferred && scale - preferred < onePixel) return preferred;
  return std::max(scale, kSmallestScale);
}

FieldPlacement PlaceCentred(PixelSize content, PixelSize area, double scale, double devicePixelRatio) {
  const auto band = [&](int areaPixels, int contentPixels) {
    const double device = (areaPixels * devicePixelRatio - DeviceLength(contentPixels, scale * devicePixelRatio)) / 2;
    return std::max(0.0, std::floor(device)) / devicePixelRatio;
  };
  return {scale, band(area.width, content.width), band(area.height, content.height)};
}

std::optional<FieldPoint> FieldPointAt(double x, double y, const FieldPlacement& placement, PixelSize size,
                                       double devicePixelRatio) {
  const double ratio = placement.scale * devicePixelRatio;
  const auto at = [&](double window, double start, int length) -> std::optional<int> {
    const double device = std::floor((window - start) * devicePixelRatio + kSlack);
    if (device < 0) return std::nullopt;
    const int field = FieldPixelAt(static_cast<int>(device), ratio);
    return field < length ? std::optional(field) : std::nullopt;
  };
  const std::optional<int> fx = at(x, placement.left, size.width);
  const std::optional<int> fy = at(y, placement.top, size.height);
  if (!fx || !fy) return std::nullopt;
  return FieldPoint{*fx, *fy};
}

WindowFit FitWindow(PixelSize block, int chrome, double zoom, PixelSize available) {
  const auto clientAt = [&](double scale) {
    const PixelSize shown = Scaled(block, scale);
    return PixelSize{shown.width, shown.height + chrome};
  };
  const PixelSize wanted = clientAt(zoom);
  if (wanted.width <= available.width && wanted.height <= available.height) return {wanted, zoom, false};
  const double fits = FitScale(block, {available.width, available.height - chrome}, zoom);
  const double scale = std::min(zoom, fits);
  return {clientAt(scale), scale, true};
}

int SaneZoom(int percent) { return std::clamp(percent, kZoomSteps[0], std::end(kZoomSteps)[-1]); }

int NextZoom(int percent, int direction) {
  const int sane = SaneZoom(percent);
  if (direction > 0) {
    for (int step : kZoomSteps) {
      if (step > sane) return step;
    }
    return std::end(kZoomSteps)[-1];
  }
  for (auto step = std::rbegin(kZoomSteps); step != std::rend(kZoomSteps); ++step) {
    if (*step < sane) return *step;
  }
  return kZoomSteps[0];
}

}  // namespace pebble

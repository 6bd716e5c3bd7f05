#include "render/ui/pixel_blit.h"

#include <cstring>

namespace pebble::ui {

namespace {

// The part of a copy that lies inside both images: the source rectangle and
// the target position shrunk alike.
struct ClippedCopy {
  QRect from;
  QPoint at;
};

ClippedCopy Clip(const QImage& src, const QRect& from, const QImage& target, QPoint at) {
  QRect source = from.intersected(src.rect());
  at += source.topLeft() - from.topLeft();
  const QRect landing = QRect(at, source.size()).intersected(target.rect());
  source = QRect(source.topLeft() + (landing.topLeft() - at), landing.size());
  return {source, landing.topLeft()};
}

bool Is32Bit(const QImage& image) { return image.depth() == 32; }

}  // namespace

QRgb ToQRgb(ColorValue color) { return qRgb(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF); }

void EnsureRgb32(QImage& image) {
  if (!image.isNull() && !Is32Bit(image)) image = image.convertToFormat(QImage::Format_RGB32);
}

void CopyPixels(const QImage& src, const QRect& from, QImage& target, QPoint at) {
  if (src.isNull() || target.isNull() || !Is32Bit(src) || !Is32Bit(target)) return;
  const ClippedCopy copy = Clip(src, from, target, at);
  if (copy.from.isEmpty()) return;
  const auto bytes = static_cast<std::size_t>(copy.from.width()) * sizeof(QRgb);
  for (int row = 0; row < copy.from.height(); ++row) {
    const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(copy.from.top() + row)) + copy.from.left();
    auto* out = reinterpret_cast<QRgb*>(target.scanLine(copy.at.y() + row)) + copy.at.x();
    std::memmove(out, in, bytes);
  }
}

void FillPixels(QImage& target, const QRect& rect, QRgb color) {
  if (target.isNull() || !Is32Bit(target)) return;
  const QRect area = rect.intersected(target.rect());
  for (int y = area.top(); y <= area.bottom(); ++y) {
    auto* out = reinterpret_cast<QRgb*>(target.scanLine(y));
    for (int x = area.left(); x <= area.right(); ++x) out[x] = color;
  }
}

void CopyKeyed(const QImage& src, QRgb key, QImage& target, QPoint at) {
  CopyKeyedInto(src, key, target, QRect(at, src.size()));
}

void CopyKeyedInto(const QImage& src, QRgb key, QImage& target, const QRect& cell) {
  if (src.isNull() || target.isNull() || !Is32Bit(src) || !Is32Bit(target)) return;
  const ClippedCopy copy = Clip(src, QRect(QPoint(0, 0), cell.size()), target, cell.topLeft());
  const QRgb keyColor = key | 0xFF000000u;
  for (int row = 0; row < copy.from.height(); ++row) {
    const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(copy.from.top() + row)) + copy.from.left();
    auto* out = reinterpret_cast<QRgb*>(target.scanLine(copy.at.y() + row)) + copy.at.x();
    for (int x = 0; x < copy.from.width(); ++x) {
      if ((in[x] | 0xFF000000u) != keyColor) out[x] = in[x] | 0xFF000000u;
    }
  }
}

void FramePixels(QImage& target, const QRect& rect, QRgb color) { FrameThick(target, rect, color, 1); }

void FrameThick(QImage& target, const QRect& rect, QRgb color, int thickness) {
  if (rect.isEmpty()) return;
  const int t = thickness;
  FillPixels(target, QRect(rect.left(), rect.top(), rect.width(), t), color);
  FillPixels(target, QRect(rect.left(), rect.bottom() - t + 1, rect.width(), t), color);
  FillPixels(target, QRect(rect.left(), rect.top(), t, rect.height()), color);
  FillPixels(target, QRect(rect.right() - t + 1, rect.top(), t, rect.height()), color);
}

}  // namespace pebble::ui

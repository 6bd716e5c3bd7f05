#pragma once
// Block copies and fills on 32-bit images by scanline, clipped to both images.
// The field is drawn cell by cell many times a second, so these avoid the
// painter's per-call set-up.

#include <QImage>
#include <QPoint>
#include <QRect>

#include "config/game_settings.h"

namespace pebble::ui {

// A colour value 0x00BBGGRR as an opaque QRgb.
QRgb ToQRgb(ColorValue color);

// Makes sure the image can be drawn on by scanline (32 bits per pixel).
void EnsureRgb32(QImage& image);

// Copies the rectangle from of src to target with its top-left corner at at.
void CopyPixels(const QImage& src, const QRect& from, QImage& target, QPoint at);
void FillPixels(QImage& target, const QRect& rect, QRgb color);
// Copies every pixel of src that is not the key colour.
void CopyKeyed(const QImage& src, QRgb key, QImage& target, QPoint at);
// The same with src's top-left corner at the cell's, and nothing beyond the cell.
void CopyKeyedInto(const QImage& src, QRgb key, QImage& target, const QRect& cell);
// The outline of rect, `thickness` pixels wide inside it.
void FrameThick(QImage& target, const QRect& rect, QRgb color, int thickness);
// The outline of rect in its own outer pixels.
void FramePixels(QImage& target, const QRect& rect, QRgb color);

}  // namespace pebble::ui

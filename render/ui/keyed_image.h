#pragma once
// Bitmaps whose transparent colour is the colour of their bottom-left pixel.

#include <QImage>

namespace pebble::ui {

// The picture with every pixel of its bottom-left colour made see-through.
QImage TransparentByCorner(const QImage& picture);

}  // namespace pebble::ui

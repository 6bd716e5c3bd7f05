#pragma once
// Vector drawing with QPainter at a high resolution, reduced to the target size:
// smooth edges at every size, from one drawing in target units.
#include <QImage>
#include <QPainter>
#include <functional>

namespace pebble::resgen {

using Drawing = std::function<void(QPainter&)>;

// The drawing works in units of the result's pixels; the result keeps its alpha.
QImage Painted(int width, int height, const Drawing& draw, int oversample = 8);

}  // namespace pebble::resgen

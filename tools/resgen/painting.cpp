#include "painting.h"

namespace pebble::resgen {

QImage Painted(int width, int height, const Drawing& draw, int oversample) {
  QImage big(width * oversample, height * oversample, QImage::Format_ARGB32_Premultiplied);
  big.fill(Qt::transparent);
  QPainter painter(&big);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(oversample, oversample);
  draw(painter);
  painter.end();
  return big.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
      .convertToFormat(QImage::Format_ARGB32);
}

}  // namespace pebble::resgen

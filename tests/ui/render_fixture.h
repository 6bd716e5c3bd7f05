#pragma once
// What the tests of the drawn field share: the colours they look for and
// pictures of one colour to stand behind the field.

#include <QImage>
#include <QSize>

#include "config/game_settings.h"

namespace pebble::testing {

constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr QRgb kRed = 0xFFFF0000u;  // the first colour of the classic palette
constexpr QRgb kCyan = 0xFF00FFFFu;

inline QImage Plain(QSize size, QRgb color) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(color);
  return image;
}

// The settings of one look of the field: textures, trace lines, the
// picture through the stones, special stones.
inline GameSettings Look(bool textured, bool traceOutline, bool voyeur = false, bool actionsOn = false) {
  GameSettings settings;
  settings.textured = textured;
  settings.traceOutline = traceOutline;
  settings.voyeur = voyeur;
  settings.actionsOn = actionsOn;
  return settings;
}

}  // namespace pebble::testing

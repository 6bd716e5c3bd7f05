#pragma once
// The symbols on the stones: one shape for each entry of the colour table, so
// that stones can be told apart without their colours. Drawn as paths, sharp
// at every stone size and device pixel ratio.

#include <QPainterPath>
#include <QRectF>

#include "config/game_settings.h"

class QPainter;

namespace pebble::ui {

constexpr int kSymbolShapes = kMaxColors;

// The shape of colour entry `shape` (0..14) in a box from -1 to 1 around the
// origin; an empty path for any other number.
QPainterPath SymbolPath(int shape);

// The entry of the colour in the table, or -1 for a colour that is not in it.
int SymbolShapeOf(const StoneColorTable& colors, ColorValue color);

// The symbol centred in the stone's cell (logical pixels of the painter), in
// black on light stones and white on dark ones, with a thin rim of the other
// so that it also stands out on a texture.
void DrawStoneSymbol(QPainter& painter, const QRectF& cell, int shape, ColorValue stone);

}  // namespace pebble::ui

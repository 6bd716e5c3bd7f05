#pragma once
// The ready-made sets of stone colours, the colours a stone may not have,
// and the names the colour buttons show.

#include <QColor>
#include <QString>

#include "config/game_settings.h"

namespace pebble::ui {

enum class Palette { Classic, WinXP, Wild, ColorBlind };

const StoneColorTable& PaletteColors(Palette palette);

// Black, the marker of special stones and "no colour" (all bits set) would make
// stones that cannot be told from the game's own markings.
bool IsRefusedStoneColor(ColorValue color);

// One of the sixteen basic colour names ("Red", "Navy", ...), otherwise "$"
// and the value as eight upper-case hexadecimal digits ("$000080FF").
QString ColorName(ColorValue color);

QColor ToQColor(ColorValue color);
ColorValue FromQColor(const QColor& color);

}  // namespace pebble::ui

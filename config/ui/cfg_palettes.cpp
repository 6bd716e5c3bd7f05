#include "config/ui/cfg_palettes.h"

#include <array>
#include <utility>

#include "config/color_blind_palette.h"
#include "engine/stone_cell.h"

namespace pebble::ui {
namespace {

constexpr ColorValue Rgb(unsigned red, unsigned green, unsigned blue) { return red | green << 8 | blue << 16; }

constexpr StoneColorTable kWinXPPalette = {
    Rgb(255, 111, 111), Rgb(108, 108, 255), Rgb(111, 255, 111), Rgb(255, 177, 100), Rgb(192, 192, 192),
    Rgb(128, 128, 0),   Rgb(0, 255, 0),     Rgb(0, 128, 128),   Rgb(0, 0, 128),     Rgb(33, 120, 224),
    Rgb(242, 201, 119), Rgb(255, 153, 51),  Rgb(19, 146, 13),   Rgb(155, 102, 0),   Rgb(255, 255, 0)};

constexpr StoneColorTable kWildPalette = {
    Rgb(255, 128, 0), Rgb(0, 64, 128), Rgb(28, 28, 255), Rgb(128, 0, 0), Rgb(0, 0, 128),
    Rgb(0, 64, 0),    Rgb(0, 64, 64),  Rgb(64, 0, 128),  Rgb(0, 0, 55),  Rgb(53, 0, 0),
    Rgb(0, 45, 0),    Rgb(53, 0, 27),  Rgb(22, 22, 18),  Rgb(0, 55, 0),  Rgb(45, 45, 0)};

constexpr std::array<std::pair<ColorValue, const char*>, 16> kBasicColors = {{
    {Rgb(0, 0, 0), "Black"},        {Rgb(128, 0, 0), "Maroon"},   {Rgb(0, 128, 0), "Green"},
    {Rgb(128, 128, 0), "Olive"},    {Rgb(0, 0, 128), "Navy"},     {Rgb(128, 0, 128), "Purple"},
    {Rgb(0, 128, 128), "Teal"},     {Rgb(128, 128, 128), "Gray"}, {Rgb(192, 192, 192), "Silver"},
    {Rgb(255, 0, 0), "Red"},        {Rgb(0, 255, 0), "Lime"},     {Rgb(255, 255, 0), "Yellow"},
    {Rgb(0, 0, 255), "Blue"},       {Rgb(255, 0, 255), "Fuchsia"}, {Rgb(0, 255, 255), "Aqua"},
    {Rgb(255, 255, 255), "White"},
}};

constexpr ColorValue kNoColor = 0xFFFFFFFFu;

}  // namespace

const StoneColorTable& PaletteColors(Palette palette) {
  switch (palette) {
    case Palette::WinXP:
      return kWinXPPalette;
    case Palette::Wild:
      return kWildPalette;
    case Palette::ColorBlind:
      return kColorBlindPalette;
    case Palette::Classic:
      break;
  }
  return kClassicPalette;
}

bool IsRefusedStoneColor(ColorValue color) { return color == 0 || color == SpecialColor || color == kNoColor; }

QString ColorName(ColorValue color) {
  for (const auto& [value, name] : kBasicColors) {
    if (value == color) return QString::fromLatin1(name);
  }
  return QStringLiteral("$%1").arg(color, 8, 16, QLatin1Char('0')).toUpper();
}

QColor ToQColor(ColorValue color) { return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF); }

ColorValue FromQColor(const QColor& color) {
  const QColor rgb = color.toRgb();
  return Rgb(static_cast<unsigned>(rgb.red()), static_cast<unsigned>(rgb.green()), static_cast<unsigned>(rgb.blue()));
}

}  // namespace pebble::ui

#pragma once
// A set of fifteen stone colours that stay apart for players with red-green
// (protanopia, deuteranopia) and blue-yellow (tritanopia) colour blindness as
// well as for everyone else. Picked by a search over the sRGB cube that kept
// the smallest colour difference of every simulated vision as large as it
// could: first for the five colours of the default game, then for the rest.
// Lightness stays between about 32 and 90, so no stone looks like an empty
// cell or disappears in its black outline.

#include "config/game_settings.h"

namespace pebble {

namespace detail {
constexpr ColorValue Rgb(unsigned red, unsigned green, unsigned blue) { return red | green << 8 | blue << 16; }
}  // namespace detail

// dark red, blue, yellow, plum, mint, pink, green, ochre, pale blue, violet,
// lilac, crimson, purple, magenta, light green
constexpr StoneColorTable kColorBlindPalette = {
    detail::Rgb(170, 0, 0),     detail::Rgb(0, 51, 255),    detail::Rgb(221, 221, 0),   detail::Rgb(119, 51, 102),
    detail::Rgb(0, 255, 187),   detail::Rgb(255, 102, 238), detail::Rgb(0, 153, 102),   detail::Rgb(204, 153, 51),
    detail::Rgb(187, 221, 238), detail::Rgb(102, 34, 187),  detail::Rgb(170, 136, 170), detail::Rgb(255, 0, 85),
    detail::Rgb(204, 68, 255),  detail::Rgb(170, 0, 153),   detail::Rgb(136, 238, 119)};

}  // namespace pebble

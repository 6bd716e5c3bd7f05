#pragma once
// The colour of a textured stone: each channel is |stone + texture - 255|, so
// a white texture shows the stone's colour, a black one its complement.

#include <cstddef>
#include <cstdint>

#include "config/game_settings.h"

namespace pebble {

// One channel of the mix.
constexpr std::uint8_t MixChannel(std::uint8_t stone, std::uint8_t texture) {
  const int sum = stone + texture - 255;
  return static_cast<std::uint8_t>(sum < 0 ? -sum : sum);
}

// Mixes the stone colour (0x00BBGGRR) into opaque pixels 0xFFRRGGBB in place.
void MixStoneColor(std::uint32_t* pixels, std::size_t count, ColorValue stone);

}  // namespace pebble

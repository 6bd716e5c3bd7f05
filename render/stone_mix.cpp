#include "render/stone_mix.h"

namespace pebble {

void MixStoneColor(std::uint32_t* pixels, std::size_t count, ColorValue stone) {
  const auto red = static_cast<std::uint8_t>(stone & 0xFF);
  const auto green = static_cast<std::uint8_t>((stone >> 8) & 0xFF);
  const auto blue = static_cast<std::uint8_t>((stone >> 16) & 0xFF);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t p = pixels[i];
    const std::uint32_t r = MixChannel(red, static_cast<std::uint8_t>(p >> 16));
    const std::uint32_t g = MixChannel(green, static_cast<std::uint8_t>(p >> 8));
    const std::uint32_t b = MixChannel(blue, static_cast<std::uint8_t>(p));
    pixels[i] = 0xFF000000u | (r << 16) | (g << 8) | b;
  }
}

}  // namespace pebble

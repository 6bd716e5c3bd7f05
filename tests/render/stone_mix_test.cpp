// The textured stone's colour: |stone + texture - 255| in every channel.
#include <gtest/gtest.h>

#include <array>

#include "render/stone_mix.h"

namespace pebble {
namespace {

TEST(MixChannel, WhiteGivesTheStoneBlackItsComplement) {
  struct Case {
    std::uint8_t stone, texture, result;
  };
  for (const Case& c : {Case{200, 255, 200}, Case{200, 0, 55}, Case{0, 0, 255}, Case{255, 0, 0}, Case{200, 100, 45},
                        Case{100, 100, 55}, Case{128, 127, 0}}) {
    EXPECT_EQ(MixChannel(c.stone, c.texture), c.result) << int(c.stone) << " + " << int(c.texture);
  }
}

TEST(MixStoneColor, EachChannelFromItsOwnByte) {
  // Red 0x00BBGGRR = 0x0000FF over white, black and a dark blue texture pixel.
  std::array<std::uint32_t, 3> pixels{0xFFFFFFFFu, 0xFF000000u, 0xFF102080u};
  MixStoneColor(pixels.data(), pixels.size(), 0x0000FFu);
  EXPECT_EQ(pixels[0], 0xFFFF0000u);  // red
  EXPECT_EQ(pixels[1], 0xFF00FFFFu);  // cyan, the complement
  EXPECT_EQ(pixels[2], 0xFF10DF7Fu);  // |255+16-255|, |0+32-255|, |0+128-255|
}

}  // namespace
}  // namespace pebble

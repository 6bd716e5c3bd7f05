// The colour-vision simulation, the colour difference, and the colour-blind
// palette checked with both.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <span>

#include "config/color_blind_palette.h"
#include "render/color_vision.h"

namespace pebble {
namespace {

constexpr Rgb8 kRed{255, 0, 0}, kGreen{0, 128, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255},
    kBlack{0, 0, 0};

const char* Name(Vision vision) {
  switch (vision) {
    case Vision::Protanopia: return "protanopia";
    case Vision::Deuteranopia: return "deuteranopia";
    case Vision::Tritanopia: return "tritanopia";
    case Vision::Normal: break;
  }
  return "normal vision";
}

TEST(ColorVision, LabMatchesReferenceValues) {
  struct Case {
    Rgb8 color;
    Lab lab;
  };
  // CIELAB of the sRGB primaries and white under D65.
  for (const Case& c : {Case{kWhite, {100, 0, 0}}, Case{kRed, {53.24, 80.09, 67.20}},
                        Case{{0, 255, 0}, {87.73, -86.18, 83.18}}, Case{kBlue, {32.30, 79.19, -107.86}},
                        Case{kBlack, {0, 0, 0}}}) {
    const Lab lab = ToLab(c.color);
    EXPECT_NEAR(lab.l, c.lab.l, 0.05) << c.color.red << "," << c.color.green << "," << c.color.blue;
    EXPECT_NEAR(lab.a, c.lab.a, 0.05);
    EXPECT_NEAR(lab.b, c.lab.b, 0.05);
  }
  EXPECT_NEAR(DeltaE76(kWhite, kBlack), 100, 0.01);
}

TEST(ColorVision, GreysLookTheSameToEveryone) {
  for (Vision vision : kAllVisions) {
    for (int level : {0, 64, 128, 200, 255}) {
      const Rgb8 grey{level, level, level};
      const Rgb8 seen = SimulateVision(grey, vision);
      EXPECT_LE(DeltaE76(grey, seen), 1.0) << Name(vision) << " grey " << level;
    }
  }
}

// The confusions every description of these visions names: the classic red,
// green and orange merge for the red-green blind (a closest pair of 10 to 26
// where normal vision sees more than 40), blue and green for the blue-yellow
// blind, while red and green stay apart for the latter.
TEST(ColorVision, SimulationMergesTheKnownConfusions) {
  constexpr std::array<ColorValue, 3> kRedGreenOrange = {0x0000FF, 0x008000, 0x0080FF};
  EXPECT_GT(ClosestColors(kRedGreenOrange, Vision::Normal).deltaE, 40);
  EXPECT_GT(ClosestColors(kRedGreenOrange, Vision::Tritanopia).deltaE, 40);
  for (Vision vision : {Vision::Protanopia, Vision::Deuteranopia}) {
    const double closest = ClosestColors(kRedGreenOrange, vision).deltaE;
    EXPECT_GT(closest, 5) << Name(vision);
    EXPECT_LT(closest, 27) << Name(vision);
  }
  const Rgb8 teal{0, 160, 160}, azure{0, 120, 255};
  EXPECT_LT(DeltaE76(SimulateVision(teal, Vision::Tritanopia), SimulateVision(azure, Vision::Tritanopia)),
            0.5 * DeltaE76(teal, azure));
  EXPECT_GT(DeltaE76(SimulateVision(kRed, Vision::Tritanopia), SimulateVision(kGreen, Vision::Tritanopia)), 60);
}

TEST(ColorVision, ClosestPairOfASet) {
  const std::array<ColorValue, 4> colors = {0x0000FF, 0x00FFFF, 0x0000F0, 0xFF0000};
  const ClosestPair pair = ClosestColors(colors, Vision::Normal);
  EXPECT_EQ(pair.first, 0);
  EXPECT_EQ(pair.second, 2);
  EXPECT_NEAR(pair.deltaE, DeltaE76(Rgb8{255, 0, 0}, Rgb8{240, 0, 0}), 1e-9);
  EXPECT_EQ(ClosestColors(std::span(colors).first(1), Vision::Normal).deltaE, 0);
}

// A ΔE of about 2.3 is the smallest difference seen side by side; stones are
// told apart at a glance across the field, so the bar sits far above that.
// The five colours of the default game stay farther apart than 40 in every
// vision, above the 10 to 26 at which the classic red, green and orange merge
// for the red-green blind. All fifteen at once cannot be that far apart in the
// two dimensions a dichromat sees (the search found no set above about 20),
// so they keep 18, and the symbols on the stones carry the rest.
TEST(ColorBlindPalette, EveryVisionKeepsTheColoursApart) {
  constexpr double kDefaultFiveApart = 40, kAllFifteenApart = 18;
  const std::span<const ColorValue> all(kColorBlindPalette);
  for (Vision vision : kAllVisions) {
    const ClosestPair five = ClosestColors(all.first(5), vision);
    const ClosestPair fifteen = ClosestColors(all, vision);
    EXPECT_GT(five.deltaE, kDefaultFiveApart) << Name(vision) << ": colours " << five.first + 1 << " and "
                                              << five.second + 1;
    EXPECT_GT(fifteen.deltaE, kAllFifteenApart) << Name(vision) << ": colours " << fifteen.first + 1 << " and "
                                                << fifteen.second + 1;
    const ClosestPair classicFive = ClosestColors(std::span(kClassicPalette).first(5), vision);
    const ClosestPair classicAll = ClosestColors(kClassicPalette, vision);
    std::printf("%-14s colour-blind palette: 5 colours %5.1f, 15 colours %5.1f | classic: 5 colours %5.1f (%d-%d), "
                "15 colours %5.1f\n",
                Name(vision), five.deltaE, fifteen.deltaE, classicFive.deltaE, classicFive.first + 1,
                classicFive.second + 1, classicAll.deltaE);
  }
}

TEST(ColorBlindPalette, NoStoneLooksLikeAnEmptyCellOrItsOutline) {
  for (ColorValue color : kColorBlindPalette) {
    const double lightness = ToLab(ToRgb8(color)).l;
    EXPECT_GT(lightness, 30) << std::hex << color;
    EXPECT_LT(lightness, 92) << std::hex << color;
  }
}

}  // namespace
}  // namespace pebble

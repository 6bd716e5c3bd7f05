#include <gtest/gtest.h>

#include "engine/stone_cell.h"

namespace pebble {
namespace {

TEST(StoneCell, ImageHasTheFileLayoutLittleEndian) {
  TStoneCell c;
  c.Index = 0x01020304;
  c.Left = -1;
  c.Top = 21;
  c.Kind = skRocketDown;
  c.Color = SpecialColor;
  c.Occupied = 1;
  c.Neighbours = {-1, 7, 9, 18};
  c.SameColorCount = 3;
  const StoneCellImage b = StoneCellBytes(c);
  const StoneCellImage expected = {
      0x04, 0x03, 0x02, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 21, 0, 0, 0,   // Index Left Top
      3,    0,    0,    0,                                           // Kind + padding
      0xFE, 0xFF, 0xFF, 0x02,                                        // Color
      1,    0,    0,    0,                                           // Occupied + padding
      0xFF, 0xFF, 0xFF, 0xFF, 7, 0, 0, 0, 9, 0, 0, 0, 18, 0, 0, 0,  // Neighbours
      3,    0,    0,    0};                                          // SameColorCount + padding
  EXPECT_EQ(b, expected);
  EXPECT_EQ(ReadStoneCell(b), c);
}

TEST(StoneCell, ReaderIgnoresPadding) {
  TStoneCell c;
  c.Index = 5;
  c.Color = 0x0080FF;
  StoneCellImage b = StoneCellBytes(c);
  for (int pad : {13, 14, 15, 21, 22, 23, 41, 42, 43}) b[pad] = 0xAB;
  EXPECT_EQ(ReadStoneCell(b), c);
}

}  // namespace
}  // namespace pebble

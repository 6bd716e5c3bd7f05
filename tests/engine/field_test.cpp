#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace pebble {
namespace {

using testing::MakeField;

TEST(Field, EdgeCellsCarryMinusOneLinks) {
  const Field f = MakeField({"abcd", "bcda", "cdab"});  // C = 4, R = 3
  using N = std::array<std::int32_t, 4>;                // above, left, right, below
  EXPECT_EQ(f[0].Neighbours, (N{-1, -1, 1, 4}));
  EXPECT_EQ(f[11].Neighbours, (N{7, 10, -1, -1}));
  EXPECT_EQ(f[5].Neighbours, (N{1, 4, 6, 9}));
  EXPECT_EQ(f[3].Neighbours, (N{-1, 2, -1, 7}));
  EXPECT_EQ(f[8].Neighbours, (N{4, -1, 9, -1}));
}

TEST(Field, CellsKnowTheirIndexAndPixelOrigin) {
  const Field f = MakeField({"abc", "abc"});
  EXPECT_EQ(f[4].Index, 4);
  EXPECT_EQ(f[4].Left, 20);
  EXPECT_EQ(f[4].Top, 21);
  EXPECT_EQ(f.CellPosition(4), (CellPos{2, 2}));
  EXPECT_EQ(f.CellIndex(2, 3), 5);
  EXPECT_EQ(f.PixelWidth(), 61);
  EXPECT_EQ(f.PixelHeight(), 43);
}

TEST(Field, CellAtPixelAtTheBorders) {
  const Field f = MakeField({"abc", "abc"});
  struct Case {
    std::int32_t x, y, index;
  } cases[] = {
      {0, 0, 0},    {1, 1, 0},    {20, 21, 0},  // x = 0 and x = W both fall into column 1
      {21, 0, 1},   {40, 21, 1},  {41, 22, 5},
      {60, 42, 5},  // the last pixel column and row of the paint box
      {0, 22, 3},
  };
  for (const Case& c : cases) EXPECT_EQ(f.CellAtPixel(c.x, c.y), c.index) << c.x << "," << c.y;
}

// Every pixel of the paint box lands in the field, in the column whose pixels
// run from Left + 1 to Left + W (pixel 0, the frame line, counts to column 1),
// for stones as narrow as the command line allows.
TEST(Field, EveryPixelOfThePaintBoxFindsTheCellUnderIt) {
  for (const std::int32_t size : {1, 2, 3, 5, 20, 50}) {
    const Field f(4, 3, size, size + 1);
    for (std::int32_t y = 0; y < f.PixelHeight(); ++y) {
      for (std::int32_t x = 0; x < f.PixelWidth(); ++x) {
        const std::int32_t index = f.CellAtPixel(x, y);
        ASSERT_TRUE(f.Contains(index)) << "size " << size << " at " << x << "," << y;
        const TStoneCell& cell = f[index];
        EXPECT_TRUE(x == 0 ? cell.Left == 0 : cell.Left < x && x <= cell.Left + size) << size << ": x " << x;
        EXPECT_TRUE(y == 0 ? cell.Top == 0 : cell.Top < y && y <= cell.Top + size + 1) << size << ": y " << y;
      }
    }
  }
}

TEST(Field, MoveStoneCopiesTheStoneAndEmptiesTheSource) {
  Field f = MakeField({"aB", ".c"});
  f.MoveStone(1, 2);
  EXPECT_EQ(f[2].Kind, skBomb);
  EXPECT_EQ(f[2].Color, SpecialColor);
  EXPECT_EQ(f[2].Occupied, 1);
  EXPECT_EQ(f[2].Index, 2);
  EXPECT_EQ(f[2].Left, 0);
  EXPECT_EQ(f[1].Occupied, 0);
  EXPECT_EQ(f[1].Kind, skBomb) << "an empty cell keeps its last kind and colour";

  const Field before = f;
  for (auto [from, to] : {std::pair{-1, 0}, {0, 4}, {4, 0}, {0, -1}}) f.MoveStone(from, to);
  EXPECT_EQ(f.Cells(), before.Cells());
}

TEST(Field, RecountCountsGroupsSpecialsAndRocks) {
  struct Case {
    std::vector<std::string> rows;
    FieldCounters counters;
  } cases[] = {
      {{"...", "..."}, {6, 0, 0, 0}},
      {{"aab", "cab"}, {6, 6, 5, 0}},
      {{"BRX", "DLa"}, {6, 6, 0, 4}},  // specials count each other as same-coloured, never as movable
      {{"aXa", "bXb"}, {6, 6, 0, 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(MakeField(c.rows).Counters(), c.counters) << c.rows[0];

  const Field specials = MakeField({"BR", "ab"});
  EXPECT_EQ(specials[0].SameColorCount, 1);
  EXPECT_EQ(specials[1].SameColorCount, 1);
  EXPECT_EQ(MakeField({"a.", "aa"})[1].SameColorCount, 0) << "an empty cell counts nothing";
}

TEST(Field, MovePointsTable) {
  const std::pair<int, int> table[] = {{0, 4}, {1, 2}, {2, 2}, {3, 4}, {4, 8}, {5, 14}, {10, 74}, {20, 344}};
  for (auto [n, points] : table) EXPECT_EQ(MovePoints(n), points) << n;
}

}  // namespace
}  // namespace pebble

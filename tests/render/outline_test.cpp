// Which trace lines a cell gets: every same-coloured group one closed outline,
// borders between stones drawn once, specials and empty cells none.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "engine/engine_fixture.h"
#include "render/outline.h"

namespace pebble {
namespace {

using testing::kH;
using testing::kW;
using testing::MakeField;

OutlineLine H(std::int32_t x, std::int32_t y) { return {x, y, kW, true}; }
OutlineLine V(std::int32_t x, std::int32_t y) { return {x, y, kH, false}; }

std::vector<OutlineLine> LinesOf(const Field& field, std::int32_t row, std::int32_t column) {
  const OutlineLines lines = CellOutline(field, field[field.CellIndex(row, column)]);
  return {lines.begin(), lines.end()};
}

struct OutlineCase {
  const char* name;
  std::vector<std::string> rows;
  std::int32_t row, column;
  std::vector<OutlineLine> expected;
};

class CellOutlineTest : public ::testing::TestWithParam<OutlineCase> {};

TEST_P(CellOutlineTest, DrawsTheEdgesOfTheTable) {
  const OutlineCase& c = GetParam();
  const Field field = MakeField(c.rows);
  EXPECT_EQ(LinesOf(field, c.row, c.column), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, CellOutlineTest,
    ::testing::Values(
        // A lone cell: the right and bottom lines lie on the field frame.
        OutlineCase{"LoneCellOnTheFrame", {"a"}, 1, 1, {H(0, 0), V(0, 0), V(kW, 0), H(0, kH)}},
        // Same colour to the right and below: only the top and left lines.
        OutlineCase{"GroupTopLeft", {"aa", "aa"}, 1, 1, {H(0, 0), V(0, 0)}},
        OutlineCase{"GroupBottomRight", {"aa", "aa"}, 2, 2, {V(2 * kW, kH), H(kW, 2 * kH)}},
        OutlineCase{"InsideAGroup", {"aaa", "aaa", "aaa"}, 2, 2, {}},
        // Another colour to the right and below: that stone draws the border.
        OutlineCase{"OtherColourRightAndBelow", {"ab", "ba"}, 1, 1, {H(0, 0), V(0, 0)}},
        OutlineCase{"OtherColourAboveAndLeft", {"ab", "ba"}, 2, 2, {H(kW, kH), V(kW, kH), V(2 * kW, kH), H(kW, 2 * kH)}},
        // Towards an empty cell or a special stone the line lies inside the cell.
        OutlineCase{"EmptyRightAndBelow", {"a.", ".."}, 1, 1, {H(0, 0), V(0, 0), V(kW - 1, 0), H(0, kH - 1)}},
        OutlineCase{"BombToTheRight", {"aB"}, 1, 1, {H(0, 0), V(0, 0), V(kW - 1, 0), H(0, kH)}},
        OutlineCase{"RockBelow", {"a", "X"}, 1, 1, {H(0, 0), V(0, 0), V(kW, 0), H(0, kH - 1)}},
        OutlineCase{"BombToTheLeftAndAbove", {"aB", "Ba"}, 2, 2, {H(kW, kH), V(kW, kH), V(2 * kW, kH), H(kW, 2 * kH)}},
        // Empty cells and special stones get no lines.
        OutlineCase{"EmptyCell", {"a.", "aa"}, 1, 2, {}},
        OutlineCase{"Bomb", {"aB", "aa"}, 1, 2, {}},
        OutlineCase{"Rock", {"X"}, 1, 1, {}}),
    [](const ::testing::TestParamInfo<OutlineCase>& info) { return info.param.name; });

// The lines of all cells together: a 2 x 2 group of one colour inside other
// stones shows exactly the square around it and no inner line.
TEST(CellOutline, GroupGetsOneClosedSquare) {
  const Field field = MakeField({"bbbb", "baab", "baab", "bbbb"});
  std::vector<std::vector<char>> ink(static_cast<std::size_t>(field.PixelHeight()),
                                     std::vector<char>(static_cast<std::size_t>(field.PixelWidth()), 0));
  for (const TStoneCell& cell : field.Cells()) {
    for (const OutlineLine& line : CellOutline(field, cell)) {
      for (std::int32_t i = 0; i < line.length; ++i) {
        const std::int32_t x = line.horizontal ? line.x + i : line.x;
        const std::int32_t y = line.horizontal ? line.y : line.y + i;
        ink[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = 1;
      }
    }
  }
  const auto inked = [&ink](std::int32_t x, std::int32_t y) { return ink[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] != 0; };
  for (std::int32_t i = 0; i < 2 * kW; ++i) {
    EXPECT_TRUE(inked(kW + i, kH)) << "top edge at " << i;
    EXPECT_TRUE(inked(kW + i, 3 * kH)) << "bottom edge at " << i;
  }
  for (std::int32_t i = 0; i < 2 * kH; ++i) {
    EXPECT_TRUE(inked(kW, kH + i)) << "left edge at " << i;
    EXPECT_TRUE(inked(3 * kW, kH + i)) << "right edge at " << i;
  }
  // Inside the square nothing but the group's own pixels.
  for (std::int32_t y = kH + 1; y < 3 * kH; ++y) {
    for (std::int32_t x = kW + 1; x < 3 * kW; ++x) EXPECT_FALSE(inked(x, y)) << x << "," << y;
  }
}

// A move empties cells but leaves them their stone's colour: an empty cell
// beside a stone of that same colour still closes the stone's outline.
TEST(CellOutline, AnEmptiedCellOfTheSameColourStillGetsALine) {
  Field field = MakeField({"aa", "aa"});
  for (const auto& [row, column] : {std::pair{1, 2}, std::pair{2, 1}}) {
    TStoneCell& emptied = field[field.CellIndex(row, column)];
    emptied.Occupied = 0;
    ASSERT_EQ(emptied.Color, field[field.CellIndex(1, 1)].Color);
  }
  field.Recount(true);
  // Right and below emptied: the lines lie on the stone's own last pixels.
  EXPECT_EQ(LinesOf(field, 1, 1), (std::vector<OutlineLine>{H(0, 0), V(0, 0), V(kW - 1, 0), H(0, kH - 1)}));
  // Above and left emptied: the stone draws its own top and left lines.
  EXPECT_EQ(LinesOf(field, 2, 2), (std::vector<OutlineLine>{H(kW, kH), V(kW, kH), V(2 * kW, kH), H(kW, 2 * kH)}));
  EXPECT_TRUE(LinesOf(field, 1, 2).empty());
}

TEST(CellOutline, CellOutsideTheFieldGetsNoLines) {
  const Field field = MakeField({"aa"});
  TStoneCell rampStone = field[0];
  rampStone.Index = -1;
  EXPECT_EQ(CellOutline(field, rampStone).count, 0);
}

}  // namespace
}  // namespace pebble

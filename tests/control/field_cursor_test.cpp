#include "control/field_cursor.h"

#include <gtest/gtest.h>

#include "../engine/engine_fixture.h"

namespace pebble {
namespace {

using testing::MakeField;

TEST(FieldCursor, ArrowsHomeAndEndStayOnTheField) {
  const Field field = MakeField({"....", "ab..", "abc."});
  FieldCursor cursor;
  cursor.Reset(field);
  EXPECT_EQ(cursor.Position(), (CellPos{3, 1}));
  cursor.Step(field, 1, -1);  // already at the bottom-left corner
  EXPECT_EQ(cursor.Position(), (CellPos{3, 1}));
  cursor.Step(field, -5, 9);
  EXPECT_EQ(cursor.Position(), (CellPos{1, 4}));
  cursor.ToFirstColumn(field);
  EXPECT_EQ(cursor.Position(), (CellPos{1, 1}));
  cursor.ToLastColumn(field);  // the last column that holds stones
  EXPECT_EQ(cursor.Position(), (CellPos{1, 3}));
  cursor.ToLastColumn(MakeField({"..", ".."}));
  EXPECT_EQ(cursor.Position().column, 1);
}

// After a move the cursor finds the nearest stone; of two as near, the lower
// one, and in one row the left one.
TEST(FieldCursor, KeepsOnTheNearestStone) {
  const struct {
    std::vector<std::string> rows;
    CellPos from, to;
  } cases[] = {
      {{"a..", "...", "..."}, {1, 1}, {1, 1}},  // on a stone: stays
      {{"...", "...", "a.b"}, {3, 2}, {3, 1}},  // left and right as near: left
      {{"..a", "...", "..b"}, {2, 3}, {3, 3}},  // above and below as near: lower
      {{"a..", "...", "..b"}, {1, 2}, {1, 1}},
      {{"...", "...", "..."}, {2, 2}, {2, 2}},  // no stone left: stays, on the field
  };
  for (const auto& c : cases) {
    const Field field = MakeField(c.rows);
    FieldCursor cursor;
    cursor.Step(field, c.from.row - 1, c.from.column - 1);
    cursor.KeepOnStone(field);
    EXPECT_EQ(cursor.Position(), c.to) << c.rows[0] << "/" << c.rows[1] << "/" << c.rows[2];
  }
  // A field that shrank (a new game) never leaves the cursor outside.
  FieldCursor cursor;
  cursor.Step(MakeField({"aaaaa", "aaaaa", "aaaaa"}), 4, 4);
  cursor.KeepOnStone(MakeField({"ab", "ab"}));
  EXPECT_EQ(cursor.Position(), (CellPos{2, 2}));
}

}  // namespace
}  // namespace pebble

#include "control/field_cursor.h"

#include <algorithm>
#include <limits>

namespace pebble {

void FieldCursor::Clamp(const Field& field) {
  row_ = std::clamp(row_, std::int32_t{1}, std::max(field.Rows(), std::int32_t{1}));
  column_ = std::clamp(column_, std::int32_t{1}, std::max(field.Columns(), std::int32_t{1}));
}

void FieldCursor::Reset(const Field& field) {
  row_ = field.Rows();
  column_ = 1;
  Clamp(field);
}

void FieldCursor::Step(const Field& field, std::int32_t rows, std::int32_t columns) {
  row_ += rows;
  column_ += columns;
  Clamp(field);
}

void FieldCursor::ToFirstColumn(const Field& field) {
  column_ = 1;
  Clamp(field);
}

void FieldCursor::ToLastColumn(const Field& field) {
  column_ = field.Columns();
  // Columns close to the left: the stones end where the bottom row does.
  while (column_ > 1 && field.ColumnEmpty(column_)) --column_;
  Clamp(field);
}

void FieldCursor::KeepOnStone(const Field& field) {
  Clamp(field);
  if (field.Size() == 0 || field[Index(field)].Occupied) return;
  std::int64_t best = std::numeric_limits<std::int64_t>::max();
  CellPos nearest{row_, column_};
  for (std::int32_t i = 0; i < field.Size(); ++i) {
    if (!field[i].Occupied) continue;
    const CellPos at = field.CellPosition(i);
    const std::int64_t dr = at.row - row_, dc = at.column - column_;
    const std::int64_t distance = dr * dr + dc * dc;
    // Of two as near, the lower one: stones settle downwards.
    if (distance < best || (distance == best && at.row > nearest.row)) {
      best = distance;
      nearest = at;
    }
  }
  row_ = nearest.row;
  column_ = nearest.column;
}

}  // namespace pebble

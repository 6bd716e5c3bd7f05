#include "engine/field.h"

#include <algorithm>

namespace pebble {

Field::Field(std::int32_t columns, std::int32_t rows, std::int32_t stoneWidth, std::int32_t stoneHeight)
    : columns_(columns), rows_(rows), stoneWidth_(stoneWidth), stoneHeight_(stoneHeight) {
  cells_.resize(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows));
  for (std::int32_t i = 0; i < Size(); ++i) PlaceCell(i);
  counters_.CellCount = Size();
}

void Field::PlaceCell(std::int32_t index) {
  TStoneCell& cell = (*this)[index];
  const CellPos pos = CellPosition(index);
  cell.Index = index;
  cell.Left = (pos.column - 1) * stoneWidth_;
  cell.Top = (pos.row - 1) * stoneHeight_;
}

std::int32_t Field::NeighbourIndex(std::int32_t index, Direction direction) const {
  const CellPos pos = CellPosition(index);
  switch (direction) {
    case dirAbove: return pos.row >= 2 ? index - columns_ : -1;
    case dirBelow: return pos.row <= rows_ - 1 ? index + columns_ : -1;
    case dirLeft: return pos.column >= 2 ? index - 1 : -1;
    case dirRight: return pos.column <= columns_ - 1 ? index + 1 : -1;
  }
  return -1;
}

std::int32_t Field::CellAtPixel(std::int32_t x, std::int32_t y) const {
  // Pixel W is the last of column 1, and pixel 0 (the frame line) belongs to
  // it as well; holding it at 0 keeps 1-pixel stones inside the field.
  const std::int32_t column = std::max(x - 1, 0) / stoneWidth_ + 1;
  const std::int32_t row = std::max(y - 1, 0) / stoneHeight_ + 1;
  return CellIndex(row, column);
}

bool Field::ColumnEmpty(std::int32_t column) const { return !(*this)[CellIndex(rows_, column)].Occupied; }

void Field::MoveStone(std::int32_t from, std::int32_t to) {
  if (!Contains(from) || !Contains(to)) return;
  TStoneCell& source = (*this)[from];
  TStoneCell& target = (*this)[to];
  target.Kind = source.Kind;
  target.Color = source.Color;
  target.Occupied = source.Occupied;
  source.Occupied = 0;
}

void Field::Recount(bool linkNeighbours) {
  FieldCounters counts;
  counts.CellCount = Size();
  for (std::int32_t i = 0; i < Size(); ++i) {
    TStoneCell& cell = (*this)[i];
    if (linkNeighbours) {
      for (int d = 0; d < kDirectionCount; ++d) cell.Neighbours[d] = NeighbourIndex(i, static_cast<Direction>(d));
    }
    cell.SameColorCount = 0;
    if (!cell.Occupied) continue;
    for (std::int32_t n : cell.Neighbours) {
      if (Contains(n) && (*this)[n].Occupied && (*this)[n].Color == cell.Color) ++cell.SameColorCount;
    }
    ++counts.StonesLeft;
    if (cell.Kind == skNormal && cell.SameColorCount >= 1) ++counts.MovableStones;
    if (IsActiveSpecial(cell.Kind)) ++counts.ActiveSpecials;
  }
  counters_ = counts;
}

}  // namespace pebble

#pragma once
// The field: C columns by R rows of cells in one flat list, row-major from the
// top-left. Every rule, the drawing, the undo history and the saved game work
// on this list.

#include <cstdint>
#include <vector>

#include "engine/stone_cell.h"

namespace pebble {

struct CellPos {
  std::int32_t row = 0;     // 1..R from the top
  std::int32_t column = 0;  // 1..C from the left
  bool operator==(const CellPos&) const = default;
};

struct FieldCounters {
  std::int32_t CellCount = 0;
  std::int32_t StonesLeft = 0;
  std::int32_t MovableStones = 0;
  std::int32_t ActiveSpecials = 0;
  bool operator==(const FieldCounters&) const = default;
};

class Field {
 public:
  Field() = default;
  // An empty field of the given geometry; every cell exists, none occupied.
  Field(std::int32_t columns, std::int32_t rows, std::int32_t stoneWidth, std::int32_t stoneHeight);

  std::int32_t Columns() const { return columns_; }
  std::int32_t Rows() const { return rows_; }
  std::int32_t StoneWidth() const { return stoneWidth_; }
  std::int32_t StoneHeight() const { return stoneHeight_; }
  std::int32_t Size() const { return static_cast<std::int32_t>(cells_.size()); }
  bool Contains(std::int32_t index) const { return index >= 0 && index < Size(); }

  // Paint box size: the extra pixel carries the right and bottom frame lines.
  std::int32_t PixelWidth() const { return columns_ * stoneWidth_ + 1; }
  std::int32_t PixelHeight() const { return rows_ * stoneHeight_ + 1; }

  TStoneCell& operator[](std::int32_t index) { return cells_[static_cast<std::size_t>(index)]; }
  const TStoneCell& operator[](std::int32_t index) const { return cells_[static_cast<std::size_t>(index)]; }
  std::vector<TStoneCell>& Cells() { return cells_; }
  const std::vector<TStoneCell>& Cells() const { return cells_; }

  std::int32_t CellIndex(std::int32_t row, std::int32_t column) const { return (row - 1) * columns_ + column - 1; }
  CellPos CellPosition(std::int32_t index) const { return {index / columns_ + 1, index % columns_ + 1}; }
  std::int32_t NeighbourIndex(std::int32_t index, Direction direction) const;
  // Whether (x, y) lies on the paint box, frame lines included.
  bool HoldsPixel(std::int32_t x, std::int32_t y) const { return x >= 0 && y >= 0 && x < PixelWidth() && y < PixelHeight(); }
  // The caller checks that (x, y) lies on the paint box first.
  std::int32_t CellAtPixel(std::int32_t x, std::int32_t y) const;
  bool ColumnEmpty(std::int32_t column) const;
  void MoveStone(std::int32_t from, std::int32_t to);

  // Refreshes SameColorCount and the counters; with linkNeighbours the
  // neighbour links are filled in as well (done while a game is set up).
  void Recount(bool linkNeighbours = false);
  const FieldCounters& Counters() const { return counters_; }
  void SetCounters(const FieldCounters& counters) { counters_ = counters; }

  // Places a cell at its pixel origin with its own index (not its stone).
  void PlaceCell(std::int32_t index);

 private:
  std::int32_t columns_ = 0;
  std::int32_t rows_ = 0;
  std::int32_t stoneWidth_ = 0;
  std::int32_t stoneHeight_ = 0;
  std::vector<TStoneCell> cells_;
  FieldCounters counters_;
};

}  // namespace pebble

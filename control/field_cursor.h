#pragma once
// The keyboard's cursor over the field: the cell that Space or Enter clicks.
// It lives on the window's side of the game, follows the arrow keys, and after
// every change of the field moves to the nearest stone, never off the field.

#include <cstdint>

#include "engine/field.h"

namespace pebble {

class FieldCursor {
 public:
  // The bottom-left cell of a new field, where the stones gather.
  void Reset(const Field& field);
  // One step by the arrow keys, stopping at the edges of the field.
  void Step(const Field& field, std::int32_t rows, std::int32_t columns);
  void ToFirstColumn(const Field& field);
  // The last column that still holds a stone (the columns beyond it are picture only).
  void ToLastColumn(const Field& field);
  // Back onto a stone when the cell has been emptied: the nearest occupied
  // cell, the lower one of two as near (the left one in a row). An empty field keeps the place.
  void KeepOnStone(const Field& field);

  std::int32_t Index(const Field& field) const { return field.CellIndex(row_, column_); }
  CellPos Position() const { return {row_, column_}; }

  // Seen from the first arrow key on, until the next mouse click.
  bool Shown() const { return shown_; }
  void Show() { shown_ = true; }
  void Hide() { shown_ = false; }

 private:
  void Clamp(const Field& field);

  std::int32_t row_ = 1;
  std::int32_t column_ = 1;
  bool shown_ = false;
};

}  // namespace pebble

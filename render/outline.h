#pragma once
// The trace lines of a cell: every same-coloured group gets one closed black
// outline. A border between two normal stones is drawn once, as the top or
// left line of the lower or right stone.

#include <array>
#include <cstdint>

#include "engine/field.h"

namespace pebble {

// A black line one pixel wide, from (x, y) length pixels to the right or down,
// its end point excluded.
struct OutlineLine {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t length = 0;
  bool horizontal = true;
  bool operator==(const OutlineLine&) const = default;
};

struct OutlineLines {
  std::array<OutlineLine, 4> lines{};
  int count = 0;
  const OutlineLine* begin() const { return lines.data(); }
  const OutlineLine* end() const { return lines.data() + count; }
};

// The lines of the cell at its resting place; none for an empty cell, a
// special stone or a cell that is not part of the field.
OutlineLines CellOutline(const Field& field, const TStoneCell& cell);

}  // namespace pebble

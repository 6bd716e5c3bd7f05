#include "render/outline.h"

namespace pebble {

namespace {

enum class Side { Missing, Empty, Special, Normal };

struct NeighbourLook {
  Side side = Side::Missing;
  ColorValue color = 0;
};

NeighbourLook Look(const Field& field, const TStoneCell& cell, Direction direction) {
  const std::int32_t index = cell.Neighbours[direction];
  if (!field.Contains(index)) return {};
  const TStoneCell& neighbour = field[index];
  if (!neighbour.Occupied) return {Side::Empty, neighbour.Color};
  return {IsSpecial(neighbour.Kind) ? Side::Special : Side::Normal, neighbour.Color};
}

// Top and left: a line unless the neighbour is a stone of the same colour.
bool OpensTowards(const NeighbourLook& look, ColorValue color) {
  return look.side == Side::Missing || look.side == Side::Empty || look.color != color;
}

}  // namespace

OutlineLines CellOutline(const Field& field, const TStoneCell& cell) {
  OutlineLines out;
  if (!field.Contains(cell.Index) || !cell.Occupied || IsSpecial(cell.Kind)) return out;
  const std::int32_t w = field.StoneWidth(), h = field.StoneHeight();
  const auto add = [&out](OutlineLine line) { out.lines[static_cast<std::size_t>(out.count++)] = line; };

  if (OpensTowards(Look(field, cell, dirAbove), cell.Color)) add({cell.Left, cell.Top, w, true});
  if (OpensTowards(Look(field, cell, dirLeft), cell.Color)) add({cell.Left, cell.Top, h, false});

  // Right and bottom: on the field's edge the line lies on the frame; towards
  // an empty cell or a special stone it lies on the cell's own last pixel.
  const Side right = Look(field, cell, dirRight).side;
  if (right == Side::Missing) add({cell.Left + w, cell.Top, h, false});
  if (right == Side::Empty || right == Side::Special) add({cell.Left + w - 1, cell.Top, h, false});
  const Side below = Look(field, cell, dirBelow).side;
  if (below == Side::Missing) add({cell.Left, cell.Top + h, w, true});
  if (below == Side::Empty || below == Side::Special) add({cell.Left, cell.Top + h - 1, w, true});
  return out;
}

}  // namespace pebble

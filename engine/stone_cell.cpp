#include "engine/stone_cell.h"

#include <algorithm>

namespace pebble {
namespace {

void PutU32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint32_t GetU32(const std::uint8_t* p) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= std::uint32_t{p[i]} << (8 * i);
  return v;
}

}  // namespace

void WriteStoneCell(const TStoneCell& c, std::span<std::uint8_t, kStoneCellBytes> out) {
  std::uint8_t* p = out.data();
  std::fill(out.begin(), out.end(), std::uint8_t{0});
  PutU32(p + 0, static_cast<std::uint32_t>(c.Index));
  PutU32(p + 4, static_cast<std::uint32_t>(c.Left));
  PutU32(p + 8, static_cast<std::uint32_t>(c.Top));
  p[12] = c.Kind;
  PutU32(p + 16, c.Color);
  p[20] = c.Occupied;
  for (int d = 0; d < kDirectionCount; ++d) PutU32(p + 24 + 4 * d, static_cast<std::uint32_t>(c.Neighbours[d]));
  p[40] = c.SameColorCount;
}

StoneCellImage StoneCellBytes(const TStoneCell& cell) {
  StoneCellImage image{};
  WriteStoneCell(cell, image);
  return image;
}

TStoneCell ReadStoneCell(std::span<const std::uint8_t, kStoneCellBytes> in) {
  const std::uint8_t* p = in.data();
  TStoneCell c;
  c.Index = static_cast<std::int32_t>(GetU32(p + 0));
  c.Left = static_cast<std::int32_t>(GetU32(p + 4));
  c.Top = static_cast<std::int32_t>(GetU32(p + 8));
  c.Kind = p[12];
  c.Color = GetU32(p + 16);
  c.Occupied = p[20];
  for (int d = 0; d < kDirectionCount; ++d) c.Neighbours[d] = static_cast<std::int32_t>(GetU32(p + 24 + 4 * d));
  c.SameColorCount = p[40];
  return c;
}

}  // namespace pebble

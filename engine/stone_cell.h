#pragma once
// One cell of the field. The 44-byte little-endian image of a cell is part of
// the saved-game format, so it is written and read field by field.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "config/game_settings.h"

namespace pebble {

enum TStoneKind : std::uint8_t {
  skNormal = 0,
  skBomb = 1,
  skRocketRight = 2,
  skRocketDown = 3,
  skRocketLeft = 4,
  skRock = 5,
};
constexpr int kStoneKindCount = 6;

constexpr bool IsActiveSpecial(std::uint8_t kind) { return kind >= skBomb && kind <= skRocketLeft; }
constexpr bool IsSpecial(std::uint8_t kind) { return kind != skNormal; }

// Every special stone carries this instead of a palette colour.
constexpr ColorValue SpecialColor = 0x02FFFFFE;

enum Direction : int { dirAbove = 0, dirLeft = 1, dirRight = 2, dirBelow = 3 };
constexpr int kDirectionCount = 4;

struct TStoneCell {
  std::int32_t Index = 0;  // -1: a pseudo-cell that only draws a ramp stone
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::uint8_t Kind = skNormal;
  ColorValue Color = 0;
  std::uint8_t Occupied = 0;
  std::array<std::int32_t, kDirectionCount> Neighbours{-1, -1, -1, -1};
  std::uint8_t SameColorCount = 0;

  bool operator==(const TStoneCell&) const = default;
};

constexpr std::size_t kStoneCellBytes = 44;
using StoneCellImage = std::array<std::uint8_t, kStoneCellBytes>;

// Writes the record in its file layout; padding bytes are written as 0.
void WriteStoneCell(const TStoneCell& cell, std::span<std::uint8_t, kStoneCellBytes> out);
StoneCellImage StoneCellBytes(const TStoneCell& cell);
// Reads a record from its file layout; padding bytes are ignored.
TStoneCell ReadStoneCell(std::span<const std::uint8_t, kStoneCellBytes> in);

}  // namespace pebble

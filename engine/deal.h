#pragma once
// A deal is a number: the same number with the same field size, colours and
// specials deals the same stones on every machine, so a player can replay a
// game or pass it on. A random game is a deal number drawn from the clock.

#include <cstdint>
#include <optional>
#include <string_view>

#include "config/game_settings.h"
#include "engine/field.h"
#include "engine/random.h"

namespace pebble {

using DealNumber = std::uint32_t;
inline constexpr DealNumber kFirstDealNumber = 1;
inline constexpr DealNumber kLastDealNumber = 999'999'999;  // nine digits: easy to read out and type

// Columns and rows of a field.
struct FieldSize {
  std::int32_t columns = 0;
  std::int32_t rows = 0;
  bool operator==(const FieldSize&) const = default;
};

// The colour of a new stone: one of the first colorCount colours of the table.
ColorValue DrawColor(GameRandom& random, const GameSettings& settings);
// The kind of a new stone; no draw at all when specials are off.
TStoneKind DrawSpecial(GameRandom& random, const GameSettings& settings);

// A deal number for a random game, drawn from the given generator.
DealNumber DrawDealNumber(GameRandom& random);
// The deal number a player typed: digits only (blanks around them allowed),
// in kFirstDealNumber..kLastDealNumber; nothing otherwise.
std::optional<DealNumber> ParseDealNumber(std::string_view text);

// The field of a deal: every cell filled row by row from the top, colour
// first, then kind, with neighbour links and counters in place. Throws
// std::invalid_argument for settings no game can be played with.
Field DealField(DealNumber deal, const GameSettings& settings, FieldSize size);
// The same at the configured size (columnCount by rowCount).
Field DealField(DealNumber deal, const GameSettings& settings);

}  // namespace pebble

#include "engine/deal.h"

#include <charconv>
#include <stdexcept>

namespace pebble {
namespace {

std::string_view TrimBlanks(std::string_view text) {
  const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

ColorValue DrawColor(GameRandom& random, const GameSettings& settings) {
  return settings.stoneColors[static_cast<std::size_t>(random.Random(settings.colorCount))];
}

TStoneKind DrawSpecial(GameRandom& random, const GameSettings& settings) {
  if (!settings.actionsOn) return skNormal;
  if (random.Random(settings.actionFrequency) != 0) return skNormal;
  switch (random.Random(3)) {
    case 0: return skBomb;
    case 1: return static_cast<TStoneKind>(skRocketRight + random.Random(3));
    default: return skRock;
  }
}

DealNumber DrawDealNumber(GameRandom& random) {
  return kFirstDealNumber + static_cast<DealNumber>(random.Random(static_cast<std::int32_t>(kLastDealNumber)));
}

std::optional<DealNumber> ParseDealNumber(std::string_view text) {
  text = TrimBlanks(text);
  // Ten digits are enough to see that a number is too big without overflow.
  if (text.empty() || text.size() > 10) return std::nullopt;
  std::uint64_t number = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, number);
  if (ec != std::errc{} || ptr != end) return std::nullopt;
  if (number < kFirstDealNumber || number > kLastDealNumber) return std::nullopt;
  return static_cast<DealNumber>(number);
}

Field DealField(DealNumber deal, const GameSettings& settings, FieldSize size) {
  GameSettings checked = settings;
  if (MakePlayable(checked)) throw std::invalid_argument("settings the game cannot play");
  if (size.columns < 1 || size.rows < 1 || size.columns > kMaxFieldCells || size.rows > kMaxFieldCells) {
    throw std::invalid_argument("a field of that size cannot be dealt");
  }
  Field field(size.columns, size.rows, settings.stoneWidth, settings.stoneHeight);
  // The deal's own generator: dealing leaves the program's generator alone.
  GameRandom random;
  random.Seed(deal);
  // Colour first, then kind: the order of the draws is part of every deal.
  for (TStoneCell& cell : field.Cells()) {
    cell.Occupied = 1;
    cell.Color = DrawColor(random, settings);
    cell.Kind = DrawSpecial(random, settings);
    if (cell.Kind != skNormal) cell.Color = SpecialColor;
  }
  field.Recount(true);
  return field;
}

Field DealField(DealNumber deal, const GameSettings& settings) {
  return DealField(deal, settings, {settings.columnCount, settings.rowCount});
}

}  // namespace pebble

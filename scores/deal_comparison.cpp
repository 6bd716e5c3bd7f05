#include "scores/deal_comparison.h"

#include "config/string_table.h"

namespace pebble {
namespace {

constexpr int kStrCaption = 877, kStrStonesLeft = 878, kStrStoneLeft = 879, kStrPoints = 880, kStrOneLine = 881,
              kStrHint = 882;

// French counts nothing as one: "0 pierre restante".
bool OneStone(std::int64_t stones, int languageOffset) {
  return stones == 1 || (stones == 0 && languageOffset == kFrenchOffset);
}

}  // namespace

std::string DealComparisonCaption(int languageOffset) { return Text(kStrCaption, languageOffset); }

std::string DealComparisonFigures(const DealComparison& comparison, int languageOffset) {
  const int id = !comparison.lowScore                           ? kStrPoints
                 : OneStone(comparison.best, languageOffset) ? kStrStoneLeft
                                                              : kStrStonesLeft;
  return FormatText(id, languageOffset, {std::to_string(comparison.best), std::to_string(comparison.yours)});
}

std::string DealComparisonText(const DealComparison& comparison, int languageOffset) {
  return FormatText(kStrOneLine, languageOffset,
                    {DealComparisonCaption(languageOffset), DealComparisonFigures(comparison, languageOffset)});
}

std::string DealComparisonHint(int languageOffset) { return Text(kStrHint, languageOffset); }

}  // namespace pebble

#include "scores/deal_comparison.h"

#include "config/string_ids.h"
#include "config/string_table.h"

namespace pebble {
namespace {

// French counts nothing as one: "0 pierre restante".
bool OneStone(std::int64_t stones, int languageOffset) {
  return stones == 1 || (stones == 0 && languageOffset == kFrenchOffset);
}

}  // namespace

std::string DealComparisonCaption(int languageOffset) { return Text(kDealBestCaption, languageOffset); }

std::string DealComparisonFigures(const DealComparison& comparison, int languageOffset) {
  const int id = !comparison.lowScore                           ? kDealBestPoints
                 : OneStone(comparison.best, languageOffset) ? kDealBestStone
                                                              : kDealBestStones;
  return FormatText(id, languageOffset, {std::to_string(comparison.best), std::to_string(comparison.yours)});
}

std::string DealComparisonText(const DealComparison& comparison, int languageOffset) {
  return FormatText(kDealBestLine, languageOffset,
                    {DealComparisonCaption(languageOffset), DealComparisonFigures(comparison, languageOffset)});
}

std::string DealComparisonHint(int languageOffset) { return Text(kDealBestHint, languageOffset); }

}  // namespace pebble

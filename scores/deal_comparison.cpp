#include "scores/deal_comparison.h"

#include "config/string_table.h"

namespace pebble {
namespace {

constexpr int kStrDealBestStones = 877, kStrDealBestPoints = 878, kStrDealBestHint = 879;

}  // namespace

std::string DealComparisonText(const DealComparison& comparison, int languageOffset) {
  return FormatText(comparison.lowScore ? kStrDealBestStones : kStrDealBestPoints, languageOffset,
                    {std::to_string(comparison.best), std::to_string(comparison.yours)});
}

std::string DealComparisonHint(int languageOffset) { return Text(kStrDealBestHint, languageOffset); }

}  // namespace pebble

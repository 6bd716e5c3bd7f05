#pragma once
// How a finished game compares with the best the solver found for its deal,
// in the count mode of the game: stones left, or points with the bonus.

#include <cstdint>
#include <string>

namespace pebble {

struct DealComparison {
  bool lowScore = false;
  std::int64_t best = 0;   // the solver's best line
  std::int64_t yours = 0;  // the player's result
  bool operator==(const DealComparison&) const = default;
};

// "Best found for this deal"
std::string DealComparisonCaption(int languageOffset);
// "2 stones left (you: 5)", "4312 points (you: 3980)"
std::string DealComparisonFigures(const DealComparison& comparison, int languageOffset);
// Caption and figures on one line, for the status bar.
std::string DealComparisonText(const DealComparison& comparison, int languageOffset);
// What the comparison means, for its hint.
std::string DealComparisonHint(int languageOffset);

}  // namespace pebble

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
};

// The line shown in the statistics window and, on B after the end, in the
// status bar.
std::string DealComparisonText(const DealComparison& comparison, int languageOffset);

// What the line means, for its hint.
std::string DealComparisonHint(int languageOffset);

}  // namespace pebble

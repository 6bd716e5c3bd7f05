// The solver's best line beside the player's result: the figures in the
// right order, and stones counted as each language counts them.

#include <gtest/gtest.h>

#include "config/string_table.h"
#include "scores/deal_comparison.h"

namespace pebble {
namespace {

struct Case {
  DealComparison comparison;
  int languageOffset;
  const char* figures;
};

TEST(DealComparison, FiguresInOrderAndStonesCountedAsTheLanguageCounts) {
  const Case cases[] = {
      {{true, 2, 5}, kEnglishOffset, "2 stones left (you: 5)"},
      {{true, 1, 0}, kEnglishOffset, "1 stone left (you: 0)"},
      {{true, 0, 1}, kEnglishOffset, "0 stones left (you: 1)"},
      {{true, 1, 3}, kGermanOffset, "1 Stein übrig (du: 3)"},
      {{true, 0, 3}, kGermanOffset, "0 Steine übrig (du: 3)"},
      {{true, 0, 3}, kFrenchOffset, "0 pierre restante (vous\u00A0: 3)"},
      {{true, 1, 3}, kFrenchOffset, "1 pierre restante (vous\u00A0: 3)"},
      {{true, 2, 3}, kFrenchOffset, "2 pierres restantes (vous\u00A0: 3)"},
      {{false, 4312, 3980}, kEnglishOffset, "4312 points (you: 3980)"},
      {{false, 5000000000, 2147483647}, kGermanOffset, "5000000000 Punkte (du: 2147483647)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.figures);
    EXPECT_EQ(DealComparisonFigures(c.comparison, c.languageOffset), c.figures);
  }
}

TEST(DealComparison, OneLineForTheStatusBarJoinsCaptionAndFigures) {
  EXPECT_EQ(DealComparisonText({true, 2, 5}, kEnglishOffset), "Best found for this deal: 2 stones left (you: 5)");
  EXPECT_EQ(DealComparisonText({false, 90, 80}, kFrenchOffset),
            "Meilleur résultat trouvé pour cette donne\u00A0: 90 points (vous\u00A0: 80)");
}

}  // namespace
}  // namespace pebble

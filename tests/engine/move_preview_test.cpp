// The group shown before the click is the move the click then makes: for
// every cell of fields with groups, lone stones, specials, rocks and gaps,
// the cells MoveCells names are exactly the cells the click removes.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

#include "engine_fixture.h"

namespace pebble::testing {
namespace {

std::set<std::int32_t> Removed(const std::vector<std::string>& rows, GameSettings settings, std::int32_t index) {
  GameOn on(rows, settings);
  // Taken stones are marked off the field before the first animation stage
  // shows them going, and before anything falls.
  const Field before = on.game.GetField();
  std::set<std::int32_t> removed;
  bool firstStage = true;
  on.host.duringAnimation = [&] {
    if (!std::exchange(firstStage, false)) return;
    for (std::int32_t i = 0; i < before.Size(); ++i)
      if (before[i].Occupied && !on.game.GetField()[i].Occupied) removed.insert(i);
  };
  const CellPos at = on.game.GetField().CellPosition(index);
  on.Click(at.row, at.column);
  return removed;
}

std::set<std::int32_t> Previewed(const std::vector<std::string>& rows, GameSettings settings, std::int32_t index) {
  GameOn on(rows, settings);
  const std::vector<std::int32_t> cells = on.game.MoveCells(index);
  return {cells.begin(), cells.end()};
}

struct PreviewCase {
  const char* name;
  std::vector<std::string> rows;
  bool actionsOn;
};

TEST(MovePreview, EveryCellPreviewsExactlyWhatItsClickRemoves) {
  const PreviewCase cases[] = {
      {"groups, lone stones and gaps", {"aab.c", "abbbc", "ccaab", "a.c.a"}, false},
      {"specials and rocks in play", {"aBbXc", "aRbbD", "cLaab", "XacBa"}, true},
      {"specials taken as colours when actions are off", {"aBBb", "abBb"}, false},
  };
  for (const PreviewCase& c : cases) {
    GameSettings settings = QuietSettings();
    settings.animationsOn = true;
    settings.actionsOn = c.actionsOn;
    const std::int32_t size = static_cast<std::int32_t>(c.rows.size() * c.rows.front().size());
    for (std::int32_t i = 0; i < size; ++i) {
      EXPECT_EQ(Previewed(c.rows, settings, i), Removed(c.rows, settings, i)) << c.name << ", cell " << i;
    }
  }
}

TEST(MovePreview, NothingIsPreviewedOnceTheGameIsOverOrDuringAMove) {
  GameOn over({"ab", "ba"});
  EXPECT_FALSE(over.game.EndTest());
  EXPECT_TRUE(over.game.MoveCells(0).empty());

  GameSettings settings = QuietSettings();
  settings.animationsOn = true;
  GameOn moving({"aab", "abb"}, settings);
  std::vector<std::int32_t> seenDuringTheMove{-1};
  moving.host.duringAnimation = [&] { seenDuringTheMove = moving.game.MoveCells(2); };
  moving.Click(1, 1);
  EXPECT_TRUE(seenDuringTheMove.empty());
}

}  // namespace
}  // namespace pebble::testing

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/deal.h"
#include "engine_fixture.h"

namespace pebble {
namespace {

using testing::RecordingHost;
using testing::Rows;

struct Dealer {
  RecordingHost host;
  GameRandom random;
  Game game{host, random};
  Dealer() { random.SetFixedSeed(42); }
};

TEST(Generation, DefaultsDealTenBySixteenPlainStonesOfFiveColours) {
  Dealer d;
  const GameSettings s;
  d.game.NewField(s, ChooseFieldSize(s, std::nullopt));
  const Field& f = d.game.GetField();
  EXPECT_EQ(f.Columns(), 10);
  EXPECT_EQ(f.Rows(), 16);
  EXPECT_EQ(f.Counters().StonesLeft, 160);
  std::set<ColorValue> colours;
  for (const TStoneCell& c : f.Cells()) {
    EXPECT_EQ(c.Kind, skNormal);
    colours.insert(c.Color);
  }
  EXPECT_EQ(colours, (std::set<ColorValue>(kClassicPalette.begin(), kClassicPalette.begin() + 5)));
  EXPECT_TRUE(d.game.GameRunning());
}

// Written down once from the game and kept: the program's generator under a
// fixed seed draws this deal number, and the number deals these stones.
TEST(Generation, AFixedSeedDealsThesePinnedFields) {
  struct Case {
    bool actions;
    std::vector<std::string> rows;
  } cases[] = {
      {false, {"dbcddb", "dbcddc", "eddcdd", "eecdad", "bbbceb", "bceccd"}},
      {true, {"dcddcd", "LdecRX", "RDbccX", "bcBbcB", "LXLbBa", "BeXceb"}},
  };
  for (const Case& c : cases) {
    Dealer d;
    GameSettings s;
    s.actionsOn = c.actions;
    s.actionFrequency = 3;
    d.game.NewField(s, {6, 6});
    EXPECT_EQ(d.game.Deal(), std::optional<DealNumber>(949557508));
    EXPECT_EQ(Rows(d.game.GetField()), c.rows) << "actions " << c.actions;
  }
}

// Row by row from the top: a taller field of the same deal begins with the
// rows of the shorter one; a wider one does not keep its columns.
TEST(Generation, FieldsFillRowByRowFromTheTop) {
  for (bool actions : {false, true}) {
    GameSettings s;
    s.actionsOn = actions;
    s.actionFrequency = 4;
    const std::vector<std::string> shorter = Rows(DealField(4711, s, {7, 3}));
    std::vector<std::string> taller = Rows(DealField(4711, s, {7, 9}));
    taller.resize(3);
    EXPECT_EQ(shorter, taller) << "actions " << actions;
  }
}

// Over many stones every colour comes about equally often, and one stone in
// actionFrequency is special.
TEST(Generation, ColoursComeEvenlyAndSpecialsAtTheirFrequency) {
  for (int frequency : {2, 3, 10}) {
    GameSettings s;
    s.actionsOn = true;
    s.actionFrequency = frequency;
    const Field field = DealField(static_cast<DealNumber>(frequency), s, {100, 100});
    std::map<ColorValue, int> colours;
    int specials = 0;
    for (const TStoneCell& c : field.Cells()) {
      if (c.Kind == skNormal) ++colours[c.Color];
      else ++specials;
    }
    const double n = field.Size();
    EXPECT_NEAR(specials / n, 1.0 / frequency, 0.015) << frequency;
    ASSERT_EQ(colours.size(), 5u);
    for (const auto& [colour, count] : colours) EXPECT_NEAR(count / (n - specials), 0.2, 0.02) << colour;
  }
}

TEST(Generation, EveryStoneSpecialAtFrequencyOneInTheRightProportions) {
  Dealer d;
  GameSettings s;
  s.actionsOn = true;
  s.actionFrequency = 1;
  d.game.NewField(s, {90, 100});
  std::map<int, int> kinds;
  for (const TStoneCell& c : d.game.GetField().Cells()) ++kinds[c.Kind];
  EXPECT_EQ(kinds.count(skNormal), 0u);
  const double n = 9000;
  EXPECT_NEAR(kinds[skBomb] / n, 1.0 / 3, 0.03);
  EXPECT_NEAR(kinds[skRock] / n, 1.0 / 3, 0.03);
  for (int k : {skRocketRight, skRocketDown, skRocketLeft}) EXPECT_NEAR(kinds[k] / n, 1.0 / 9, 0.02);
}

TEST(Generation, TwoColoursUseOnlyTheFirstTwoOfTheTable) {
  Dealer d;
  GameSettings s;
  s.colorCount = 2;
  d.game.NewField(s, {20, 20});
  std::set<ColorValue> colours;
  for (const TStoneCell& c : d.game.GetField().Cells()) colours.insert(c.Color);
  EXPECT_EQ(colours, (std::set<ColorValue>{kClassicPalette[0], kClassicPalette[1]}));
}

TEST(Generation, AFixedSeedDealsTheSameFieldAgain) {
  Dealer a, b;
  const GameSettings s;
  a.game.NewField(s, {10, 16});
  b.game.NewField(s, {10, 16});
  EXPECT_EQ(a.game.GetField().Cells(), b.game.GetField().Cells());
  b.random.SetFixedSeed(43);
  b.game.NewField(s, {10, 16});
  EXPECT_NE(a.game.GetField().Cells(), b.game.GetField().Cells());
}

TEST(Generation, UnplayableSettingsAreRefusedBeforeAnyDraw) {
  for (auto spoil : std::initializer_list<void (*)(GameSettings&)>{
           [](GameSettings& s) { s.colorCount = 0; },
           [](GameSettings& s) { s.colorCount = 16; },
           [](GameSettings& s) { s.actionsOn = true, s.actionFrequency = 0; },
           [](GameSettings& s) { s.stoneWidth = 0; },
       }) {
    Dealer d;
    GameSettings s;
    spoil(s);
    EXPECT_THROW(d.game.NewField(s, {10, 16}), std::invalid_argument);
  }
  Dealer d;
  EXPECT_THROW(d.game.NewField(GameSettings{}, {0, 16}), std::invalid_argument);
}

TEST(Generation, RandomStaysInRange) {
  GameRandom r;
  r.Seed(7);
  EXPECT_EQ(r.Random(0), 0);
  EXPECT_EQ(r.Random(-3), 0);
  std::set<int> seen;
  for (int i = 0; i < 1000; ++i) seen.insert(r.Random(5));
  EXPECT_EQ(seen, (std::set<int>{0, 1, 2, 3, 4}));
}

TEST(FitToPicture, RoundsToWholeStonesKeepingTheArea) {
  const GameSettings s;  // 10 x 16 stones of 20 x 21: area 67200
  struct Case {
    PixelSize picture;
    FieldSize size;
  } cases[] = {
      {{201, 337}, {10, 16}},  // D = 200, Pw = 200, Ph = 336
      {{640, 480}, {15, 11}},  // D = 299 -> Pw 300; Ph = 224 -> 231
      {{100, 100}, {13, 13}},  // D = 259 -> Pw 260; Ph = 258 -> 273
  };
  for (const Case& c : cases) EXPECT_EQ(FitFieldToPicture(s, c.picture), c.size) << c.picture.width;
}

TEST(FitToPicture, HalvesRoundToTheEvenNeighbour) {
  const std::pair<double, std::int64_t> table[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {3.49, 3}, {3.51, 4}, {200.0, 200}};
  for (auto [v, r] : table) EXPECT_EQ(RoundHalfEven(v), r) << v;
}

TEST(FitToPicture, OnlyWhenSwitchedOnAndNeverBeyondWhatAWindowHolds) {
  GameSettings s;
  EXPECT_EQ(ChooseFieldSize(s, PixelSize{640, 480}), (FieldSize{15, 11}));
  EXPECT_EQ(ChooseFieldSize(s, std::nullopt), (FieldSize{10, 16}));
  EXPECT_EQ(ChooseFieldSize(s, PixelSize{100000, 1}), (FieldSize{10, 16}));
  s.fitToPicture = false;
  EXPECT_EQ(ChooseFieldSize(s, PixelSize{640, 480}), (FieldSize{10, 16}));
}

}  // namespace
}  // namespace pebble

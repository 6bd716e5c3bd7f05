#include <gtest/gtest.h>

#include "engine/deal.h"
#include "engine_fixture.h"

namespace pebble {
namespace {

using testing::RecordingHost;
using testing::Rows;

GameSettings WithSpecials(std::int32_t frequency) {
  GameSettings s;
  s.actionsOn = true;
  s.actionFrequency = frequency;
  return s;
}

GameSettings WithColours(std::uint8_t colours) {
  GameSettings s;
  s.colorCount = colours;
  return s;
}

// Three deals written out stone by stone. A change of the generator, of the
// order of the draws or of the way a number seeds them changes every deal a
// player has passed on, so it must not pass unnoticed.
TEST(Deal, PinnedNumbersDealExactlyTheseFields) {
  const struct {
    DealNumber deal;
    GameSettings settings;
    FieldSize size;
    std::vector<std::string> rows;
  } pinned[] = {
      {1, GameSettings{}, {8, 4}, {"ccadbcbe", "bdbabdbe", "abacacca", "eaddaeeb"}},
      {424242, WithSpecials(4), {8, 5}, {"cBbbebab", "dddabbbb", "caBddacb", "eXeecbXd", "eceedRXa"}},
      {999999999, WithColours(3), {6, 3}, {"bacbab", "caabba", "aababa"}},
  };
  for (const auto& p : pinned) {
    SCOPED_TRACE(p.deal);
    EXPECT_EQ(Rows(DealField(p.deal, p.settings, p.size)), p.rows);
  }
}

TEST(Deal, TypedNumbersAreReadStrictly) {
  const struct {
    const char* text;
    std::optional<DealNumber> deal;
  } cases[] = {
      {"1", 1},           {" 42 ", 42},      {"\t7", 7},         {"999999999", 999999999}, {"000123", 123},
      {"0", std::nullopt}, {"1000000000", std::nullopt},         {"", std::nullopt},        {"  ", std::nullopt},
      {"-5", std::nullopt}, {"+5", std::nullopt}, {"12a", std::nullopt}, {"1 2", std::nullopt}, {"1.5", std::nullopt},
      {"99999999999999999999999", std::nullopt}, {"٣", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseDealNumber(c.text), c.deal);
  }
}

TEST(Deal, TheGameDealsTheFieldOfItsNumberAndASavedGameHasNone) {
  RecordingHost host;
  GameRandom random;
  Game game{host, random};
  const GameSettings s = WithSpecials(5);
  game.NewField(s, {9, 7}, 31337);
  EXPECT_EQ(game.Deal(), DealNumber{31337});
  EXPECT_EQ(game.GetField().Cells(), DealField(31337, s, {9, 7}).Cells());
  EXPECT_EQ(game.Counters(), DealField(31337, s, {9, 7}).Counters());

  // A random game is a drawn number, and dealing it again gives its field.
  random.SetFixedSeed(5);
  game.NewField(s, {9, 7});
  ASSERT_TRUE(game.Deal());
  EXPECT_GE(*game.Deal(), kFirstDealNumber);
  EXPECT_LE(*game.Deal(), kLastDealNumber);
  EXPECT_EQ(game.GetField().Cells(), DealField(*game.Deal(), s, {9, 7}).Cells());

  game.LoadField(s, {9, 7}, game.GetField().Cells());
  EXPECT_EQ(game.Deal(), std::nullopt);
}

TEST(Deal, OtherNumbersOrSizesDealOtherFields) {
  const GameSettings s;
  EXPECT_NE(DealField(100, s).Cells(), DealField(101, s).Cells());
  EXPECT_EQ(DealField(100, s, {10, 16}).Cells(), DealField(100, s).Cells());
  // The deal fills row by row from the top: a wider field starts the same.
  const Field narrow = DealField(100, s, {10, 1}), wide = DealField(100, s, {20, 1});
  for (std::int32_t i = 0; i < 10; ++i) EXPECT_EQ(narrow[i].Color, wide[i].Color);
}

TEST(Deal, UnplayableSettingsOrSizesAreRefused) {
  GameSettings noColours;
  noColours.colorCount = 0;
  EXPECT_THROW(DealField(1, noColours), std::invalid_argument);
  EXPECT_THROW(DealField(1, GameSettings{}, {0, 5}), std::invalid_argument);
  EXPECT_THROW(DealField(1, GameSettings{}, {5, kMaxFieldCells + 1}), std::invalid_argument);
}

}  // namespace
}  // namespace pebble

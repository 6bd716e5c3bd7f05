#include <gtest/gtest.h>

#include <limits>

#include "config/string_ids.h"
#include "config/string_table.h"
#include "score_fixture.h"
#include "scores/score_store.h"

namespace pebble {
namespace {

using testing::HighScoreGame;
using testing::HighScoreSettings;
using testing::LowScoreGame;
using testing::LowScoreSettings;
using testing::ScriptedQuery;
using testing::TempStore;

TEST(VariantKeyTest, NamesEveryPartOfTheVariant) {
  struct Case {
    int columns, rows, colors;
    bool actions, autoDrop;
    int playTime;
    bool lowScore;
    const char* key;
  };
  const Case cases[] = {
      {10, 16, 5, false, false, 90, true, "101650000000"},
      {10, 16, 5, true, true, 90, false, "10165A090H00"},
      {10, 16, 12, false, false, 90, true, "1016120000000"},
      {6, 9, 2, false, false, 90, true, "060920000000"},
      {40, 40, 15, true, true, 999, true, "404015A999000"},
      {10, 16, 5, false, true, 100, true, "101650100000"},
      {10, 16, 5, false, false, 300, false, "101650000H00"},  // the duration counts only with auto-drop
  };
  for (const Case& c : cases) {
    GameSettings settings;
    settings.columnCount = c.columns;
    settings.rowCount = c.rows;
    settings.colorCount = static_cast<std::uint8_t>(c.colors);
    settings.actionsOn = c.actions;
    settings.autoDrop = c.autoDrop;
    settings.playTime = c.playTime;
    settings.lowScore = c.lowScore;
    EXPECT_EQ(BuildVariantKey(settings), c.key) << c.key;
  }
}

TEST(VariantKeyTest, SectionsCarryTheKey) {
  EXPECT_EQ(ScoreSection("101650000000"), "Score101650000000");
  EXPECT_EQ(StatsSection("10165A090H00"), "Stats10165A090H00");
}

TEST(CutToCharactersTest, CutsWholeCharacters) {
  EXPECT_EQ(CutToCharacters("Abcdefghijklmnopqrst", 17), "Abcdefghijklmnopq");
  EXPECT_EQ(CutToCharacters("Jürgen Größenwahn-Müller", 17), "Jürgen Größenwahn");
  EXPECT_EQ(CutToCharacters("Zoë", 17), "Zoë");
  EXPECT_EQ(CutToCharacters("€€€", 2), "€€");
  EXPECT_EQ(CutToCharacters("", 3), "");
}

// What the new-game routine does for a game of these settings.
void StartGame(ScoreKeeper& keeper, const GameSettings& settings) {
  keeper.FollowNewGame(settings);
  keeper.LoadStats();
  keeper.LoadScoreTable();
}

std::string DefaultName(int id) { return std::string(LoadStr(id)); }

ScoreTable TableOf(std::initializer_list<std::int32_t> results) {
  ScoreTable table;
  int i = 0;
  for (std::int32_t r : results) table[static_cast<std::size_t>(i++)] = {"P" + std::to_string(i), r};
  return table;
}

TEST(InsertionPlaceTest, EqualResultsNeverDisplaceOlderOnes) {
  const ScoreTable low = TableOf({0, 2, 5, 9, 12, 20, 30, 40, 50, 60});
  const ScoreTable high = TableOf({900, 800, 700, 600, 500, 400, 300, 200, 100, 50});
  struct Case {
    const ScoreTable* table;
    bool lowScore;
    std::int32_t result;
    std::optional<int> place;
  };
  const Case cases[] = {
      {&low, true, 0, 1},              // equal to place 1: below it
      {&low, true, 5, 3},              // equal to place 3 enters at place 4
      {&low, true, 4, 2},
      {&low, true, 59, 9},             // place 10
      {&low, true, 60, std::nullopt},  // equal to place 10: no place
      {&low, true, 61, std::nullopt},
      {&high, false, 901, 0},
      {&high, false, 900, 1},
      {&high, false, 51, 9},
      {&high, false, 50, std::nullopt},
      {&high, false, 0, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(InsertionPlace(*c.table, c.result, c.lowScore), c.place) << c.result;
  }
}

// A fresh store with a keeper over it and a name query that answers "Tester".
class ScoreKeeperTest : public ::testing::Test {
 protected:
  TempStore temp;
  ScoreKeeper keeper{temp.Store()};
  ScriptedQuery query;
};

TEST_F(ScoreKeeperTest, NewVariantHoldsTheDefaults) {
  for (const GameSettings& settings : {LowScoreSettings(), HighScoreSettings()}) {
    StartGame(keeper, settings);
    for (int i = 0; i < kScorePlaces; ++i) {
      EXPECT_EQ(keeper.Table()[i].Name, DefaultName(kFirstDefaultName + i));
      EXPECT_EQ(keeper.Table()[i].Result, settings.lowScore ? 1600 : 0);
    }
    EXPECT_EQ(keeper.Counters(), ScoreCounters{});
  }
  EXPECT_EQ(keeper.Counters().BestGame, 1600);
}

TEST_F(ScoreKeeperTest, FirstGamesOfANewVariantTakeTheirPlaces) {
  query.Answer("Ann");
  const GameSettings settings = LowScoreSettings();
  StartGame(keeper, settings);

  EXPECT_EQ(keeper.RecordResult(settings, LowScoreGame(30), query).place, 0);
  query.Answer("Bob");
  EXPECT_EQ(keeper.RecordResult(settings, LowScoreGame(40), query).place, 1);
  query.Answer("Cid");
  EXPECT_EQ(keeper.RecordResult(settings, LowScoreGame(12), query).place, 0);
  EXPECT_EQ(query.presets, (std::vector<std::string>{"", "Ann", "Bob"}));

  // What a new game of the same variant reads back.
  ScoreKeeper reread(temp.Store());
  StartGame(reread, settings);
  EXPECT_EQ(reread.Table()[0], (ScorePlace{"Cid", 12}));
  EXPECT_EQ(reread.Table()[1], (ScorePlace{"Ann", 30}));
  EXPECT_EQ(reread.Table()[2], (ScorePlace{"Bob", 40}));
  EXPECT_EQ(reread.Table()[3], (ScorePlace{DefaultName(kFirstDefaultName), 1600}));
  EXPECT_EQ(reread.Table()[9], (ScorePlace{DefaultName(506), 1600}));
  EXPECT_EQ(reread.Counters().GamesPlayed, 3);
  EXPECT_EQ(reread.Counters().TotalLeft, 82);
  EXPECT_EQ(reread.Counters().BestGame, 12);
  EXPECT_EQ(reread.Counters().TotalStones, 480);
  EXPECT_EQ(temp.Store().ReadRegStr(ScoreSection(keeper.VariantKey()), "Letzter Sieger", ""), "Cid");
}

TEST_F(ScoreKeeperTest, FullTableDropsPlaceTenAndIgnoresWorseGames) {
  query.Answer("X");
  const GameSettings settings = LowScoreSettings();
  StartGame(keeper, settings);
  for (int left = 10; left <= 100; left += 10) keeper.RecordResult(settings, LowScoreGame(left), query);
  ASSERT_EQ(keeper.Table()[9].Result, 100);

  query.presets.clear();
  EXPECT_FALSE(keeper.RecordResult(settings, LowScoreGame(100), query).place);  // equal to place 10
  EXPECT_FALSE(keeper.RecordResult(settings, LowScoreGame(500), query).place);
  EXPECT_TRUE(query.presets.empty());  // no place, no query

  query.Answer("Late");
  EXPECT_EQ(keeper.RecordResult(settings, LowScoreGame(99), query).place, 9);
  EXPECT_EQ(keeper.Table()[9], (ScorePlace{"Late", 99}));
  query.Answer("Top");
  EXPECT_EQ(keeper.RecordResult(settings, LowScoreGame(10), query).place, 1);  // equal to place 1
  EXPECT_EQ(keeper.Table()[0].Result, 10);
  EXPECT_EQ(keeper.Table()[1], (ScorePlace{"Top", 10}));
  EXPECT_EQ(keeper.Table()[9].Result, 90);  // 99 fell off the end
  EXPECT_EQ(keeper.Counters().GamesPlayed, 14);
}

TEST_F(ScoreKeeperTest, EveryRecordedGameWritesTheWholeTable) {
  const GameSettings settings = HighScoreSettings();
  StartGame(keeper, settings);
  const RecordOutcome outcome = keeper.RecordResult(settings, HighScoreGame(0), query);  // no place
  EXPECT_FALSE(outcome.place);
  EXPECT_TRUE(outcome.stored);
  const std::string section = ScoreSection(keeper.VariantKey());
  for (int i = 0; i < kScorePlaces; ++i) {
    EXPECT_EQ(temp.Store().ReadRegStr(section, "Name" + std::to_string(i), "missing"), DefaultName(kFirstDefaultName + i));
    EXPECT_EQ(temp.Store().ReadRegInt(section, "Pts" + std::to_string(i), -1), 0);
  }
  EXPECT_EQ(temp.ValueCount(section), 20u);  // no Letzter Sieger without a name entered
}

// A game played with help keeps its mark on its place as the table moves,
// in values beside the old ones: Name and Pts read exactly as before.
TEST_F(ScoreKeeperTest, APlaceOfAGameWithHelpKeepsItsMarkAndTheOldValuesStayPlain) {
  const GameSettings settings = LowScoreSettings();
  StartGame(keeper, settings);
  GameResult aided = LowScoreGame(30);
  aided.Aided = true;
  query.Answer("Helped");
  keeper.RecordResult(settings, aided, query);
  query.Answer("Alone");
  keeper.RecordResult(settings, LowScoreGame(20), query);  // above it: the mark moves down with its place
  query.Answer("Later");
  keeper.RecordResult(settings, LowScoreGame(40), query);

  ScoreKeeper reread(temp.Store());
  StartGame(reread, settings);
  EXPECT_EQ(reread.Table()[0], (ScorePlace{"Alone", 20, false}));
  EXPECT_EQ(reread.Table()[1], (ScorePlace{"Helped", 30, true}));
  EXPECT_EQ(reread.Table()[2], (ScorePlace{"Later", 40, false}));
  const std::string section = ScoreSection(keeper.VariantKey());
  EXPECT_EQ(temp.Store().ReadRegStr(section, "Name1", ""), "Helped");
  EXPECT_EQ(temp.Store().ReadRegInt(section, "Pts1", -1), 30);
  EXPECT_TRUE(temp.Store().ReadRegBool(section, "Hilfe1", false));
  EXPECT_EQ(temp.ValueCount(section), 22u);  // the table, Letzter Sieger, one mark

  // A place that falls off the table takes its mark with it.
  query.Answer("Best");
  for (int left : {1, 2, 3, 4, 5, 6, 7, 8, 9}) keeper.RecordResult(settings, LowScoreGame(left), query);
  EXPECT_EQ(temp.ValueCount(section), 21u);
}

TEST(WinnerNameTest, FallbacksAndCut) {
  struct Case {
    std::optional<std::string> answer;
    std::string stored;
  };
  const Case cases[] = {
      {std::nullopt, "Anonymous"},
      {"", "Mr. Noname"},
      {"Abcdefghijklmnopqrst", "Abcdefghijklmnopq"},
      {"Éloïse Größenwahn-Müller", "Éloïse Größenwahn"},
  };
  for (const Case& c : cases) {
    TempStore temp;
    ScoreKeeper keeper(temp.Store());
    ScriptedQuery query(c.answer);
    const GameSettings settings = LowScoreSettings();
    StartGame(keeper, settings);
    keeper.RecordResult(settings, LowScoreGame(3), query);
    EXPECT_EQ(keeper.Table()[0].Name, c.stored);
    EXPECT_EQ(keeper.LastWinner(), c.stored);
    EXPECT_EQ(temp.Store().ReadRegStr(ScoreSection(keeper.VariantKey()), "Name0", ""), c.stored);
  }
}

TEST_F(ScoreKeeperTest, FallbackNamesFollowTheLanguage) {
  query.Answer(std::nullopt);
  GameSettings settings = LowScoreSettings();
  settings.languageOffset = 0;
  StartGame(keeper, settings);
  keeper.RecordResult(settings, LowScoreGame(3), query);
  EXPECT_EQ(keeper.Table()[0].Name, Text(kAnonymous, 0));
}

TEST_F(ScoreKeeperTest, LastWinnerComesFromTheStoreOnceThenFromThisRun) {
  const GameSettings settings = LowScoreSettings();
  temp.Store().SaveRegStr(ScoreSection(BuildVariantKey(settings)), "Letzter Sieger", "Stored Sam");
  query.Answer("Nina");
  StartGame(keeper, settings);
  keeper.RecordResult(settings, LowScoreGame(3), query);
  keeper.RecordResult(settings, LowScoreGame(4), query);
  EXPECT_EQ(query.presets, (std::vector<std::string>{"Stored Sam", "Nina"}));
}

TEST_F(ScoreKeeperTest, HighScoreModeKeepsItsOwnFigures) {
  const GameSettings high = HighScoreSettings();
  StartGame(keeper, high);
  EXPECT_TRUE(keeper.RaiseBestMove(74));
  EXPECT_FALSE(keeper.RaiseBestMove(74));
  EXPECT_EQ(temp.Store().ReadRegInt(StatsSection(keeper.VariantKey()), "MaxPoints", -1), -1);  // not yet
  keeper.RecordResult(high, HighScoreGame(250), query);
  keeper.RecordResult(high, HighScoreGame(120), query);
  const std::string stats = StatsSection(keeper.VariantKey());
  EXPECT_EQ(temp.Store().ReadRegInt(stats, "MaxPoints", -1), 74);
  EXPECT_EQ(temp.Store().ReadRegInt(stats, "Highscore", -1), 250);
  EXPECT_EQ(temp.Store().ReadRegInt(stats, "Total gespielt", -1), 2);
  // The low-score counters are kept in memory but written only in low-score mode.
  EXPECT_EQ(temp.Store().ReadRegInt(stats, "Total Steine", -1), -1);
  EXPECT_EQ(keeper.Counters().TotalStones, 320);
  EXPECT_EQ(keeper.Table()[0].Result, 250);
  EXPECT_EQ(keeper.Table()[1].Result, 120);

  // A low-score game raises the best move in memory; it is stored only when a
  // high-score game is recorded.
  const GameSettings low = LowScoreSettings();
  keeper.FollowNewGame(low);
  keeper.LoadStats();
  EXPECT_TRUE(keeper.RaiseBestMove(200));
  keeper.RecordResult(low, LowScoreGame(0), query);
  EXPECT_EQ(temp.Store().ReadRegInt(StatsSection(keeper.VariantKey()), "MaxPoints", -1), -1);
  EXPECT_EQ(temp.Store().ReadRegInt(stats, "MaxPoints", -1), 74);
}

TEST_F(ScoreKeeperTest, EachVariantHasItsOwnTableAndCounters) {
  query.Answer("Five");
  GameSettings five = LowScoreSettings();
  GameSettings twelve = five;
  twelve.colorCount = 12;
  StartGame(keeper, five);
  keeper.RecordResult(five, LowScoreGame(8), query);

  StartGame(keeper, twelve);
  EXPECT_EQ(keeper.Counters().GamesPlayed, 0);
  EXPECT_EQ(keeper.Table()[0].Result, 1600);
  query.Answer("Twelve");
  keeper.RecordResult(twelve, LowScoreGame(40), query);

  StartGame(keeper, five);
  EXPECT_EQ(keeper.Table()[0], (ScorePlace{"Five", 8}));
  EXPECT_EQ(keeper.Counters().GamesPlayed, 1);
}

TEST_F(ScoreKeeperTest, ClearingEmptiesOnlyTheCurrentVariant) {
  query.Answer("Kept");
  GameSettings other = LowScoreSettings();
  other.rowCount = 20;
  const GameSettings current = LowScoreSettings();
  temp.Store().SaveRegInt("Statistik", "Total gespielt", 7);
  temp.Store().SaveRegInt("Highscores", "Pts0", 3);
  StartGame(keeper, other);
  keeper.RecordResult(other, LowScoreGame(5), query);
  StartGame(keeper, current);
  keeper.RecordResult(current, LowScoreGame(6), query);
  ASSERT_TRUE(keeper.RaiseBestMove(30));

  EXPECT_TRUE(keeper.ClearCurrentVariant());
  EXPECT_EQ(keeper.Counters(), ScoreCounters{});
  EXPECT_EQ(keeper.Table()[0], (ScorePlace{DefaultName(kFirstDefaultName), 1600}));
  EXPECT_EQ(keeper.LastWinner(), "Kept");
  EXPECT_FALSE(temp.SectionExists(ScoreSection(BuildVariantKey(current))));
  EXPECT_FALSE(temp.SectionExists(StatsSection(BuildVariantKey(current))));
  EXPECT_TRUE(temp.SectionExists(ScoreSection(BuildVariantKey(other))));
  EXPECT_TRUE(temp.SectionExists(StatsSection(BuildVariantKey(other))));
  EXPECT_EQ(temp.Store().ReadRegInt("Statistik", "Total gespielt", 0), 7);
  EXPECT_EQ(temp.Store().ReadRegInt("Highscores", "Pts0", 0), 3);
}

// Older versions kept one table and one set of counters for all variants.
class LegacyLayoutTest : public ScoreKeeperTest {
 protected:
  void SetUp() override {
    SettingsStore& store = temp.Store();
    store.SaveRegStr("Highscores", "Name0", "Old Olga");
    store.SaveRegInt("Highscores", "Pts0", 4);
    store.SaveRegStr("Highscores", "Letzter Sieger", "Old Olga");
    store.SaveRegInt("Statistik", "Total gespielt", 12);
    store.SaveRegInt("Statistik", "Total Rückbleibsel", 300);
    store.SaveRegInt("Statistik", "Bestes Spiel", 4);
    store.SaveRegInt("Statistik", "Total Steine", 1920);
    upgraded.newVersionStart = true;
    StartGame(keeper, upgraded);
  }

  GameSettings upgraded = LowScoreSettings();
};

TEST_F(LegacyLayoutTest, FirstGameAfterTheUpgradeReadsTheOldSections) {
  EXPECT_EQ(keeper.Table()[0], (ScorePlace{"Old Olga", 4}));
  EXPECT_EQ(keeper.Table()[1], (ScorePlace{DefaultName(501), 1600}));
  EXPECT_EQ(keeper.Counters().GamesPlayed, 12);
  EXPECT_EQ(keeper.Counters().TotalLeft, 300);
  EXPECT_EQ(keeper.Counters().BestGame, 4);
  EXPECT_EQ(keeper.Counters().TotalStones, 1920);
}

TEST_F(LegacyLayoutTest, RecordingMovesTheOldTableIntoTheVariantOnce) {
  query.Answer("New Nick");
  keeper.RecordResult(upgraded, LowScoreGame(9), query);
  EXPECT_EQ(query.presets, (std::vector<std::string>{"Old Olga"}));
  EXPECT_TRUE(keeper.LegacyRemoved());
  EXPECT_FALSE(temp.SectionExists("Highscores"));
  EXPECT_FALSE(temp.SectionExists("Statistik"));
  const std::string key = BuildVariantKey(upgraded);
  EXPECT_EQ(temp.Store().ReadRegStr(ScoreSection(key), "Name0", ""), "Old Olga");
  EXPECT_EQ(temp.Store().ReadRegStr(ScoreSection(key), "Name1", ""), "New Nick");
  EXPECT_EQ(temp.Store().ReadRegInt(StatsSection(key), "Total gespielt", 0), 13);

  // The next game of the run reads the variant.
  GameSettings next = LowScoreSettings();
  StartGame(keeper, next);
  EXPECT_EQ(keeper.Counters().GamesPlayed, 13);
  EXPECT_EQ(keeper.Table()[1], (ScorePlace{"New Nick", 9}));
}

TEST_F(LegacyLayoutTest, ClearingShowsTheEmptiedVariantNotTheOldTable) {
  EXPECT_TRUE(keeper.ClearCurrentVariant());
  EXPECT_EQ(keeper.Table()[0], (ScorePlace{DefaultName(kFirstDefaultName), 1600}));
  EXPECT_TRUE(temp.SectionExists("Highscores"));
}

TEST_F(ScoreKeeperTest, RefusedWriteLeavesTheStoredTableWhole) {
  query.Answer("First");
  const GameSettings settings = LowScoreSettings();
  StartGame(keeper, settings);
  keeper.RecordResult(settings, LowScoreGame(20), query);
  const std::string key = keeper.VariantKey();

  for (int failingWrite : {0, 5, 21}) {  // at Letzter Sieger, amid the table, amid the counters
    temp.Backend().FailAfterWrites(failingWrite);
    query.Answer("Lost");
    EXPECT_FALSE(keeper.RecordResult(settings, LowScoreGame(10), query).stored) << failingWrite;
    ScoreKeeper reread(temp.Store());
    StartGame(reread, settings);
    EXPECT_EQ(reread.Table()[0], (ScorePlace{"First", 20})) << failingWrite;
    EXPECT_EQ(reread.Table()[1], (ScorePlace{DefaultName(kFirstDefaultName), 1600})) << failingWrite;
    EXPECT_EQ(reread.Counters().GamesPlayed, 1) << failingWrite;
    EXPECT_EQ(temp.Store().ReadRegStr(ScoreSection(key), "Letzter Sieger", ""), "First");
  }
}

TEST_F(ScoreKeeperTest, CountersStopAtTheirLargestValue) {
  const GameSettings settings = LowScoreSettings();
  const std::string stats = StatsSection(BuildVariantKey(settings));
  temp.Store().SaveRegInt(stats, "Total Steine", std::numeric_limits<std::int32_t>::max() - 10);
  StartGame(keeper, settings);
  keeper.RecordResult(settings, LowScoreGame(5), query);
  EXPECT_EQ(keeper.Counters().TotalStones, std::numeric_limits<std::int32_t>::max());
}

}  // namespace
}  // namespace pebble

#pragma once
// High scores and statistics, kept per game variant in the settings store: a
// table of the ten best results with the players' names, and a few counters.
// Standard C++ only; the window asks the player for a name through
// WinnerNameQuery.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "config/game_settings.h"
#include "config/settings_store.h"

namespace pebble {

constexpr int kScorePlaces = 10;
// The cell count of the largest field (40 x 40): the worst low-score result.
constexpr std::int32_t kWorstLowScore = 1600;
constexpr std::size_t kMaxWinnerNameChars = 17;
// The name query's edit takes no more than the table keeps, so the player
// sees the name as it will stand.
constexpr int kWinnerQueryMaxLength = static_cast<int>(kMaxWinnerNameChars);

// --- where the scores live; names as older versions wrote them ---
constexpr std::string_view kScoreSectionPrefix = "Score";
constexpr std::string_view kStatsSectionPrefix = "Stats";
constexpr std::string_view kLegacyScoreSection = "Highscores";
constexpr std::string_view kLegacyStatsSection = "Statistik";

constexpr std::string_view kValueNamePrefix = "Name";
constexpr std::string_view kValuePtsPrefix = "Pts";
// Beside Name/Pts: the place's game had help (advice, or a deal dealt to be
// clearable). Readers that know only Name and Pts see the table unchanged.
constexpr std::string_view kValueAidedPrefix = "Hilfe";
constexpr std::string_view kValueLastWinner = "Letzter Sieger";
constexpr std::string_view kValueGamesPlayed = "Total gespielt";
constexpr std::string_view kValueTotalLeft = "Total Rückbleibsel";
constexpr std::string_view kValueBestGame = "Bestes Spiel";
constexpr std::string_view kValueTotalStones = "Total Steine";
constexpr std::string_view kValueBestMove = "MaxPoints";
constexpr std::string_view kValueHighScore = "Highscore";

// The text naming a game variant, e.g. "101650000000" for the default game:
// columns and rows (two digits), colours, "A" with special stones, the
// count-down in seconds ("000" without auto-drop), "H" in high-score mode,
// and "00".
std::string BuildVariantKey(const GameSettings& settings);
std::string ScoreSection(std::string_view variantKey);
std::string StatsSection(std::string_view variantKey);

// The first count characters of a UTF-8 text, never cutting one in half.
std::string CutToCharacters(std::string_view utf8, std::size_t count);

struct ScorePlace {
  std::string Name;
  std::int32_t Result = 0;
  bool Aided = false;  // played with advice or on a deal dealt to be clearable
  bool operator==(const ScorePlace&) const = default;
};
using ScoreTable = std::array<ScorePlace, kScorePlaces>;  // place 1 first

struct ScoreCounters {
  std::int32_t GamesPlayed = 0;
  std::int32_t TotalLeft = 0;       // low-score only
  std::int32_t BestGame = kWorstLowScore;  // low-score only
  std::int32_t TotalStones = 0;     // low-score only, never shown
  std::int32_t BestMove = 0;        // high-score only
  std::int32_t HighScore = 0;       // high-score only
  bool operator==(const ScoreCounters&) const = default;
};

// The counters of a finished game; the count mode comes from its settings.
struct GameResult {
  std::int32_t StonesLeft = 0;
  std::int32_t Score = 0;
  std::int32_t CellCount = 0;
  bool Aided = false;
};

// The result that counts: stones left in low-score mode, else points.
constexpr std::int32_t ResultOf(const GameResult& game, bool lowScore) {
  return lowScore ? game.StonesLeft : game.Score;
}

// Zero-based table place a result takes, or nullopt when it takes none. A
// result equal to a stored one never displaces it: the older entry stays above.
std::optional<int> InsertionPlace(const ScoreTable& table, std::int32_t result, bool lowScore);

// Asks the player for the name of a new table place, pre-filled with preset.
class WinnerNameQuery {
 public:
  virtual ~WinnerNameQuery() = default;
  // nullopt when the player cancelled.
  virtual std::optional<std::string> AskWinnerName(const std::string& preset) = 0;
};

struct RecordOutcome {
  std::optional<int> place;  // zero-based place the game took
  bool stored = true;        // false when the store refused the change
};

// The table and counters of the current variant. Every read names its
// default, so a missing or damaged value never fails.
class ScoreKeeper {
 public:
  explicit ScoreKeeper(SettingsStore& store);

  // Follows the settings of the game now running: the variant, the count mode,
  // the language of the fallback names.
  void BuildVariantKey(const GameSettings& settings);
  // At every new game: as above, and whether this game still reads the single
  // table and counters of older versions (the first game after an upgrade).
  void FollowNewGame(const GameSettings& settings);

  void LoadStats();
  void LoadScoreTable();

  // Records a finished game: counters, the table with the name query, all of
  // it written to the store as one change.
  RecordOutcome RecordResult(const GameSettings& settings, const GameResult& game, WinnerNameQuery& query);

  // Empties the current variant's table and counters (nothing else); false
  // when the store refused.
  bool ClearCurrentVariant();

  // A move worth more than any before; true when it raised the figure.
  bool RaiseBestMove(std::int32_t points);

  const std::string& VariantKey() const { return variantKey_; }
  bool LowScore() const { return lowScore_; }
  const ScoreTable& Table() const { return table_; }
  const ScoreCounters& Counters() const { return counters_; }
  const std::string& LastWinner() const { return lastWinner_; }
  bool LegacyRemoved() const { return legacyRemoved_; }
  bool ReadsLegacy() const { return newVersionStart_ && !legacyRemoved_ && !legacyCleared_; }

 private:
  std::string AskName(WinnerNameQuery& query);
  void CountGame(const GameResult& game);
  void WriteRecord(const std::optional<int>& place);
  void WriteTable(const std::string& section);
  void WriteStats(const std::string& section);

  SettingsStore& store_;
  ScoreTable table_;
  ScoreCounters counters_;
  std::string lastWinner_;
  std::string variantKey_;
  bool lowScore_ = true;
  int languageOffset_ = 0;
  bool newVersionStart_ = false;
  bool legacyRemoved_ = false;
  // Cleared during a game that still showed the old single table: show the
  // emptied variant instead of the old table until the next game.
  bool legacyCleared_ = false;
};

}  // namespace pebble

#include "scores/score_store.h"

#include <exception>
#include <limits>

#include "config/string_ids.h"
#include "config/string_table.h"

namespace pebble {
namespace {

std::string TwoDigits(std::int32_t value) {
  std::string text = std::to_string(value);
  return text.size() == 1 ? "0" + text : text;
}

std::string CountDownPart(const GameSettings& settings) {
  if (!settings.autoDrop) return "000";
  std::string text = std::to_string(settings.playTime);
  return text.size() == 2 ? "0" + text : text;
}

std::string IndexedName(std::string_view prefix, int place) {
  return std::string(prefix) + std::to_string(place);
}

// The counters only grow; a player with a million games must not see them
// wrap round to negative figures.
std::int32_t SaturatingAdd(std::int32_t total, std::int32_t amount) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  const std::int64_t sum = static_cast<std::int64_t>(total) + amount;
  return static_cast<std::int32_t>(sum > kMax ? kMax : (sum < kMin ? kMin : sum));
}

bool Beats(std::int32_t result, std::int32_t stored, bool lowScore) {
  return lowScore ? result < stored : result > stored;
}

}  // namespace

std::string BuildVariantKey(const GameSettings& settings) {
  return TwoDigits(settings.columnCount) + TwoDigits(settings.rowCount) + std::to_string(settings.colorCount) +
         (settings.actionsOn ? "A" : "0") + CountDownPart(settings) + (settings.lowScore ? "0" : "H") + "00";
}

std::string ScoreSection(std::string_view variantKey) { return std::string(kScoreSectionPrefix) + std::string(variantKey); }
std::string StatsSection(std::string_view variantKey) { return std::string(kStatsSectionPrefix) + std::string(variantKey); }

std::string CutToCharacters(std::string_view utf8, std::size_t count) {
  std::size_t end = 0;
  for (std::size_t chars = 0; end < utf8.size() && chars < count; ++chars) {
    ++end;
    // Continuation bytes belong to the character before them.
    while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) ++end;
  }
  return std::string(utf8.substr(0, end));
}

std::optional<int> InsertionPlace(const ScoreTable& table, std::int32_t result, bool lowScore) {
  for (int place = 0; place < kScorePlaces; ++place) {
    if (Beats(result, table[static_cast<std::size_t>(place)].Result, lowScore)) return place;
  }
  return std::nullopt;
}

ScoreKeeper::ScoreKeeper(SettingsStore& store) : store_(store) {}

void ScoreKeeper::BuildVariantKey(const GameSettings& settings) {
  variantKey_ = pebble::BuildVariantKey(settings);
  lowScore_ = settings.lowScore;
  languageOffset_ = settings.languageOffset;
}

void ScoreKeeper::FollowNewGame(const GameSettings& settings) {
  BuildVariantKey(settings);
  newVersionStart_ = settings.newVersionStart;
  legacyCleared_ = false;
}

void ScoreKeeper::LoadStats() {
  // Counters that are not read keep the figures they have.
  const auto read = [this](const std::string& section, std::string_view name, std::int32_t& counter,
                           std::int32_t fallback) { counter = store_.ReadRegInt(section, name, fallback); };
  if (ReadsLegacy()) {
    const std::string section(kLegacyStatsSection);
    read(section, kValueGamesPlayed, counters_.GamesPlayed, 0);
    read(section, kValueTotalLeft, counters_.TotalLeft, 0);
    read(section, kValueBestGame, counters_.BestGame, kWorstLowScore);
    read(section, kValueTotalStones, counters_.TotalStones, 0);
    return;
  }
  const std::string section = StatsSection(variantKey_);
  read(section, kValueGamesPlayed, counters_.GamesPlayed, 0);
  if (lowScore_) {
    read(section, kValueTotalLeft, counters_.TotalLeft, 0);
    read(section, kValueBestGame, counters_.BestGame, kWorstLowScore);
    read(section, kValueTotalStones, counters_.TotalStones, 0);
  } else {
    read(section, kValueBestMove, counters_.BestMove, 0);
    read(section, kValueHighScore, counters_.HighScore, 0);
  }
}

void ScoreKeeper::LoadScoreTable() {
  const std::string section = ReadsLegacy() ? std::string(kLegacyScoreSection) : ScoreSection(variantKey_);
  const std::int32_t defaultResult = lowScore_ ? kWorstLowScore : 0;
  for (int place = 0; place < kScorePlaces; ++place) {
    ScorePlace& entry = table_[static_cast<std::size_t>(place)];
    entry.Name = store_.ReadRegStr(section, IndexedName(kValueNamePrefix, place),
                                   Text(kFirstDefaultName + place, languageOffset_));
    entry.Result = store_.ReadRegInt(section, IndexedName(kValuePtsPrefix, place), defaultResult);
    entry.Aided = store_.ReadRegBool(section, IndexedName(kValueAidedPrefix, place), false);
  }
}

RecordOutcome ScoreKeeper::RecordResult(const GameSettings& settings, const GameResult& game,
                                        WinnerNameQuery& query) {
  BuildVariantKey(settings);
  CountGame(game);
  RecordOutcome outcome;
  const std::int32_t result = ResultOf(game, lowScore_);
  outcome.place = InsertionPlace(table_, result, lowScore_);
  if (outcome.place) {
    const auto place = static_cast<std::size_t>(*outcome.place);
    for (std::size_t i = kScorePlaces - 1; i > place; --i) table_[i] = table_[i - 1];
    table_[place] = {"", result, game.Aided};
    table_[place].Name = AskName(query);
  }
  try {
    WriteRecord(outcome.place);
  } catch (const std::exception&) {
    outcome.stored = false;
  }
  return outcome;
}

void ScoreKeeper::CountGame(const GameResult& game) {
  counters_.GamesPlayed = SaturatingAdd(counters_.GamesPlayed, 1);
  if (lowScore_) {
    if (game.StonesLeft < counters_.BestGame) counters_.BestGame = game.StonesLeft;
  } else if (game.Score > counters_.HighScore) {
    counters_.HighScore = game.Score;
  }
  counters_.TotalLeft = SaturatingAdd(counters_.TotalLeft, game.StonesLeft);
  counters_.TotalStones = SaturatingAdd(counters_.TotalStones, game.CellCount);
}

std::string ScoreKeeper::AskName(WinnerNameQuery& query) {
  if (lastWinner_.empty()) {
    const std::string section = ReadsLegacy() ? std::string(kLegacyScoreSection) : ScoreSection(variantKey_);
    lastWinner_ = store_.ReadRegStr(section, kValueLastWinner, "");
  }
  const std::optional<std::string> answer = query.AskWinnerName(lastWinner_);
  if (!answer) {
    lastWinner_ = Text(kAnonymous, languageOffset_);
  } else if (answer->empty()) {
    lastWinner_ = Text(kNoName, languageOffset_);
  } else {
    lastWinner_ = CutToCharacters(*answer, kMaxWinnerNameChars);
  }
  return lastWinner_;
}

// One change of the store: a crash or a refused write leaves the old table and
// counters whole, never a table half moved down.
void ScoreKeeper::WriteRecord(const std::optional<int>& place) {
  SettingsBatch batch(store_);
  const std::string scoreSection = ScoreSection(variantKey_);
  if (place) store_.SaveRegStr(scoreSection, kValueLastWinner, lastWinner_);
  WriteTable(scoreSection);
  WriteStats(StatsSection(variantKey_));
  const bool removeLegacy = newVersionStart_ && !legacyRemoved_;
  if (removeLegacy) {
    store_.RemoveKey(kLegacyScoreSection);
    store_.RemoveKey(kLegacyStatsSection);
  }
  batch.Commit();
  if (removeLegacy) legacyRemoved_ = true;
}

void ScoreKeeper::WriteTable(const std::string& section) {
  for (int place = 0; place < kScorePlaces; ++place) {
    const ScorePlace& entry = table_[static_cast<std::size_t>(place)];
    store_.SaveRegStr(section, IndexedName(kValueNamePrefix, place), entry.Name);
    store_.SaveRegInt(section, IndexedName(kValuePtsPrefix, place), entry.Result);
    // Only marked places carry the value: a table of ordinary games is
    // stored exactly as it always was.
    const std::string aided = IndexedName(kValueAidedPrefix, place);
    if (entry.Aided) {
      store_.SaveRegBool(section, aided, true);
    } else {
      store_.RemoveValue(section, aided);
    }
  }
}

void ScoreKeeper::WriteStats(const std::string& section) {
  store_.SaveRegInt(section, kValueGamesPlayed, counters_.GamesPlayed);
  if (lowScore_) {
    store_.SaveRegInt(section, kValueTotalLeft, counters_.TotalLeft);
    store_.SaveRegInt(section, kValueBestGame, counters_.BestGame);
    store_.SaveRegInt(section, kValueTotalStones, counters_.TotalStones);
  } else {
    store_.SaveRegInt(section, kValueBestMove, counters_.BestMove);
    store_.SaveRegInt(section, kValueHighScore, counters_.HighScore);
  }
}

bool ScoreKeeper::ClearCurrentVariant() {
  counters_ = ScoreCounters{};
  bool stored = true;
  try {
    SettingsBatch batch(store_);
    store_.RemoveKey(ScoreSection(variantKey_));
    store_.RemoveKey(StatsSection(variantKey_));
    batch.Commit();
  } catch (const std::exception&) {
    stored = false;
  }
  if (newVersionStart_) legacyCleared_ = true;
  // A refused clear shows what the store still holds.
  if (!stored) LoadStats();
  LoadScoreTable();
  return stored;
}

bool ScoreKeeper::RaiseBestMove(std::int32_t points) {
  if (points <= counters_.BestMove) return false;
  counters_.BestMove = points;
  return true;
}

}  // namespace pebble

#pragma once
// The bytes of a saved game (.clk): the game block, which holds a deal (its
// settings and start position), followed by the player history, the results of
// everyone who played that deal from the file.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/game_settings.h"
#include "engine/stone_cell.h"

namespace pebble {

constexpr std::string_view kSavedGameMagic = "Pebbledrome_Saved_40";
constexpr std::size_t kMaxComputerNameBytes = 15;

// One player-history entry. Texts are UTF-8 in memory; dates count days since
// 30 December 1899, local time, the fraction being the time of day.
struct TReportInfo {
  std::string Name;
  double Date = 0;
  std::string Computer;
  std::string Address;
  std::int32_t Score = 0;  // stones left in low-score mode, else points

  bool operator==(const TReportInfo&) const = default;
};

// The settings a saved game carries; columns and rows are those of the game
// played, which fitting the field to a picture may have changed.
struct SavedGameSettings {
  std::int32_t stoneHeight = 21;
  std::int32_t stoneWidth = 20;
  std::int32_t columnCount = 10;
  std::int32_t rowCount = 16;
  std::int32_t colorCount = 5;
  bool autoDrop = false;
  std::int32_t playTime = 90;
  bool actionsOn = false;
  bool lowScore = true;

  bool operator==(const SavedGameSettings&) const = default;
};

SavedGameSettings SavedSettingsOf(const GameSettings& settings, std::int32_t columns, std::int32_t rows);
// The file's settings win for the opened game; the field is not fitted to the
// picture, since the deal fixes its size.
void ApplySavedSettings(const SavedGameSettings& saved, GameSettings& settings);

// The game block: who saved it and when, the deal's settings and the start
// position with its counters.
struct SavedGame {
  std::string computerName;
  double savedAt = 0;
  SavedGameSettings settings;
  std::int32_t stonesLeft = 0;
  std::int32_t movableStones = 0;
  std::int32_t activeSpecials = 0;
  std::vector<TStoneCell> cells;  // C x R records in index order

  bool operator==(const SavedGame&) const = default;
};

// The header of the opened file as the history dialog shows it: only Computer
// and Date are filled.
TReportInfo GameHeaderOf(const SavedGame& game);

// True when the game block is one this game can play: playable settings, C x R
// cells in index order with possible kinds, counters within the field.
bool IsPlayableSavedGame(const SavedGame& game);
// Two game blocks hold the same deal when everything that shapes play and its
// result is equal; who saved it, when, and the stone size in pixels are not.
bool SameDeal(const SavedGame& a, const SavedGame& b);

std::vector<std::uint8_t> GameBlockBytes(const SavedGame& game);
std::vector<std::uint8_t> PlayerHistoryEntryBytes(const TReportInfo& entry);
std::vector<std::uint8_t> SavedGameBytes(const SavedGame& game, const std::vector<TReportInfo>& history);

enum class SavedGameStatus {
  Ok,
  NotAGameFile,  // the first counted string reads, but is not the magic
  Unreadable,    // the file or its first counted string cannot be read, or its game block is damaged
};

// Message the player sees when a saved game cannot be opened.
int ReadFailureStringId(SavedGameStatus status);

struct ParsedSavedGame {
  SavedGameStatus status = SavedGameStatus::Unreadable;
  SavedGame game;
  std::size_t playerHistoryOffset = 0;  // where the player history begins
};

ParsedSavedGame ParseGameBlock(std::span<const std::uint8_t> bytes);

struct ParsedPlayerHistory {
  bool ok = false;
  std::vector<TReportInfo> entries;
  std::size_t wholeEntriesEnd = 0;  // where the last whole entry ends
};

// Reads entries from offset to the end of the bytes. An entry cut short by the
// end of the bytes is what a crash in the middle of an append leaves: the
// entries before it are kept. A damaged entry fails the whole history.
ParsedPlayerHistory ParsePlayerHistory(std::span<const std::uint8_t> bytes, std::size_t offset);

}  // namespace pebble

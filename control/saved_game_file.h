#pragma once
// Reading and writing saved-game files. A save is written completely beside
// the old file and then renamed into place, so a failure leaves the old file
// as it was. An entry is appended in place under a lock, so several games
// sharing one file lose none, and a crash costs at most the entry being
// written.

#include <cstddef>
#include <filesystem>

#include "control/saved_game.h"

namespace pebble {

// Larger files are no saved games of a field this game can hold.
constexpr std::size_t kMaxSavedGameFileBytes = 64u << 20;

// Reads the game block; status tells which message a failure shows.
ParsedSavedGame ReadGameFile(const std::filesystem::path& path);

struct SaveOutcome {
  bool saved = false;
  std::size_t playerHistoryOffset = 0;  // the end of the game block written
  bool historyKept = false;
};

// Writes the game block. The player history of the file being replaced is
// kept only when that file holds the same deal; results of another deal would
// not belong to this one. A game block this game could not open is refused,
// and so is a read-only file; a replaced file keeps its permissions.
SaveOutcome WriteGameFile(const std::filesystem::path& path, const SavedGame& game);

enum class AppendOutcome { Appended, NoFile, Failed };

// Adds one entry to the player history of an existing saved game. A file that
// is no longer a saved game, has a damaged history or is read-only is left
// alone (Failed).
AppendOutcome AppendPlayerHistoryEntry(const std::filesystem::path& path, const TReportInfo& entry);

// The player history from offset to the end of the file. No offset (0) or no
// file gives an empty history; a damaged one gives ok = false.
ParsedPlayerHistory ReadPlayerHistory(const std::filesystem::path& path, std::size_t offset);

}  // namespace pebble

#pragma once
// Saved games on disk with a player history, for the window tests of the
// score windows (their questions go to the scripted prompter).

#include <filesystem>
#include <vector>

#include "config/game_settings.h"
#include "control/saved_game.h"
#include "control/saved_game_file.h"
#include "support/scripted_prompter.h"

namespace pebble::testing {

// A default deal of plain stones, as the save command writes it.
inline SavedGame PlainDeal() {
  SavedGame game;
  game.computerName = "SAVER";
  game.savedAt = 45000.75;  // 15 March 2023, 18:00
  const GameSettings defaults;
  game.settings = SavedSettingsOf(defaults, defaults.columnCount, defaults.rowCount);
  const int count = defaults.columnCount * defaults.rowCount;
  for (int i = 0; i < count; ++i) {
    TStoneCell cell;
    cell.Index = i;
    cell.Left = (i % defaults.columnCount) * defaults.stoneWidth;
    cell.Top = (i / defaults.columnCount) * defaults.stoneHeight;
    cell.Color = kClassicPalette[static_cast<std::size_t>(i % 5)];
    cell.Occupied = 1;
    game.cells.push_back(cell);
  }
  game.stonesLeft = count;
  return game;
}

inline TReportInfo Entry(std::string name, std::int32_t score, double date = 45001.5, std::string address = "",
                         std::string computer = "BOX") {
  TReportInfo entry;
  entry.Name = std::move(name);
  entry.Score = score;
  entry.Date = date;
  entry.Address = std::move(address);
  entry.Computer = std::move(computer);
  return entry;
}

// Writes the deal and its history; returns where the history begins.
inline std::size_t WriteSavedGame(const std::filesystem::path& path, const std::vector<TReportInfo>& history) {
  const SaveOutcome saved = WriteGameFile(path, PlainDeal());
  for (const TReportInfo& entry : history) AppendPlayerHistoryEntry(path, entry);
  return saved.playerHistoryOffset;
}

}  // namespace pebble::testing

// A saved game from anywhere: the game block is refused or read whole, reads
// back the same after writing, and a deal that is read can be drawn and
// played; the player history behind it is read to the end or refused.
#include "control/saved_game.h"
#include "fuzz_support.h"
#include "game_support.h"
#include "render/outline.h"

namespace {

using namespace pebble;

GameSettings SettingsOf(const SavedGame& game) {
  GameSettings settings;
  ApplySavedSettings(game.settings, settings);
  settings.animationsOn = false;
  return settings;
}

// The trace lines of every cell, then clicks on the edges of the field.
void PlayTheDeal(const SavedGame& saved) {
  fuzz::QuietGame quiet;
  const GameSettings settings = SettingsOf(saved);
  quiet.game.LoadField(settings, {settings.columnCount, settings.rowCount}, saved.cells);
  const Field& field = quiet.game.GetField();
  for (const TStoneCell& cell : field.Cells()) CellOutline(field, cell);
  fuzz::ClickTheEdges(quiet.game);
  fuzz::Require(quiet.game.Counters().StonesLeft <= field.Size(), "stones stay within the field");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto bytes = fuzz::Bytes(data, size);
  const ParsedSavedGame parsed = ParseGameBlock(bytes);
  if (parsed.status != SavedGameStatus::Ok) {
    fuzz::Require(parsed.game.cells.empty(), "a refused file yields no cells");
    return 0;
  }
  fuzz::Require(parsed.playerHistoryOffset <= size, "the history starts inside the file");
  fuzz::Require(IsPlayableSavedGame(parsed.game), "a game read is playable");
  const ParsedSavedGame again = ParseGameBlock(GameBlockBytes(parsed.game));
  fuzz::Require(again.status == SavedGameStatus::Ok && SameDeal(again.game, parsed.game),
                "a game written reads back as the same deal");
  ParsePlayerHistory(bytes, parsed.playerHistoryOffset);
  PlayTheDeal(parsed.game);
  return 0;
}

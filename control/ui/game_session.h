#pragma once
// Where the next game comes from and what the running one is tied to: the
// settings in the store with the command line laid over them, a game file or
// a deal number asked for, the background picture, and the saved-game file
// whose player history the results go to. The window sets its widgets up
// around what this gives (TfrmGame::SetUpGame) and tears them down with it.

#include <QImage>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "config/command_line.h"
#include "config/game_settings.h"
#include "engine/deal.h"
#include "engine/stone_cell.h"
#include "scores/ui/tfrm_stats.h"

class QWidget;

namespace pebble {
class Game;
class SettingsStore;
}

namespace pebble::ui {

class BackgroundPictures;

// A game read from its file: the field as it was dealt.
struct OpenedGame {
  std::vector<TStoneCell> cells;
  FieldSize size;
};

class GameSession {
 public:
  GameSession(SettingsStore& store, std::vector<std::string> arguments);
  ~GameSession();

  // The next game's settings: the store's, the system's language while none
  // is stored (and stored from now on), the command line.
  GameSettings ReadSettings();
  // The game file asked for, its settings laid over `settings`; nothing when
  // none was asked, or when the file is no game: then the player is told (in
  // the language of `languageOffset`) and the session is tied to no file.
  std::optional<OpenedGame> ReadPendingGame(GameSettings& settings, QWidget* dialogParent, int languageOffset);
  // The background picture of the next game (in folder mode the next one).
  QImage LoadBackground(GameSettings& settings);
  // The deal number asked for the next game, once.
  std::optional<DealNumber> TakeDeal() { return std::exchange(pendingDeal_, std::nullopt); }

  void AskForDeal(DealNumber deal) { pendingDeal_ = deal; }
  void AskToOpen(std::string fileName);
  // The game is torn down: the next one comes from no file unless asked.
  void Forget();

  // Writes the start of the running game to `path` and ties the game to that
  // file; false when it could not be written (nothing changes then).
  bool Save(const Game& game, const std::string& path);
  // The running game came from a file or was saved to one.
  bool FileGame() const { return fileGame_; }
  // What a result needs to be entered in the file's player history; none for
  // a game tied to no file.
  std::optional<SavedGameTie> Tie() const;
  // The folder of the game file last saved or opened, in this run or an
  // earlier one; empty when none is known or it is gone.
  QString LastFolder() const;
  // The last file saved or read; it keeps its history across new games.
  std::filesystem::path FileName() const { return PathFromUtf8(fileName_); }
  std::size_t PlayerHistoryOffset() const { return playerHistoryOffset_; }

 private:
  void RememberFolderOf(const std::string& path);

  SettingsStore& store_;
  std::vector<std::string> arguments_;
  CommandLineState commandLine_;
  std::unique_ptr<BackgroundPictures> backgrounds_;
  bool loadPending_ = false;
  std::optional<DealNumber> pendingDeal_;
  bool fileGame_ = false;
  std::string fileName_;
  std::size_t playerHistoryOffset_ = 0;
};

}  // namespace pebble::ui

#include "control/ui/game_session.h"

#include <QFileInfo>
#include <stdexcept>
#include <utility>

#include "config/language.h"
#include "config/settings_model.h"
#include "config/settings_store.h"
#include "config/string_table.h"
#include "config/system_services.h"
#include "control/saved_game_date.h"
#include "control/saved_game_file.h"
#include "control/ui/prompter.h"
#include "engine/game.h"
#include "render/ui/background_picture.h"

namespace pebble::ui {

GameSession::GameSession(SettingsStore& store, std::vector<std::string> arguments)
    : store_(store), arguments_(std::move(arguments)), backgrounds_(std::make_unique<BackgroundPictures>()) {}

GameSession::~GameSession() = default;

GameSettings GameSession::ReadSettings() {
  GameSettings settings;
  const SettingsLoad load = LoadSettings(store_, settings);
  const int languageCode = WindowsLanguageCode(load.storedLanguage);
  if (!HasStoredLanguage(load.storedLanguage)) {
    // The system's language holds from now on; a store that cannot take it changes nothing.
    try {
      store_.SaveRegInt(kRootSection, kValueLanguage, languageCode);
    } catch (const std::exception&) {
    }
  }
  settings.languageOffset = LanguageOffsetForCode(languageCode);
  const CommandLineResult options = ApplyCommandLine(arguments_, settings, commandLine_);
  if (options.dealNumber) pendingDeal_ = options.dealNumber;
  if (options.gameFileTaken) AskToOpen(options.gameFileName);
  return settings;
}

std::optional<OpenedGame> GameSession::ReadPendingGame(GameSettings& settings, QWidget* dialogParent,
                                                       int languageOffset) {
  if (!std::exchange(loadPending_, false)) return std::nullopt;
  const ParsedSavedGame parsed = ReadGameFile(PathFromUtf8(fileName_));
  if (parsed.status != SavedGameStatus::Ok) {
    CurrentPrompter().Error(dialogParent,
                            QString::fromStdString(Text(ReadFailureStringId(parsed.status), languageOffset)));
    fileGame_ = false;
    // The name now stands for a file that is no game: an offset of another
    // file would read its bytes as someone's history.
    playerHistoryOffset_ = 0;
    return std::nullopt;
  }
  ApplySavedSettings(parsed.game.settings, settings);
  settings.fitToPicture = false;
  fileGame_ = true;
  playerHistoryOffset_ = parsed.playerHistoryOffset;
  RememberFolderOf(fileName_);
  return OpenedGame{parsed.game.cells, {parsed.game.settings.columnCount, parsed.game.settings.rowCount}};
}

QImage GameSession::LoadBackground(GameSettings& settings) {
  return backgrounds_->LoadBackground(settings, commandLine_, [this](std::int32_t index) {
    try {
      store_.SaveRegInt(kConfigSection, kValueFolderPictureIndex, index);
    } catch (const std::exception&) {
    }
  });
}

void GameSession::AskToOpen(std::string fileName) {
  loadPending_ = true;
  fileName_ = std::move(fileName);
}

void GameSession::Forget() {
  fileGame_ = false;
  loadPending_ = false;
}

bool GameSession::Save(const Game& game, const std::string& path) {
  SavedGame saved;
  saved.computerName = ComputerName();
  saved.savedAt = CurrentDateTime();
  const Field& field = game.GetField();
  saved.settings = SavedSettingsOf(game.Settings(), field.Columns(), field.Rows());
  // A saved game is always the start of the game played.
  const FieldCounters start = game.StartCounters();
  saved.stonesLeft = start.StonesLeft;
  saved.movableStones = start.MovableStones;
  saved.activeSpecials = start.ActiveSpecials;
  saved.cells = game.StartPosition();
  const SaveOutcome outcome = WriteGameFile(PathFromUtf8(path), saved);
  if (!outcome.saved) return false;
  fileName_ = path;
  playerHistoryOffset_ = outcome.playerHistoryOffset;
  fileGame_ = true;
  RememberFolderOf(path);
  return true;
}

void GameSession::RememberFolderOf(const std::string& path) {
  const QString folder = QFileInfo(QString::fromStdString(path)).absolutePath();
  try {
    store_.SaveRegStr(kRootSection, kValueLastFolder, folder.toStdString());
  } catch (const std::exception&) {
    // Only a convenience: the dialogs then start where Qt chooses.
  }
}

QString GameSession::LastFolder() const {
  QString folder;
  try {
    folder = QString::fromStdString(store_.ReadRegStr(kRootSection, kValueLastFolder, ""));
  } catch (const std::exception&) {
    return {};
  }
  return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

std::optional<SavedGameTie> GameSession::Tie() const {
  if (!fileGame_) return std::nullopt;
  SavedGameTie tie;
  tie.fileName = FileName();
  tie.playerHistoryOffset = playerHistoryOffset_;
  const ParsedSavedGame parsed = ReadGameFile(tie.fileName);
  if (parsed.status == SavedGameStatus::Ok) tie.gameHeader = GameHeaderOf(parsed.game);
  return tie;
}

}  // namespace pebble::ui

// Saving the start of the running game to a .clk file, and opening one.

#include "config/string_table.h"
#include "config/system_services.h"
#include "control/saved_game_date.h"
#include "control/saved_game_file.h"
#include "control/ui/prompter.h"
#include "control/ui/tfrm_game.h"

namespace pebble::ui {
namespace {

constexpr int kNoProtocol = 106, kSaveFailed = 107, kReadFailed = 109, kSaved = 62, kSaveTitle = 211,
              kOpenTitle = 210, kFilter = 25;

// "Pebbledrome games|*.clk|All files|*.*" in the form the file dialog takes.
QString DialogFilter(const QString& pairs) {
  const QStringList parts = pairs.split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) filters << parts[i].trimmed() + " (" + parts[i + 1].trimmed() + ")";
  return filters.join(";;");
}

}  // namespace

void TfrmGame::SaveGame() {
  if (!game_.Settings().undoInfo) {
    CurrentPrompter().Error(this, Str(kNoProtocol));
    return;
  }
  const QString path = CurrentPrompter().SaveFileName(this, Str(kSaveTitle), DialogFilter(Str(kFilter)));
  if (path.isEmpty()) return;
  SavedGame saved;
  saved.computerName = ComputerName();
  saved.savedAt = CurrentDateTime();
  const Field& field = game_.GetField();
  saved.settings = SavedSettingsOf(game_.Settings(), field.Columns(), field.Rows());
  // A saved game is always the start of the game played.
  const FieldCounters start = game_.StartCounters();
  saved.stonesLeft = start.StonesLeft;
  saved.movableStones = start.MovableStones;
  saved.activeSpecials = start.ActiveSpecials;
  saved.cells = game_.StartPosition();
  const SaveOutcome outcome = WriteGameFile(PathFromUtf8(path.toStdString()), saved);
  if (!outcome.saved) {
    CurrentPrompter().Error(this, Str(kSaveFailed));
    return;
  }
  GameFileName_ = path.toStdString();
  playerHistoryOffset_ = outcome.playerHistoryOffset;
  FileGame_ = true;
  popUpReport_->setEnabled(true);
  ShowMessage(kSaved);
}

void TfrmGame::OpenGame() {
  const QString path = CurrentPrompter().OpenFileName(this, Str(kOpenTitle), DialogFilter(Str(kFilter)));
  if (path.isEmpty()) return;
  RunWhenSettled([this, name = path.toStdString()] {
    FreeGame();
    LoadPending_ = true;
    GameFileName_ = name;
    FormCreate();
    LoadPending_ = false;
  });
}

}  // namespace pebble::ui

#pragma once
// Scripted answers for the score windows' questions and dialogs, and saved
// games on disk with a player history, for the window tests.

#include <QDialog>
#include <QStringList>
#include <QUrl>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "config/game_settings.h"
#include "control/saved_game.h"
#include "control/saved_game_file.h"
#include "control/ui/prompter.h"
#include "scores/ui/scores_services.h"

namespace pebble::testing {

// Stands in for every message box, question and modal dialog while alive.
class ScriptedScoresUi final : public ui::ScoresServices, public ui::Prompter {
 public:
  struct NameQuestion {
    QString caption, prompt, preset;
    int maxLength = 0;
  };

  ScriptedScoresUi() {
    oldServices_ = ui::SetScoresServices(this);
    oldPrompter_ = ui::SetPrompter(this);
  }
  ~ScriptedScoresUi() override {
    ui::SetScoresServices(oldServices_);
    ui::SetPrompter(oldPrompter_);
  }
  ScriptedScoresUi(const ScriptedScoresUi&) = delete;
  ScriptedScoresUi& operator=(const ScriptedScoresUi&) = delete;

  // --- ScoresServices ---
  std::optional<QString> AskName(QWidget*, const QString& caption, const QString& prompt, const QString& preset,
                                 int maxLength) override {
    nameQuestions.push_back({caption, prompt, preset, maxLength});
    if (names.empty()) return std::nullopt;
    std::optional<QString> answer = names.front();
    names.pop_front();
    return answer;
  }
  bool ConfirmOkCancel(QWidget*, const QString& text) override {
    confirmations << text;
    return confirmAnswer;
  }
  int RunModal(QDialog& dialog) override {
    shownModal << dialog.objectName();
    return modal ? modal(dialog) : QDialog::Rejected;
  }
  bool OpenUrl(const QUrl& url) override {
    opened.push_back(url);
    return openSucceeds;
  }

  // --- Prompter ---
  void Error(QWidget*, const QString& text) override { errors << text; }
  void Information(QWidget*, const QString& text) override { informations << text; }
  bool WarningYesNo(QWidget*, const QString& text) override {
    warnings << text;
    return warningAnswer;
  }

  std::deque<std::optional<QString>> names;  // answers of the name query, in turn
  std::vector<NameQuestion> nameQuestions;
  bool confirmAnswer = true;
  QStringList confirmations;
  std::function<int(QDialog&)> modal;  // plays the part of the player in a modal dialog
  QStringList shownModal;              // object names of the dialogs shown
  bool openSucceeds = true;
  std::vector<QUrl> opened;
  QStringList errors, informations, warnings;
  bool warningAnswer = true;

 private:
  ui::ScoresServices* oldServices_ = nullptr;
  ui::Prompter* oldPrompter_ = nullptr;
};

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

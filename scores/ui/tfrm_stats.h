#pragma once
// The statistics window: the counters and the ten best players of the game
// variant being played. It owns the score keeper, so the figures stay current
// whether the window is shown or not, and it runs the end of a game: the
// result into the table (with the name query) and, for a game tied to a saved
// file, the player-history entry. Created once, after the main window's first
// set-up; closing it only hides it.

#include <QDialog>
#include <QPixmap>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>

#include "config/game_settings.h"
#include "control/saved_game.h"
#include "scores/deal_comparison.h"
#include "scores/score_store.h"

class QLabel;
class QPushButton;
class QTextEdit;
class QToolButton;

namespace pebble {
class SettingsStore;
}

namespace pebble::ui {

class TfrmAddAddress;
class TfrmReport;

// The saved-game file a game belongs to (it was opened from it or saved to it).
struct SavedGameTie {
  std::filesystem::path fileName;        // GameFileName
  std::size_t playerHistoryOffset = 0;   // where its player history begins
  TReportInfo gameHeader;                // who saved the file, and when
};

class TfrmStats : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kClientWidth = 214;
  static constexpr int kClientHeight = 301;
  static constexpr int kBorder = 2;
  static constexpr int kHeaderHeight = 17;
  static constexpr int kScoreHeight = 70;
  static constexpr int kMiddleHeight = 17;
  static constexpr int kNamesHeight = 163;
  static constexpr int kColumnHeight = 135;
  // The height the window gains when the best players are shown.
  static constexpr int kTableHeight = kMiddleHeight + kNamesHeight;

  // settings: those of the game just set up. Reads the table and counters of
  // its variant; the window starts hidden.
  TfrmStats(SettingsStore& store, const GameSettings& settings, QWidget* parent = nullptr);
  ~TfrmStats() override;

  // --- calls of the main window ---
  // At every set-up after the first: the new game's variant, its counters and
  // its table.
  void FollowNewGame(const GameSettings& settings);
  // At the end of a game, after its messages and bonus, with the timers
  // stopped: records the result; for a game tied to a saved file (tie not
  // null) then offers the player-history entry.
  void RecordResult(const GameSettings& settings, const GameResult& game, const SavedGameTie* tie);
  // The report command: the player history of the file, or a notice that
  // there is none.
  void ShowReport(const std::filesystem::path& fileName, std::size_t playerHistoryOffset);
  // A move beat the best move: the figure follows at once.
  void RaiseBestMove(std::int32_t points);
  std::int32_t BestMove() const { return keeper_.Counters().BestMove; }
  // The line below the figures: how the game just ended compares with the
  // best the solver found for its deal. Nothing hides it.
  void ShowDealComparison(const std::optional<DealComparison>& comparison);
  // The configuration dialog saved another count mode.
  void CountModeChanged(const GameSettings& settings);
  // A new language: this window, the report and the history dialog.
  void ApplyLanguage(int languageOffset);

  // --- the window's own operations ---
  void ProcStrings();
  void ShowFigures();
  void ShowTable();
  void SetCountModeIcon(bool reload);
  // Toggles the table when the sender is bttHideScore; any other sender only
  // applies ShowPlayers.
  void bttHideScoreClick(const QObject* sender);
  void bttClearClick();

  const ScoreKeeper& Keeper() const { return keeper_; }
  bool ShowPlayers() const { return showPlayers_; }
  int LanguageOffset() const { return languageOffset_; }
  // Created on first use; nullptr before.
  TfrmReport* Report() const { return report_; }
  TfrmAddAddress* HistoryDialog() const { return addAddress_; }

 signals:
  // The count-mode picture was clicked: open the configuration dialog at its
  // special page.
  void countModeClicked();
  // The best move was reloaded or cleared; the game measures moves against it.
  void bestMoveChanged(std::int32_t bestMove);

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildLayout();
  QWidget* BuildHeader();
  QWidget* BuildScorePanel();
  QWidget* BuildDealBestPanel();
  void ShowDealBestText();
  QWidget* BuildNamesPanel();
  QWidget* BuildBottom();
  void FixSize();
  void OfferHistoryEntry(const SavedGameTie& tie, std::int32_t result);
  void RunHistoryEntry(const SavedGameTie& tie, std::int32_t result);
  QString Str(int id) const;

  SettingsStore& store_;
  ScoreKeeper keeper_;
  GameSettings settings_;
  int languageOffset_ = 0;
  bool showPlayers_ = true;
  bool placed_ = false;
  QPixmap arrowUp_, arrowDown_, switchShown_, switchHidden_;

  QWidget* panelHeader_ = nullptr;
  QLabel* imgCountMode_ = nullptr;
  QLabel* lblTitle_ = nullptr;
  QToolButton* bttHideScore_ = nullptr;
  QWidget* panelScore_ = nullptr;
  QLabel* lblInfo1_ = nullptr;
  QLabel* lbl2_ = nullptr;
  QLabel* lbl3_ = nullptr;
  QLabel* lbl4_ = nullptr;
  QLabel* lbl5_ = nullptr;
  QLabel* lbl6_ = nullptr;
  QWidget* panelDealBest_ = nullptr;
  QLabel* lblDealBest_ = nullptr;         // what is compared
  QLabel* lblDealBestFigures_ = nullptr;  // the solver's figure and the player's
  std::optional<DealComparison> comparison_;
  QWidget* panelMiddle_ = nullptr;
  QLabel* lblTitle2_ = nullptr;
  QWidget* panelNames_ = nullptr;
  QTextEdit* listNms_ = nullptr;
  QTextEdit* listNames_ = nullptr;
  QTextEdit* listPts_ = nullptr;
  QWidget* panelBottom_ = nullptr;
  QPushButton* bttClear_ = nullptr;
  QPushButton* bttClose_ = nullptr;

  // Windows of their own, children so that they live as long as this one.
  TfrmAddAddress* addAddress_ = nullptr;
  TfrmReport* report_ = nullptr;
};

}  // namespace pebble::ui

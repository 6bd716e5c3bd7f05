#pragma once
// The hints window: a small tool window that tells, for a cell of the field,
// what lies there, how many stones a click on it would take and what that move
// would score. A right click on the field fills it; while it is visible every
// click refreshes it. It never takes the keyboard from the main window.

#include <QRect>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "config/ui/window_placement.h"

class QLabel;
class QStackedLayout;

namespace pebble {
class Game;
class Field;
class SettingsStore;
}  // namespace pebble

namespace pebble::ui {

// The stones a click on the cell would remove: the area of a bomb or rocket
// (none for a rock), or the stone's same-coloured group; 0 for an empty cell.
std::int32_t HintGroupSize(const Game& game, std::int32_t index);

class TfrmHints : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kGapToMainWindow = 10;
  static constexpr int kDefaultTop = 150;

  // mainWindowFrame places the window beside the main window the first time.
  TfrmHints(SettingsStore& store, const QRect& mainWindowFrame, int languageOffset);
  ~TfrmHints() override;

  // Caption and window hint in the given language.
  void ProcStrings(int languageOffset);
  // Opened by command: the rows give way to the instruction.
  void ShowInstruction();
  // Kind, group and points of the cell; the points row is greyed in
  // low-score mode, where points do not count.
  void ShowStoneInfo(const Game& game, std::int32_t index);
  // After a change of language: the texts again, then what the window showed.
  void LanguageChanged(const Game& game);

  std::int32_t ShownIndex() const { return shownIndex_; }
  bool InstructionShown() const { return instructionShown_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildLayout();
  void ClearRows();
  void ShowRows();
  QString Str(int id) const;

  WindowPlacement placement_;
  int languageOffset_ = 0;
  std::int32_t shownIndex_ = 0;
  bool instructionShown_ = false;
  QStackedLayout* pages_ = nullptr;
  QWidget* rows_ = nullptr;
  QLabel* lblTit1_ = nullptr;
  QLabel* lblTit2_ = nullptr;
  QLabel* lblTit3_ = nullptr;
  QLabel* lblArt_ = nullptr;
  QLabel* lblSize_ = nullptr;
  QLabel* lblPoints_ = nullptr;
  QLabel* lblInfo_ = nullptr;
};

// The click step of the field: a right click creates and shows the window and
// then gives the front back to the main window; any other click refreshes the
// window only while it is visible.
void ShowHintsForClick(std::unique_ptr<TfrmHints>& hints, QWidget& mainWindow, SettingsStore& store,
                       const Game& game, std::int32_t index, bool rightButton);

// The hints command (the H key, the configuration dialog's hints button):
// creates the window if needed and shows it with the instruction.
void OpenHintsByCommand(std::unique_ptr<TfrmHints>& hints, const QWidget& mainWindow, SettingsStore& store,
                        int languageOffset);

}  // namespace pebble::ui

#pragma once
// The main window: the tool bar and its menu, the field, the ramp and the
// status bar, and the wiring between them and the game. Each concern has its
// own owner: the command gate (control/command_gate.h) orders commands
// against the work on the stack, the session (game_session.h) says where the
// next game comes from, the field view and the ramp view draw, keyboard play
// (keyboard_play.h) moves the cursor. Every key is read in keyPressEvent
// (tfrm_game_keys.cpp).

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/game_settings.h"
#include "control/command_gate.h"
#include "control/ui/disguise.h"
#include "control/ui/field_view.h"
#include "control/ui/game_session.h"
#include "control/ui/ramp_view.h"
#include "engine/game.h"
#include "scores/ui/count_down_host.h"
#include "config/ui/cfg_host.h"
#include "scores/deal_comparison.h"
#include "solver/ui/game_solver.h"

class QMenu;
class QAction;

namespace pebble {
class SettingsStore;
class WavePlayer;
}

namespace pebble::ui {

class GroupPreview;
class KeyboardPlay;
class StatusMain;
class ToolButton;
class TfrmCountDown;
class TfrmStats;
class TfrmHints;
class TfrmAbout;
class TfrmCfg;

enum ToolButtonId { bttNew, bttFile, bttUndo, bttInfo, bttCfg, bttAbout, bttHelp, kToolButtonCount };

class TfrmGame : public QWidget, public GameHost, public CountDownHost, public CfgHost, public SolverHost {
  Q_OBJECT
 public:
  static constexpr int kPanelTopHeight = 33;

  TfrmGame(SettingsStore& store, std::vector<std::string> arguments, QWidget* parent = nullptr);
  ~TfrmGame() override;

  // --- game control --------------------------------------------------------
  void FormCreate();
  void FreeGame();
  void bttStartClick();
  void PlayHistory();
  // Undo, or back to the start of the game, whatever keys are held.
  void RunHistory(bool restart);
  // Plays the next undone move again (key Y).
  void Redo();
  // B: advice for the next move; the game then counts as played with help.
  void AskForAdvice();

  // Commands that replace or destroy the game wait, in the gate, for the
  // move or drop on the stack; handlers that call into the rules settle there.
  void RunWhenSettled(std::function<void()> command) override { gate_.RunWhenSettled(std::move(command)); }

  // --- what tests and companion windows look at ----------------------------
  Game& GetGame() { return game_; }
  const GameSettings& Settings() const override { return game_.Settings(); }
  int LanguageOffset() const { return game_.Settings().languageOffset; }
  FieldView* imgMain() const { return imgMain_; }
  RampView* imgRamp() const { return imgRamp_; }
  StatusMain* statusMain() const { return statusMain_; }
  QWidget* panelTop() const { return panelTop_; }
  ToolButton* Button(ToolButtonId id) const { return buttons_[static_cast<std::size_t>(id)]; }
  bool Disguised() const { return disguise_.Worn(); }
  bool CountDownPaused() const override { return CountDownPaused_; }
  QString CurrentMessage() const;
  int SetUpCount() const override { return setUpCount_; }
  TfrmCountDown* CountDown() const { return countDown_.get(); }
  const KeyboardPlay& Keyboard() const { return *keys_; }
  const GroupPreview& Preview() const { return *preview_; }
  // The menu of every command with its key (the file button's, F10, Shift+F10,
  // the Menu key, a tap on Alt); built at its first opening.
  QMenu* CommandMenu() { return MenuPopup(); }
  void OpenCommandMenu();

  // --- GameHost ------------------------------------------------------------
  void ShowMessage(int stringId) override;
  void ShowMessageNow(int stringId) override;
  void ClearMessage() override;
  int MessageShown() const override { return messageId_; }
  void PlaySound(std::string_view name) override;
  void Beep() override;
  void ShowCounts() override;
  void SetWaitCursor(bool waiting) override;
  void FieldTooltipsOff() override;
  void ShowCellHint(std::int32_t index, bool rightButton) override;
  void DeleteAnimation(const RemovalList& runs) override;
  void FallAnimation(const FallList& stacks) override;
  void ColumnAnimation(const GapList& gaps) override;
  void DrawWholeField() override;
  void UndoAvailable(bool available) override;
  void BestMoveRaised(std::int32_t bestMove) override;
  void StopCountDown() override;
  void ShowClearingBonus(std::int32_t bonus) override;
  void RecordResult(std::int32_t result) override;
  void ResultRestored(std::int32_t result) override;

  // --- CountDownHost -------------------------------------------------------
  bool GameRunning() const override { return game_.GameRunning(); }
  void ClearGameRunning() override { game_.SetGameRunning(false); }
  void SetCountDownPaused(bool paused) override { CountDownPaused_ = paused; }
  void SetDropTimerEnabled(bool enabled) override;
  void ShowBoardAndRamp(bool visible) override;
  void DisableUndo() override;
  void RecordCurrentResult() override;
  QRect MainWindowFrame() const override { return frameGeometry(); }

  // --- CfgHost ---------------------------------------------------------------
  SettingsStore& Store() override { return store_; }
  void UpdateSettings(const GameSettings& settings) override;
  void LanguageChanged() override;
  void StartNewGame() override { bttStartClick(); }
  void CountModeChanged() override;
  void ToggleCountDown() override;
  void ShowHints() override;
  // Closes the window once the move in hand has settled, and ends the program.
  void QuitProgram();
  QSize ScreenSize() const override;

  // Runs once, right after the field's first paint: what the player does not
  // see at once waits until the field is on screen.
  void AfterFirstPaint(std::function<void()> step) { afterFirstPaint_ = std::move(step); }

  // --- companion windows -----------------------------------------------------
  void CreateStats();
  TfrmStats* Stats() const { return stats_; }
  void bttInfoClick();
  void bttCfgClick();
  void bttAboutClick();
  void bttHelpClick();
  void ShowReport();
  void SaveGame();
  void OpenGame();
  // Asks for a deal number and starts that deal.
  void PlayDealNumber();

  // --- the field's scale (tfrm_game_scale.cpp) ---------------------------------
  // The zoom in steps (Ctrl++, Ctrl+-, Ctrl+0): stored, and the window fits
  // the field at the new scale, within the screen.
  void ZoomIn();
  void ZoomOut();
  void ZoomReset();
  int Zoom() const { return zoom_; }
  // The field's size in its own pixels, and whether the window had to show
  // it smaller than the zoom to stay within the screen.
  QSize FieldPixels() const { return fieldPixels_; }
  bool FieldScaledDown() const { return scaledDown_; }

  // --- the solver: advice, the deal's best, deals that can be cleared ----------
  GameSolver& Solver() { return *solver_; }

  // --- SolverHost --------------------------------------------------------------
  // A message with figures in it: `text` writes it in the language asked,
  // so it follows a language change like every other message.
  void ShowMessageWith(int stringId, std::function<std::string(int languageOffset)> text) override;
  void ShowDealComparison(const std::optional<DealComparison>& comparison) override;

 protected:
  void keyPressEvent(class QKeyEvent* event) override;
  void resizeEvent(class QResizeEvent* event) override;
  void showEvent(class QShowEvent* event) override;
  void keyReleaseEvent(class QKeyEvent* event) override;
  void closeEvent(class QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void BuildWindow();
  QMenu* MenuPopup();
  void AddCommands(QMenu& menu);
  void ProcMenuTexts();
  void EnableCommands();
  // The message on show in the current language (empty when none).
  QString MessageText() const;
  // The group preview's text in the message panel, or the message back.
  void ShowPreviewText();
  void PreviewPointer(std::optional<QPoint> at);
  // What the field tells a screen reader: the cursor's cell, or the field.
  void SpeakCursorCell();
  void SetFieldSpeech(const QString& speech);
  void SpeakMove(const QString& what, std::int32_t stones);
  void ProcAccessibleTexts();
  void ProcStatusBarDescription();
  void SetUpGame();
  // A new game could not be set up: the player is told, and the window lives on.
  void SetUpFailed();
  void ReadWindowPositionOnce();
  void SizeWindow(FieldSize size, int rampHeight);
  void FitWindowToField();
  void KeepWindowOnScreen();
  void LayOutField();
  void RescaleField();
  void SetZoom(int percent);
  void ShowZoom();
  int ReadZoom() const;
  QSize AvailableClientSize() const;
  PixelSize FieldBlock() const;
  // The zoom keys, with Ctrl; true when the key was one of them.
  bool ZoomKey(const class QKeyEvent& event);
  void LayOutToolBar();
  void ProcStrings();
  // The field's and the ramp's hints, unless the first click switched them off.
  void ApplyFieldHints();
  void LoadGlyphs();
  void FormDestroy();
  void imgMainMouseUp(Qt::MouseButton button, QPoint at);
  void CloseWindow();
  void Shutdown();
  void ApplyLanguage();
  void DisguiseWindow();
  void OnMinimize();
  void OnMaximize();
  QString Str(int id) const;
  void SaveWindowPosition();
  void ShowDealNumber();
  void imgMainPaint();
  void StartCountDownOnFirstPaint();
  void Suspend();
  // The game starts on the field dealt or opened.
  void StartPlay(bool opened, int rampHeight);

  SettingsStore& store_;
  GameSession session_;
  Game game_;
  std::unique_ptr<WavePlayer> sounds_;

  QWidget* panelTop_ = nullptr;
  std::array<ToolButton*, kToolButtonCount> buttons_{};
  QWidget* panelBack_ = nullptr;
  RampView* imgRamp_ = nullptr;
  FieldView* imgMain_ = nullptr;
  std::unique_ptr<KeyboardPlay> keys_;
  StatusMain* statusMain_ = nullptr;
  QMenu* menuPopup_ = nullptr;
  QAction* popupLoad_ = nullptr;
  QAction* popUpSave_ = nullptr;
  QAction* popUpReport_ = nullptr;
  QAction* popUpDeal_ = nullptr;
  // An entry of the command menu: its text and key, and when it can run.
  struct MenuCommand {
    QAction* action;
    int textId;
    QString key;   // a key that reads alike in every language ("N", "F1")
    int keyId;     // or the id of the key's name ("Esc"); 0 when `key` is used
    std::function<bool()> enabled;
  };
  std::vector<MenuCommand> commands_;
  std::unique_ptr<GroupPreview> preview_;
  bool altTapped_ = false;  // Alt went down with no key after it: its release opens the menu
  std::unique_ptr<TfrmCountDown> countDown_;
  TfrmStats* stats_ = nullptr;
  std::unique_ptr<TfrmHints> hints_;
  std::unique_ptr<TfrmAbout> about_;
  std::unique_ptr<TfrmCfg> frmCfg_;
  bool firstPaintPending_ = false;
  std::function<void()> afterFirstPaint_;
  QImage arrowUp_, arrowDown_;
  GameSolver* solver_ = nullptr;

  CommandGate gate_{[this] { return game_.MoveInProgress(); }};
  int messageId_ = -1;
  std::function<std::string(int languageOffset)> messageText_;  // for a message with figures
  bool fieldHintsOn_ = true;
  int windowTag_ = 0;  // 10 once the position has been read in this run
  int setUpCount_ = 0;
  bool CountDownPaused_ = false;
  bool aided_ = false;  // the game had advice or a deal dealt to be clearable
  int zoom_ = 100;            // percent
  QSize fieldPixels_;         // the field's own size, without the ramp
  int rampPixels_ = 0;        // the ramp's height in field pixels, 0 without
  bool scaledDown_ = false;   // the zoom did not fit on the screen
  QTimer rescaleTimer_;       // the pictures are made again once resizing rests
  bool screenWatched_ = false;
  Disguise disguise_{*this};
};

}  // namespace pebble::ui

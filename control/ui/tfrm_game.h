#pragma once
// The main window: owner of the running game, its tool bar, field, ramp and
// status bar; it sets up every new game and tears the old one down.

#include <QIcon>
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/command_line.h"
#include "config/game_settings.h"
#include "control/field_cursor.h"
#include "engine/game.h"
#include "engine/ramp.h"
#include "scores/ui/count_down_host.h"
#include "config/ui/cfg_host.h"
#include "render/ui/field_painter.h"
#include "scores/deal_comparison.h"
#include "solver/advice.h"
#include "solver/background_runner.h"
#include "solver/clearable_deal.h"
#include "solver/deal_search.h"

class QMenu;
class QAction;

namespace pebble {
class SettingsStore;
class WavePlayer;
}

namespace pebble::ui {

class Animator;
class PaintBox;
class StatusMain;
class ToolButton;
class BackgroundPictures;
class TfrmCountDown;
class TfrmStats;
class TfrmHints;
class TfrmAbout;
class TfrmCfg;
class Advisor;
class AdviceOverlay;

enum ToolButtonId { bttNew, bttFile, bttUndo, bttInfo, bttCfg, bttAbout, bttHelp, kToolButtonCount };

class TfrmGame : public QWidget, public GameHost, public RampHost, public CountDownHost, public CfgHost {
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
  // Plays the next undone move again (key Y).
  void Redo();

  // --- the one door for commands that replace or destroy the game ---------
  // A move, a ramp drop and every animation frame wait for the clock in local
  // event loops, so any event may arrive while they are on the stack. A
  // command that would replace or destroy the field, the ramp or a window
  // (new game, open, undo and restart, a new game or quit from the
  // configuration, a language switch, the count-down's time-out or release,
  // closing the window) must never run under them: it goes through
  // RunWhenSettled, which runs it at once when nothing is settling and
  // otherwise as soon as the outermost work has returned, in the order asked.
  // Every handler that calls into the rules (clicks on the field and the
  // ramp, ramp ticks, moves from keys) runs that call inside Settle(), which
  // runs what waited once it is over. New commands and new handlers use these
  // two; none needs a guard of its own.
  void RunWhenSettled(std::function<void()> command) override;
  void Settle(const std::function<void()>& work);
  // A move, a ramp step or drop, an animation frame or a waiting command is
  // on the stack.
  bool Settling() const;

  // --- what tests and companion windows look at ----------------------------
  Game& GetGame() { return game_; }
  const GameSettings& Settings() const override { return game_.Settings(); }
  int LanguageOffset() const { return game_.Settings().languageOffset; }
  PaintBox* imgMain() const { return imgMain_; }
  PaintBox* imgRamp() const { return imgRamp_; }
  StatusMain* statusMain() const { return statusMain_; }
  QWidget* panelTop() const { return panelTop_; }
  ToolButton* Button(ToolButtonId id) const { return buttons_[static_cast<std::size_t>(id)]; }
  FieldPainter& Painter() { return painter_; }
  Animator& GetAnimator() { return *animator_; }
  bool Disguised() const { return Disguised_; }
  bool CountDownPaused() const override { return CountDownPaused_; }
  QString CurrentMessage() const;
  int SetUpCount() const override { return setUpCount_; }
  Ramp* GetRamp() const { return ramp_.get(); }
  TfrmCountDown* CountDown() const { return countDown_.get(); }
  const QImage& RampImage() const { return rampImage_; }
  QTimer& DropTimer() { return TimerDrop; }
  const FieldCursor& Cursor() const { return cursor_; }

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

  // --- RampHost ------------------------------------------------------------
  void DrawRampStone(const TStoneCell& pseudoCell) override;
  void EraseRampStone(std::int32_t left) override;
  void RampPaint() override;
  void DropAnimation(std::int32_t landingIndex) override;
  void DrawCell(std::int32_t index) override;
  void ShowFailure(std::string_view text) override;
  void RequestNewGame() override;

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
  void QuitProgram() override;
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

  // --- best-move advice --------------------------------------------------------
  void AskForAdvice();
  // Stops a search under way and takes the ring off the field.
  void CancelAdvice();
  Advisor& GetAdvisor() { return *advisor_; }
  AdviceOverlay& Overlay() { return *adviceOverlay_; }
  const solver::Advice& LastAdvice() const { return lastAdvice_; }
  // The background search of this game's deal, and how the ended game
  // compares with its best line (nothing while the game runs).
  const solver::DealSearch& GetDealSearch() const { return dealSearch_; }
  const std::optional<DealComparison>& DealBest() const { return dealBest_; }
  // The line that clears this game's deal, when it was dealt to be cleared.
  const std::vector<std::int32_t>& ClearingLine() const { return clearingLine_; }

 protected:
  void keyPressEvent(class QKeyEvent* event) override;
  void closeEvent(class QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void BuildWindow();
  QMenu* MenuPopup();
  void SetUpGame();
  // A new game could not be set up: the player is told, and the window lives on.
  void SetUpFailed();
  void ReadWindowPositionOnce();
  GameSettings ReadSettings();
  bool ReadPendingGame(GameSettings& settings, std::vector<TStoneCell>& cells, FieldSize& size);
  void SizeWindow(FieldSize size, int rampHeight);
  void LayOutToolBar();
  void ProcStrings();
  // The field's and the ramp's hints, unless the first click switched them off.
  void ApplyFieldHints();
  void LoadGlyphs();
  void FormDestroy();
  void imgMainMouseUp(Qt::MouseButton button, QPoint at);
  // Keyboard play: the cursor, its clicks and drops, and redo.
  void PlayKey(int key);
  void MoveCursor(const std::function<void()>& move);
  void ClickAtCursor();
  void DropAtCursor();
  void ShowCursorFrame();
  void HideCursor();
  void RunDeferredCommands();
  void CloseWindow();
  void Shutdown();
  void ApplyLanguage();
  void Disguise();
  void HideCompanionWindows();
  void ShowCompanionWindows();
  void OnMinimize();
  void OnMaximize();
  QString Str(int id) const;
  void SaveWindowPosition();
  void ShowDealNumber();
  void SetUpRamp(int rampHeight);
  void imgRampMouseDown(QPoint at);
  void DoDropStones();
  void imgMainPaint();
  void StartCountDownOnFirstPaint();
  void Suspend();
  DrawFlags Flags() const;
  void CreateAdvisor();
  void ShowAdvice(const solver::Advice& advice);
  void StartDealSearch();
  void CompareWithDealBest(std::int32_t result);
  void HideDealBest();
  void ShowDealBestMessage();
  // A message with figures in it: `text` writes it in the language asked,
  // so it follows a language change like every other message.
  void ShowMessageWith(int stringId, std::function<std::string(int languageOffset)> text);
  // Deals the new game's field; true when a deal that can be cleared is
  // sought in the background first: `dealt` runs once it is on the field.
  bool DealField(const GameSettings& settings, FieldSize size, std::optional<DealNumber> asked,
                 std::function<void()> dealt);
  using ClearableDealer = solver::BackgroundRunner<solver::ClearableDeal>;
  void TakeClearableDeal(ClearableDealer::Ticket ticket, const std::function<void()>& dealt);
  // The game starts on the field dealt or opened.
  void StartPlay(bool opened, int rampHeight);

  SettingsStore& store_;
  std::vector<std::string> arguments_;
  CommandLineState commandLine_;
  Game game_;
  FieldCursor cursor_;
  FieldPainter painter_;
  std::unique_ptr<BackgroundPictures> backgrounds_;
  std::unique_ptr<WavePlayer> sounds_;

  QWidget* panelTop_ = nullptr;
  std::array<ToolButton*, kToolButtonCount> buttons_{};
  QWidget* panelBack_ = nullptr;
  PaintBox* imgRamp_ = nullptr;
  PaintBox* imgMain_ = nullptr;
  StatusMain* statusMain_ = nullptr;
  QMenu* menuPopup_ = nullptr;
  QAction* popupLoad_ = nullptr;
  QAction* popUpSave_ = nullptr;
  QAction* popUpReport_ = nullptr;
  QAction* popUpDeal_ = nullptr;
  Animator* animator_ = nullptr;
  std::unique_ptr<Ramp> ramp_;
  std::unique_ptr<TfrmCountDown> countDown_;
  TfrmStats* stats_ = nullptr;
  std::unique_ptr<TfrmHints> hints_;
  std::unique_ptr<TfrmAbout> about_;
  std::unique_ptr<TfrmCfg> frmCfg_;
  std::size_t playerHistoryOffset_ = 0;
  QImage rampImage_;
  QTimer TimerDrop;
  bool firstPaintPending_ = false;
  std::function<void()> afterFirstPaint_;
  bool previousAutoDrop_ = false;
  QImage arrowUp_, arrowDown_;
  Advisor* advisor_ = nullptr;
  AdviceOverlay* adviceOverlay_ = nullptr;
  solver::Advice lastAdvice_;
  std::vector<TStoneCell> adviceAskedOn_;  // the field the search under way looks at
  std::vector<std::int32_t> clearingLine_;
  bool dealUnproven_ = false;  // the option asked for a deal that can be cleared; none was found in time
  solver::DealSearch dealSearch_;
  std::optional<DealComparison> dealBest_;
  ClearableDealer dealer_;

  std::deque<std::function<void()>> deferred_;
  int settleDepth_ = 0;
  int deferredDepth_ = 0;
  bool closeAsked_ = false;
  bool shutDown_ = false;
  int messageId_ = -1;
  std::function<std::string(int languageOffset)> messageText_;  // for a message with figures
  bool fieldHintsOn_ = true;
  int windowTag_ = 0;  // 10 once the position has been read in this run
  int setUpCount_ = 0;
  bool CountDownPaused_ = false;
  bool LoadPending_ = false;
  std::optional<DealNumber> pendingDeal_;  // the deal the next new game deals
  bool FileGame_ = false;
  std::string GameFileName_;
  bool Disguised_ = false;
  std::vector<QPointer<QWidget>> hiddenByDisguise_;
};

}  // namespace pebble::ui

#include "control/ui/tfrm_game.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QToolTip>
#include <QWindowStateChangeEvent>
#include <stdexcept>
#include <utility>

#include "config/language.h"
#include "config/settings_model.h"
#include "config/settings_store.h"
#include "config/string_table.h"
#include "control/saved_game_file.h"
#include "control/ui/key_table.h"
#include "control/ui/paint_box.h"
#include "config/ui/qt_dialogs.h"
#include "control/ui/prompter.h"
#include "control/ui/status_main.h"
#include "control/ui/tool_button.h"
#include "engine/ui/animator.h"
#include "scores/ui/tfrm_count_down.h"
#include "scores/ui/tfrm_stats.h"
#include "scores/ui/tfrm_hints.h"
#include "scores/ui/tfrm_about.h"
#include "config/ui/qt_texts.h"
#include "config/ui/settings_migration.h"
#include "config/ui/tfrm_cfg.h"
#include "control/ui/shell_integration.h"
#include "render/ui/background_picture.h"
#include "render/ui/bitmap_resource.h"
#include "render/ui/keyed_image.h"
#include "config/ui/wave_player.h"
#include "config/ui/window_placement.h"

namespace pebble::ui {
namespace {

constexpr int kMsgStarting = 50, kMsgGoAhead = 51, kMsgOpened = 63, kMsgError = 100, kStartupFailed = 101,
              kNarrowField = 112, kMsgRestoring = 56, kMsgUndoing = 57, kUndoFailed = 58, kCheatAlarm = 104,
              kProceed = 158, kMsgDealUnproven = 874;
constexpr int kStatusHeight = StatusMain::kHeight;
constexpr const char* kGlyphNames[kToolButtonCount] = {"SB_NEU",  "SB_FILE", "SB_UNDO", "SB_INFO",
                                                       "SB_CFG", "SB_ABOUT", "SB_HELP"};
constexpr int kButtonWidths[kToolButtonCount] = {25, 25, 25, 25, 24, 25, 24};
constexpr const char* kDisguiseTitle = "Microsoft Word - Document 1";

QImage Resource(const char* name) { return BitmapResource(name); }

}  // namespace

TfrmGame::TfrmGame(SettingsStore& store, std::vector<std::string> arguments, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      store_(store),
      arguments_(std::move(arguments)),
      game_(*this),
      backgrounds_(std::make_unique<BackgroundPictures>()),
      sounds_(std::make_unique<WavePlayer>()) {
  setWindowTitle(ProgramTitle());
  setFocusPolicy(Qt::StrongFocus);
  QFont small = font();
  small.setPointSize(8);
  setFont(small);
  BuildWindow();
  move(10, 10);
  FormCreate();
}

TfrmGame::~TfrmGame() = default;

// --- the window's controls ---------------------------------------------------

void TfrmGame::BuildWindow() {
  panelTop_ = new QWidget(this);
  for (int i = 0; i < kToolButtonCount; ++i) {
    auto* button = new ToolButton(panelTop_);
    button->resize(kButtonWidths[i], 27);
    buttons_[static_cast<std::size_t>(i)] = button;
  }
  Button(bttUndo)->setEnabled(false);
  connect(Button(bttNew), &QAbstractButton::clicked, this, &TfrmGame::bttStartClick);
  connect(Button(bttUndo), &QAbstractButton::clicked, this, &TfrmGame::PlayHistory);
  connect(Button(bttInfo), &QAbstractButton::clicked, this, &TfrmGame::bttInfoClick);
  connect(Button(bttCfg), &QAbstractButton::clicked, this, &TfrmGame::bttCfgClick);
  connect(Button(bttAbout), &QAbstractButton::clicked, this, &TfrmGame::bttAboutClick);
  connect(Button(bttHelp), &QAbstractButton::clicked, this, &TfrmGame::bttHelpClick);
  connect(Button(bttFile), &QAbstractButton::clicked, this, [this] {
    MenuPopup()->popup(Button(bttFile)->mapToGlobal(QPoint(0, Button(bttFile)->height() - 2)));
  });

  panelBack_ = new QWidget(this);
  imgRamp_ = new PaintBox(panelBack_);
  imgMain_ = new PaintBox(panelBack_);
  imgMain_->SetImage(&painter_.Surface());
  imgMain_->onMouseUp = [this](Qt::MouseButton button, QPoint at) {
    HideCursor();
    imgMainMouseUp(button, at);
  };
  imgMain_->onPaint = [this] { imgMainPaint(); };
  imgRamp_->onMouseDown = [this](Qt::MouseButton, QPoint at) {
    HideCursor();
    imgRampMouseDown(at);
  };
  TimerDrop.setInterval(300);
  connect(&TimerDrop, &QTimer::timeout, this, &TfrmGame::DoDropStones);
  statusMain_ = new StatusMain(this);
  animator_ = new Animator(painter_, *imgMain_, this);
  CreateAdvisor();

  popupLoad_ = new QAction(this);
  popUpSave_ = new QAction(this);
  popUpDeal_ = new QAction(this);
  popUpReport_ = new QAction(this);
  connect(popUpReport_, &QAction::triggered, this, &TfrmGame::ShowReport);
  connect(popupLoad_, &QAction::triggered, this, &TfrmGame::OpenGame);
  connect(popUpSave_, &QAction::triggered, this, &TfrmGame::SaveGame);
  connect(popUpDeal_, &QAction::triggered, this, &TfrmGame::PlayDealNumber);
  popUpSave_->setEnabled(false);
  popUpReport_->setEnabled(false);
}

QMenu* TfrmGame::MenuPopup() {
  // Built at its first opening: the first paint does not need it.
  if (!menuPopup_) {
    menuPopup_ = new QMenu(this);
    menuPopup_->addAction(popupLoad_);
    menuPopup_->addAction(popUpSave_);
    menuPopup_->addAction(popUpDeal_);
    menuPopup_->addSeparator();
    menuPopup_->addAction(popUpReport_);
  }
  return menuPopup_;
}

QString TfrmGame::Str(int id) const { return QString::fromStdString(Text(id, LanguageOffset())); }

void TfrmGame::ProcStrings() {
  static constexpr int kHints[kToolButtonCount] = {200, 209, 201, 202, 203, 204, 208};
  UseQtTextsFor(LanguageOffset());
  for (int i = 0; i < kToolButtonCount; ++i) Button(static_cast<ToolButtonId>(i))->setToolTip(Str(kHints[i]));
  ApplyFieldHints();
  // The message on show follows the language like every other text.
  if (messageText_) {
    statusMain_->SetPanelText(3, QString::fromStdString(messageText_(LanguageOffset())));
  } else if (messageId_ >= 0) {
    statusMain_->SetPanelText(3, Str(messageId_));
  }
  popupLoad_->setText(Str(210));
  popUpSave_->setText(Str(211));
  popUpReport_->setText(Str(701));
  popUpDeal_->setText(Str(830));
}

void TfrmGame::LoadGlyphs() {
  for (int i = 0; i < kToolButtonCount; ++i) Button(static_cast<ToolButtonId>(i))->SetGlyph(Resource(kGlyphNames[i]));
  arrowUp_ = TransparentByCorner(Resource("SB_ARROWUP"));
  arrowDown_ = TransparentByCorner(Resource("SB_ARROWDOWN"));
}

void TfrmGame::LayOutToolBar() {
  const bool narrow = panelTop_->width() < 150;
  static constexpr int kWide[kToolButtonCount] = {4, 29, 54, 79, 104, 129, 154};
  static constexpr int kNarrow[kToolButtonCount] = {4, -1, 29, -1, 54, -1, 79};
  for (int i = 0; i < kToolButtonCount; ++i) {
    const int left = narrow ? kNarrow[i] : kWide[i];
    ToolButton* button = Button(static_cast<ToolButtonId>(i));
    // A button the bar cannot hold whole is hidden; its key still works (F1 for help).
    const bool fits = left >= 0 && left + button->width() <= panelTop_->width();
    button->setVisible(fits);
    if (fits) button->move(left, 2);
  }
}

void TfrmGame::SizeWindow(FieldSize size, int rampHeight) {
  const int width = size.columns * game_.Settings().stoneWidth + 1;
  const int height = size.rows * game_.Settings().stoneHeight + 1;
  const int backHeight = rampHeight + height + 2;
  setFixedSize(width, kPanelTopHeight + backHeight + kStatusHeight);
  panelTop_->setGeometry(0, 0, width, kPanelTopHeight);
  panelBack_->setGeometry(0, kPanelTopHeight, width, backHeight);
  imgRamp_->setGeometry(0, 0, width, rampHeight);
  imgRamp_->setVisible(rampHeight > 0);
  imgMain_->setGeometry(0, rampHeight, width, height);
  statusMain_->setGeometry(0, kPanelTopHeight + backHeight, width, kStatusHeight);
  LayOutToolBar();
}

// --- set-up and tear-down ----------------------------------------------------

void TfrmGame::FormCreate() {
  MigrateOlderSettings(store_, this);
  try {
    SetUpGame();
  } catch (const std::exception&) {
    QApplication::restoreOverrideCursor();
    SetUpFailed();
    return;
  }
  ++setUpCount_;
  try {
    if (stats_) stats_->FollowNewGame(game_.Settings());
  } catch (const std::exception&) {
    // The statistics only follow the game; a failure there never stops it.
  }
  if (imgMain_->width() > 130) return;
  // The warning comes after the field is shown; at start-up that is once the window is up.
  if (isVisible()) {
    CurrentPrompter().Error(this, Str(kNarrowField));
  } else {
    QTimer::singleShot(0, this, [this] { CurrentPrompter().Error(this, Str(kNarrowField)); });
  }
}

void TfrmGame::SetUpFailed() {
  game_.SetSettingUp(false);
  CurrentPrompter().Error(this, Str(kStartupFailed));
  ShowMessage(kMsgError);
}

void TfrmGame::ReadWindowPositionOnce() {
  if (windowTag_ != 0) return;
  QPoint at(store_.ReadRegInt(kRootSection, kValueMainLeft, 10), store_.ReadRegInt(kRootSection, kValueMainTop, 10));
  // A position kept for a screen that is gone would hide the window.
  move(KeepOnScreens(QRect(at, frameGeometry().size())).topLeft());
  windowTag_ = 10;
}

GameSettings TfrmGame::ReadSettings() {
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
  if (options.gameFileTaken) {
    LoadPending_ = true;
    GameFileName_ = options.gameFileName;
  }
  return settings;
}

bool TfrmGame::ReadPendingGame(GameSettings& settings, std::vector<TStoneCell>& cells, FieldSize& size) {
  if (!LoadPending_) return false;
  const ParsedSavedGame parsed = ReadGameFile(PathFromUtf8(GameFileName_));
  if (parsed.status != SavedGameStatus::Ok) {
    CurrentPrompter().Error(this, Str(ReadFailureStringId(parsed.status)));
    FileGame_ = LoadPending_ = false;
    // The name now stands for a file that is no game: an offset of another
    // file would read its bytes as someone's history.
    playerHistoryOffset_ = 0;
    return false;
  }
  ApplySavedSettings(parsed.game.settings, settings);
  settings.fitToPicture = false;
  cells = parsed.game.cells;
  size = {parsed.game.settings.columnCount, parsed.game.settings.rowCount};
  FileGame_ = true;
  playerHistoryOffset_ = parsed.playerHistoryOffset;
  return true;
}

void TfrmGame::SetUpGame() {
  game_.SetSettingUp(true);
  imgMain_->hide();
  imgRamp_->hide();
  statusMain_->hide();
  ShowMessage(kMsgStarting);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  ReadWindowPositionOnce();
  ProgramRandom().Reseed();

  GameSettings settings = ReadSettings();
  std::vector<TStoneCell> loadedCells;
  FieldSize size;
  const bool opened = ReadPendingGame(settings, loadedCells, size);
  MakePlayable(settings);
  game_.MutableSettings() = settings;  // texts and sizes below follow the new game's settings
  ProcStrings();
  LoadGlyphs();

  const QImage picture = backgrounds_->LoadBackground(settings, commandLine_, [this](std::int32_t index) {
    try {
      store_.SaveRegInt(kConfigSection, kValueFolderPictureIndex, index);
    } catch (const std::exception&) {
    }
  });
  if (!opened) size = ChooseFieldSize(settings, PixelSize{picture.width(), picture.height()});
  const int rampHeight = settings.autoDrop ? settings.stoneHeight + 2 : 0;
  game_.MutableSettings() = settings;
  SizeWindow(size, rampHeight);
  painter_.Prepare(settings, imgMain_->size(), picture, ProgramRandom());
  imgMain_->SetImage(&painter_.Surface());
  if (!settings.autoDrop) countDown_.reset();

  const std::optional<DealNumber> deal = std::exchange(pendingDeal_, std::nullopt);
  if (opened) {
    game_.LoadField(settings, size, loadedCells);
  } else if (DealField(settings, size, deal, [this, rampHeight] { StartPlay(false, rampHeight); })) {
    // The empty field and the status bar show while the deal is sought.
    imgMain_->show();
    statusMain_->show();
    QApplication::restoreOverrideCursor();
    return;
  }
  StartPlay(opened, rampHeight);
  QApplication::restoreOverrideCursor();
}

void TfrmGame::StartPlay(bool opened, int rampHeight) {
  const GameSettings& settings = game_.Settings();
  ShowDealNumber();
  statusMain_->SetLowScore(settings.lowScore, settings.lowScore ? arrowDown_ : arrowUp_);
  ShowCounts();
  ShowMessage(opened ? kMsgOpened : kMsgGoAhead);
  if (!opened && dealUnproven_) ShowMessage(kMsgDealUnproven);
  popUpSave_->setEnabled(settings.undoInfo);
  popUpReport_->setEnabled(FileGame_);
  SetUpRamp(rampHeight);
  imgMain_->show();
  imgRamp_->setVisible(settings.autoDrop);
  statusMain_->show();
  CountDownPaused_ = false;
  firstPaintPending_ = settings.autoDrop;
  cursor_.Reset(game_.GetField());
  game_.SetSettingUp(false);
  StartDealSearch();
  DrawWholeField();
}

void TfrmGame::FreeGame() {
  try {
    CancelAdvice();
    dealer_.Cancel();
    dealSearch_.Forget();
    HideDealBest();
    FileGame_ = false;
    LoadPending_ = false;
    fieldHintsOn_ = true;
    ApplyFieldHints();
    Button(bttUndo)->setEnabled(false);
    popUpSave_->setEnabled(false);
    popUpReport_->setEnabled(false);
    TimerDrop.stop();
    if (countDown_) countDown_->StopCountDown();
    ramp_.reset();
    painter_.Free();
  } catch (const std::exception&) {
    CurrentPrompter().Error(this, Str(kStartupFailed));
    std::exit(1);
  }
}

void TfrmGame::bttStartClick() {
  RunWhenSettled([this] {
    FreeGame();
    FormCreate();
  });
}

void TfrmGame::imgMainMouseUp(Qt::MouseButton button, QPoint at) {
  if (game_.SettingUp()) return;
  if (button != Qt::RightButton) CancelAdvice();  // a right click only asks about a stone
  const MouseButton which = button == Qt::RightButton ? MouseButton::Right
                            : button == Qt::MiddleButton ? MouseButton::Middle
                                                         : MouseButton::Left;
  Settle([&] { game_.imgMainMouseUp(which, at.x(), at.y()); });
}

// --- commands wait until the work on the stack has settled ---------------------

bool TfrmGame::Settling() const { return settleDepth_ > 0 || deferredDepth_ > 0 || game_.MoveInProgress(); }

void TfrmGame::Settle(const std::function<void()>& work) {
  {
    const DepthGuard settling(settleDepth_);
    work();
  }
  RunDeferredCommands();
}

void TfrmGame::RunWhenSettled(std::function<void()> command) {
  if (shutDown_) return;  // the game is gone; nothing is left to replace
  deferred_.push_back(std::move(command));
  RunDeferredCommands();
}

void TfrmGame::RunDeferredCommands() {
  if (Settling()) return;
  // A command may wait in a dialog of its own; what is asked meanwhile comes
  // after it, never inside it.
  const DepthGuard running(deferredDepth_);
  while (!deferred_.empty() && !shutDown_) {
    const std::function<void()> command = std::move(deferred_.front());
    deferred_.pop_front();
    command();
  }
}

// --- undo --------------------------------------------------------------------

void TfrmGame::PlayHistory() {
  RunWhenSettled([this] {
    if (!game_.CanUndo()) {
      Button(bttUndo)->setEnabled(false);
      return;
    }
    CancelAdvice();
    if (!game_.GameRunning()) {
      if (!CurrentPrompter().WarningYesNo(this, Str(kCheatAlarm) + "\n\r" + Str(kProceed))) return;
      game_.SetGameRunning(true);
      HideDealBest();  // the game runs again: its result is not yet known
      if (game_.Settings().autoDrop && countDown_) countDown_->ContinueCountDown();
    }
    try {
      const bool restart = QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
      ShowMessageNow(restart ? kMsgRestoring : kMsgUndoing);
      QApplication::setOverrideCursor(Qt::WaitCursor);
      if (restart) {
        game_.RestartGame();
        if (ramp_) ramp_->EmptyRamp();
      } else {
        game_.UndoLastMove();
      }
      if (game_.Settings().soundsOn) PlaySound(sounds::Undo);
      ShowCounts();
      ClearMessage();
      DrawWholeField();
      QApplication::restoreOverrideCursor();
    } catch (const std::exception&) {
      QApplication::restoreOverrideCursor();
      CurrentPrompter().Error(this, Str(kUndoFailed));
      std::exit(1);
    }
  });
}

// --- keyboard, disguise, minimise and restore --------------------------------

void TfrmGame::keyPressEvent(QKeyEvent* event) {
  const int key = KeyTableKey(*event);
  if (key == Qt::Key_I) bttInfoClick();
  if (key == Qt::Key_N) bttStartClick();
  if (key == Qt::Key_C) bttCfgClick();
  if (key == Qt::Key_A) bttAboutClick();
  if (key == Qt::Key_S) SaveGame();
  if (key == Qt::Key_O) OpenGame();
  if (key == Qt::Key_R) ShowReport();
  if (key == Qt::Key_F1) bttHelpClick();
  if (key == Qt::Key_H) ShowHints();
  if (key == Qt::Key_L) MakeShortcutAndRegister(this, LanguageOffset());
  if ((key == Qt::Key_Z || key == Qt::Key_Backspace) && Button(bttUndo)->isEnabled()) PlayHistory();
  if (key == Qt::Key_P || key == Qt::Key_S) Suspend();
  if (key == Qt::Key_Escape) Disguise();
  PlayKey(key);
  if (key == Qt::Key_B) AskForAdvice();
}

void TfrmGame::Disguise() {
  setWindowTitle(kDisguiseTitle);
  setWindowIcon(QIcon(":/res/WordIcon"));
  Disguised_ = true;
  HideCompanionWindows();
  showMinimized();
  if (!CountDownPaused_) Suspend();
}

void TfrmGame::HideCompanionWindows() {
  // The whole program goes, not just its main window: a clock or a hints
  // window left on screen would give the game away (and a click on the clock
  // would resume it).
  QToolTip::hideText();
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window == this || !window->isVisible() || window->windowType() == Qt::ToolTip) continue;
    hiddenByDisguise_.emplace_back(window);
    window->hide();
  }
}

void TfrmGame::ShowCompanionWindows() {
  // Exactly the windows the disguise took away come back, the game in front.
  for (const QPointer<QWidget>& window : std::exchange(hiddenByDisguise_, {}))
    if (window) window->show();
  raise();
  activateWindow();
}

void TfrmGame::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && !game_.SettingUp()) {
    RunFirstRunActions(this, {game_.Settings().newVersionStart, store_.FirstStart(), LanguageOffset(), setUpCount_});
  }
  if (event->type() != QEvent::WindowStateChange) return;
  const auto* change = static_cast<QWindowStateChangeEvent*>(event);
  const bool wasMinimized = change->oldState().testFlag(Qt::WindowMinimized);
  if (isMinimized() && !wasMinimized) OnMinimize();
  if (!isMinimized() && wasMinimized) OnMaximize();
}

void TfrmGame::OnMinimize() {
  if (!CountDownPaused_) Suspend();
}

void TfrmGame::OnMaximize() {
  if (!Disguised_) return;
  setWindowTitle(ProgramTitle());
  setWindowIcon(QIcon(":/res/Mainicon"));
  ShowCompanionWindows();
  if (CountDownPaused_) Suspend();
}

// --- shutdown ----------------------------------------------------------------

void TfrmGame::closeEvent(QCloseEvent* event) {
  if (!shutDown_ && Settling()) {
    // The move or drop in hand still uses the field and the ramp: the window
    // goes as soon as it has settled.
    event->ignore();
    if (!closeAsked_) RunWhenSettled([this] { CloseWindow(); });
    closeAsked_ = true;
    return;
  }
  Shutdown();
  event->accept();
}

void TfrmGame::CloseWindow() {
  Shutdown();
  close();
}

void TfrmGame::Shutdown() {
  if (shutDown_) return;
  shutDown_ = true;
  deferred_.clear();
  FormDestroy();
  if (countDown_) countDown_->hide();
}

void TfrmGame::FormDestroy() {
  FreeGame();
  SaveWindowPosition();
}

void TfrmGame::SaveWindowPosition() {
  try {
    SettingsBatch batch(store_);
    store_.SaveRegInt(kRootSection, kValueMainLeft, x());
    store_.SaveRegInt(kRootSection, kValueMainTop, y());
    batch.Commit();
  } catch (const std::exception&) {
    // The position is a convenience; a store that cannot be written loses nothing else.
  }
}

}  // namespace pebble::ui

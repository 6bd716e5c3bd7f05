#include "control/ui/tfrm_game.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QWindowStateChangeEvent>
#include <stdexcept>
#include <utility>

#include "config/language.h"
#include "config/settings_model.h"
#include "config/settings_store.h"
#include "config/string_ids.h"
#include "config/string_table.h"
#include "control/field_speech.h"
#include "control/ui/field_view.h"
#include "control/ui/group_preview.h"
#include "control/ui/keyboard_play.h"
#include "control/ui/ramp_view.h"
#include "config/ui/qt_dialogs.h"
#include "control/ui/prompter.h"
#include "control/ui/status_main.h"
#include "control/ui/tool_button.h"
#include "scores/ui/tfrm_count_down.h"
#include "scores/ui/tfrm_stats.h"
#include "scores/ui/tfrm_hints.h"
#include "scores/ui/tfrm_about.h"
#include "config/ui/qt_texts.h"
#include "config/ui/settings_migration.h"
#include "config/ui/tfrm_cfg.h"
#include "control/ui/shell_integration.h"
#include "render/ui/bitmap_resource.h"
#include "render/ui/keyed_image.h"
#include "config/ui/wave_player.h"
#include "config/ui/window_placement.h"

namespace pebble::ui {
namespace {

constexpr const char* kGlyphNames[kToolButtonCount] = {"SB_NEU",  "SB_FILE", "SB_UNDO", "SB_INFO",
                                                       "SB_CFG", "SB_ABOUT", "SB_HELP"};
constexpr int kButtonWidths[kToolButtonCount] = {25, 25, 25, 25, 24, 25, 24};

QImage Resource(const char* name) { return BitmapResourceFor(name, qGuiApp->devicePixelRatio()); }

}  // namespace

TfrmGame::TfrmGame(SettingsStore& store, std::vector<std::string> arguments, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      store_(store),
      session_(store, std::move(arguments)),
      game_(*this),
      sounds_(std::make_unique<WavePlayer>()) {
  setWindowTitle(ProgramTitle());
  setFocusPolicy(Qt::StrongFocus);
  QFont small = font();
  small.setPointSize(8);
  setFont(small);
  BuildWindow();
  move(10, 10);
  zoom_ = ReadZoom();
  rescaleTimer_.setSingleShot(true);
  rescaleTimer_.setInterval(60);
  connect(&rescaleTimer_, &QTimer::timeout, this, &TfrmGame::RescaleField);
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
    EnableCommands();
    MenuPopup()->popup(Button(bttFile)->mapToGlobal(QPoint(0, Button(bttFile)->height() - 2)));
  });
  // A right click on the tool bar opens the same menu, as on most desktops.
  panelTop_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(panelTop_, &QWidget::customContextMenuRequested, this, [this] { OpenCommandMenu(); });

  panelBack_ = new QWidget(this);
  imgMain_ = new FieldView(panelBack_);
  imgRamp_ = new RampView(game_, *this, *imgMain_, gate_, panelBack_);
  keys_ = std::make_unique<KeyboardPlay>(game_, *imgMain_, *imgRamp_);
  preview_ = std::make_unique<GroupPreview>(game_, *imgMain_);
  preview_->windowShown = [this] { return !isMinimized(); };
  preview_->onChange = [this] { ShowPreviewText(); };
  imgMain_->onHover = [this](std::optional<QPoint> at) { PreviewPointer(at); };
  // The field takes the window's focus, so a screen reader follows what it says.
  setFocusProxy(imgMain_);
  // A click, from the mouse or from the keyboard's cursor, goes to the rules
  // through imgMainMouseUp; a press on the ramp through the ramp view.
  imgMain_->onMouseUp = [this](Qt::MouseButton button, QPoint at) {
    altTapped_ = false;
    keys_->HideCursor();
    imgMainMouseUp(button, at);
  };
  imgMain_->onPaint = [this] { imgMainPaint(); };
  imgRamp_->onMouseDown = [this](Qt::MouseButton, QPoint at) {
    keys_->HideCursor();
    imgRamp_->Press(at);
  };
  imgRamp_->beforeDrop = [this] { solver_->CancelAdvice(); };  // a dropped stone changes the field
  imgRamp_->onNewGame = [this] { bttStartClick(); };
  keys_->onClick = [this](QPoint at) { imgMainMouseUp(Qt::LeftButton, at); };
  keys_->onRedo = [this] { Redo(); };
  keys_->onCursorMoved = [this](std::int32_t index) {
    ShowHintsForClick(hints_, *this, store_, game_, index, false);
    preview_->PointAt(index);
    SpeakCursorCell();
  };
  statusMain_ = new StatusMain(this);
  solver_ = new GameSolver(game_, *this, imgMain_->FieldArea(), this);

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

QString TfrmGame::Str(int id) const { return QString::fromStdString(Text(id, LanguageOffset())); }

void TfrmGame::ProcStrings() {
  static constexpr int kHints[kToolButtonCount] = {kNewGameHint, kFilesHint, kUndoHint, kStatsHint,
                                                   kCfgHint,    kAboutHint, kHelpHint};
  UseQtTextsFor(LanguageOffset());
  for (int i = 0; i < kToolButtonCount; ++i) Button(static_cast<ToolButtonId>(i))->setToolTip(Str(kHints[i]));
  ApplyFieldHints();
  // The message on show follows the language like every other text.
  statusMain_->SetPanelText(3, MessageText());
  ProcMenuTexts();
  ProcAccessibleTexts();
  preview_->Refresh();
  ShowPreviewText();
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
  const QPoint at = StoredWindowPosition(store_, kRootSection, kValueMainLeft, kValueMainTop, QPoint(10, 10));
  // A position kept for a screen that is gone would hide the window.
  move(KeepOnScreens(QRect(at, frameGeometry().size())).topLeft());
  windowTag_ = 10;
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

  GameSettings settings = session_.ReadSettings();
  const std::optional<OpenedGame> opened = session_.ReadPendingGame(settings, this, LanguageOffset());
  MakePlayable(settings);
  game_.MutableSettings() = settings;  // texts and sizes below follow the new game's settings
  ProcStrings();
  LoadGlyphs();

  const QImage picture = session_.LoadBackground(settings);
  const FieldSize size = opened ? opened->size : ChooseFieldSize(settings, PixelSize{picture.width(), picture.height()});
  const int rampHeight = settings.autoDrop ? settings.stoneHeight + 2 : 0;
  game_.MutableSettings() = settings;
  SizeWindow(size, rampHeight);
  imgMain_->Prepare(settings, fieldPixels_, picture, ProgramRandom());
  if (!settings.autoDrop) countDown_.reset();

  const std::optional<DealNumber> deal = session_.TakeDeal();
  aided_ = !opened && !deal && settings.clearableDeals;  // a deal sought to be clearable
  if (opened) {
    game_.LoadField(settings, size, opened->cells);
  } else if (solver_->DealField(settings, size, deal, [this, rampHeight] { StartPlay(false, rampHeight); })) {
    // The empty field and the status bar show while the deal is sought.
    imgMain_->show();
    statusMain_->show();
    QApplication::restoreOverrideCursor();
    return;
  }
  StartPlay(opened.has_value(), rampHeight);
  QApplication::restoreOverrideCursor();
}

void TfrmGame::StartPlay(bool opened, int rampHeight) {
  const GameSettings& settings = game_.Settings();
  ShowDealNumber();
  statusMain_->SetLowScore(settings.lowScore, settings.lowScore ? arrowDown_ : arrowUp_);
  ShowCounts();
  ShowMessage(opened ? kMsgOpened : kMsgGoAhead);
  if (!opened && solver_->DealUnproven()) ShowMessage(kMsgDealUnproven);
  if (scaledDown_) ShowMessage(kMsgFieldScaledDown);
  popUpSave_->setEnabled(settings.undoInfo);
  popUpReport_->setEnabled(session_.FileGame());
  imgRamp_->SetUp(rampHeight);
  imgMain_->show();
  imgRamp_->setVisible(settings.autoDrop);
  statusMain_->show();
  CountDownPaused_ = false;
  firstPaintPending_ = settings.autoDrop;
  keys_->Reset();
  game_.SetSettingUp(false);
  SpeakCursorCell();
  solver_->StartDealSearch();
  DrawWholeField();
}

void TfrmGame::FreeGame() {
  try {
    solver_->ForgetGame();
    session_.Forget();
    fieldHintsOn_ = true;
    ApplyFieldHints();
    Button(bttUndo)->setEnabled(false);
    popUpSave_->setEnabled(false);
    popUpReport_->setEnabled(false);
    imgRamp_->SetDropTimerEnabled(false);
    if (countDown_) countDown_->StopCountDown();
    imgRamp_->Free();
    imgMain_->Free();
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
  if (button != Qt::RightButton) solver_->CancelAdvice();  // a right click only asks about a stone
  const MouseButton which = button == Qt::RightButton ? MouseButton::Right
                            : button == Qt::MiddleButton ? MouseButton::Middle
                                                         : MouseButton::Left;
  const Field& field = game_.GetField();
  const std::int32_t cell = field.HoldsPixel(at.x(), at.y()) ? field.CellAtPixel(at.x(), at.y()) : -1;
  // What the move will take, told once it is made.
  const std::int32_t taken = which == MouseButton::Left && cell >= 0 ? static_cast<std::int32_t>(game_.MoveCells(cell).size()) : 0;
  const QString what = taken > 0 ? QString::fromStdString(CellWhat(game_, cell, LanguageOffset())) : QString();
  const std::int32_t leftBefore = game_.Counters().StonesLeft;
  preview_->Clear();
  gate_.Settle([&] { game_.imgMainMouseUp(which, at.x(), at.y()); });
  if (taken > 0 && game_.Counters().StonesLeft != leftBefore) SpeakMove(what, taken);
  preview_->Refresh();
}

// --- undo --------------------------------------------------------------------

void TfrmGame::PlayHistory() { RunHistory(QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier)); }

void TfrmGame::RunHistory(bool restart) {
  RunWhenSettled([this, restart] {
    if (!game_.CanUndo()) {
      Button(bttUndo)->setEnabled(false);
      return;
    }
    solver_->CancelAdvice();
    if (!game_.GameRunning()) {
      if (!CurrentPrompter().WarningYesNo(this, Str(kCheatAlarm) + "\n\r" + Str(kProceed))) return;
      game_.SetGameRunning(true);
      solver_->GameResumed();
      if (game_.Settings().autoDrop && countDown_) countDown_->ContinueCountDown();
    }
    try {
      ShowMessageNow(restart ? kMsgRestoring : kMsgUndoing);
      QApplication::setOverrideCursor(Qt::WaitCursor);
      if (restart) {
        game_.RestartGame();
        if (Ramp* ramp = imgRamp_->GetRamp()) ramp->EmptyRamp();
      } else {
        game_.UndoLastMove();
      }
      if (game_.Settings().soundsOn) PlaySound(sounds::Undo);
      ShowCounts();
      ClearMessage();
      DrawWholeField();
      SpeakCursorCell();
      QApplication::restoreOverrideCursor();
    } catch (const std::exception&) {
      QApplication::restoreOverrideCursor();
      CurrentPrompter().Error(this, Str(kUndoFailed));
      std::exit(1);
    }
  });
}

// --- disguise, minimise and restore --------------------------------

void TfrmGame::DisguiseWindow() {
  preview_->Clear();
  disguise_.PutOn();
  if (!CountDownPaused_) Suspend();
}

void TfrmGame::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange) altTapped_ = false;  // Alt+Tab: the release goes elsewhere
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
  if (!disguise_.TakeOff()) return;
  if (CountDownPaused_) Suspend();
}

// --- shutdown ----------------------------------------------------------------

void TfrmGame::closeEvent(QCloseEvent* event) {
  if (!gate_.CloseNowOrLater([this] { CloseWindow(); })) {
    event->ignore();
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
  if (!gate_.ShutDown()) return;
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

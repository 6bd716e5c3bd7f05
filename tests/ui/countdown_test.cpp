// The count-down clock and its digit cells: ticks, the time-out (also in the
// middle of a move), pause and resume, placement, and which cells a change
// repaints. Ticks are driven directly; no test waits a real second.

#include <QDir>
#include <QPaintEvent>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "config/registry_file_backend.h"
#include "config/settings_store.h"
#include "config/string_ids.h"
#include "config/string_table.h"
#include "scores/ui/tfrm_count_down.h"

using namespace pebble;
using namespace pebble::ui;

namespace {

// Each picture one flat colour, so rendered cells tell which picture they show.
QColor PictureColor(std::size_t picture) { return QColor::fromHsv(static_cast<int>(picture) * 30, 200, 200).toRgb(); }

DigitPictures FlatPictures() {
  DigitPictures pictures;
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    pictures[i] = QImage(kDigitCellWidth, kDigitCellHeight, QImage::Format_RGB32);
    pictures[i].fill(PictureColor(i));
  }
  return pictures;
}

// The main window as the count-down sees it; every call is recorded.
class RecordingHost : public CountDownHost {
 public:
  GameSettings settings;
  bool running = true;
  bool paused = false;
  bool moving = false;
  bool dropTimer = false;
  bool boardVisible = true;
  int setUpCount = 1;
  int message = -1;
  std::vector<std::string> calls;
  std::deque<std::function<void()>> waiting;

  RecordingHost() { settings.autoDrop = true; }

  const GameSettings& Settings() const override { return settings; }
  bool GameRunning() const override { return running; }
  void ClearGameRunning() override { running = false; }
  int SetUpCount() const override { return setUpCount; }
  bool CountDownPaused() const override { return paused; }
  void SetCountDownPaused(bool p) override { paused = p; }
  void RunWhenSettled(std::function<void()> command) override {
    if (!moving) return command();
    waiting.push_back(std::move(command));
  }
  void SetDropTimerEnabled(bool enabled) override { dropTimer = enabled; }
  void ShowBoardAndRamp(bool visible) override { boardVisible = visible; }
  void ShowMessage(int id) override { message = id; }
  void ClearMessage() override { message = -1; }
  void DisableUndo() override { calls.push_back("undo off"); }
  void PlaySound(std::string_view name) override { calls.push_back(std::string(name)); }
  void RecordCurrentResult() override { calls.push_back("record"); }
  QRect MainWindowFrame() const override { return {10, 10, 220, 400}; }

  // The move is over: the window runs what waited for it.
  void SettleMove() {
    moving = false;
    while (!waiting.empty()) {
      auto command = std::move(waiting.front());
      waiting.pop_front();
      command();
    }
  }
};

const std::vector<std::string> kTimeOutCalls = {"undo off", "SND_END", "record"};

class StoreFolder {
 public:
  StoreFolder()
      : store(std::make_unique<FileRegistryBackend>(HiveFiles{(dir.path() + "/user.reg").toStdString(),
                                                              (dir.path() + "/machine.reg").toStdString()}),
              kPebbledromeProgRoot) {}
  QTemporaryDir dir;
  SettingsStore store;
};

// Catches the areas a widget is asked to repaint.
class PaintSpy : public QObject {
 public:
  explicit PaintSpy(QWidget* widget) { widget->installEventFilter(this); }
  QRegion painted;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
    return false;
  }
};

// The digit cells a region covers, counted from 1 at the left.
std::vector<int> CellsIn(const QRegion& region, int digits) {
  std::vector<int> cells;
  for (int c = 1; c <= digits; ++c) {
    if (region.intersects(QRect((c - 1) * kDigitCellWidth, 0, kDigitCellWidth, kDigitCellHeight))) cells.push_back(c);
  }
  return cells;
}

}  // namespace

class CountDownTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<StoreFolder> folder_;
  std::unique_ptr<RecordingHost> host_;
  std::unique_ptr<TfrmCountDown> clock_;

  TfrmCountDown& Started(int playTime = 90) {
    host_->settings.playTime = playTime;
    clock_ = std::make_unique<TfrmCountDown>(*host_, folder_->store, FlatPictures());
    clock_->StartCountDown();
    return *clock_;
  }

  void TickDownTo(TfrmCountDown& clock, int value) {
    while (clock.Digit()->Value() > value) clock.TimerCDTimer();
  }

 private slots:
  void initTestCase() { Q_INIT_RESOURCE(pebbledrome); }

  void init() {
    clock_.reset();
    folder_ = std::make_unique<StoreFolder>();
    host_ = std::make_unique<RecordingHost>();
  }
  void cleanup() {
    clock_.reset();
    host_.reset();
    folder_.reset();
  }

  void startShowsThePlayTimeAndRunsBothTimers() {
    TfrmCountDown& clock = Started(90);
    QVERIFY(clock.TimerCD().isActive());
    QCOMPARE(clock.TimerCD().interval(), 1000);
    QVERIFY(host_->dropTimer);
    QVERIFY(clock.Digit()->DisplayOn());
    QCOMPARE(clock.Digit()->Shown(), std::string("   90"));
  }

  void ninetySecondsEndTheGameOnTheNinetiethTick() {
    for (bool sounds : {true, false}) {
      init();
      host_->settings.soundsOn = sounds;
      TfrmCountDown& clock = Started(90);
      clock.TimerCDTimer();
      QCOMPARE(clock.Digit()->Value(), 89);
      for (int tick = 2; tick <= 89; ++tick) clock.TimerCDTimer();
      QCOMPARE(clock.Digit()->Value(), 1);
      QVERIFY(host_->running);
      QVERIFY(host_->calls.empty());

      clock.TimerCDTimer();
      QCOMPARE(clock.Digit()->Shown(), std::string("    0"));
      QVERIFY(!host_->running);
      QVERIFY(!clock.TimerCD().isActive());
      QVERIFY(!host_->dropTimer);
      QCOMPARE(host_->message, kMsgTimeIsUp);
      const std::vector<std::string> expected =
          sounds ? kTimeOutCalls : std::vector<std::string>{"undo off", "record"};
      QCOMPARE(host_->calls, expected);
    }
  }

  void aTickOutsideAutoDropOnlyStopsTheClock() {
    TfrmCountDown& clock = Started(90);
    host_->settings.autoDrop = false;
    clock.TimerCDTimer();
    QVERIFY(!clock.TimerCD().isActive());
    QCOMPARE(clock.Digit()->Value(), 90);
    QVERIFY(host_->running);
  }

  void aTickLeftOverFromTheGameBeforeDoesNotCountForTheNewOne() {
    TfrmCountDown& clock = Started(90);
    TickDownTo(clock, 1);
    host_->setUpCount = 2;  // a new game, not yet painted
    clock.TimerCDTimer();
    QCOMPARE(clock.Digit()->Value(), 1);
    QVERIFY(host_->running);
    QVERIFY(host_->calls.empty());
    QVERIFY(!clock.TimerCD().isActive());
    clock.StartCountDown();  // its first paint
    QCOMPARE(clock.Digit()->Value(), 90);
    clock.TimerCDTimer();
    QCOMPARE(clock.Digit()->Value(), 89);
  }

  void pauseFreezesBothTimersAndHidesTheBoard() {
    TfrmCountDown& clock = Started(90);
    clock.TimerCDTimer();
    clock.Suspend();
    QVERIFY(host_->paused);
    QVERIFY(!clock.TimerCD().isActive());
    QVERIFY(!host_->dropTimer);
    QVERIFY(!host_->boardVisible);
    QCOMPARE(host_->message, kMsgSuspended);

    clock.Suspend();
    QVERIFY(!host_->paused);
    QVERIFY(clock.TimerCD().isActive());
    QVERIFY(host_->dropTimer);
    QVERIFY(host_->boardVisible);
    QCOMPARE(host_->message, -1);
    QCOMPARE(clock.Digit()->Value(), 89);  // resumed where it stood
  }

  void suspendDoesNothingOnceTheGameIsOver() {
    TfrmCountDown& clock = Started(3);
    TickDownTo(clock, 0);
    host_->message = -1;
    clock.Suspend();
    QVERIFY(!host_->paused);
    QVERIFY(host_->boardVisible);
    QVERIFY(!clock.TimerCD().isActive());
    QCOMPARE(host_->message, -1);
  }

  void aClickOnTheWindowOrOnTheDigitsPauses() {
    TfrmCountDown& clock = Started(90);
    clock.show();
    QVERIFY(QTest::qWaitForWindowExposed(&clock));
    QTest::mouseClick(&clock, Qt::LeftButton, {}, QPoint(4, 4));  // the black margin
    QVERIFY(host_->paused);
    QTest::mouseClick(clock.Digit(), Qt::LeftButton, {}, QPoint(30, 14));
    QVERIFY(!host_->paused);  // one click, one toggle
    QTest::mouseClick(clock.Digit(), Qt::LeftButton, {}, QPoint(30, 14));
    QVERIFY(host_->paused);
  }

  void undoAfterTheEndContinuesFromWhereTheClockStopped() {
    TfrmCountDown& clock = Started(90);
    TickDownTo(clock, 40);
    clock.StopCountDown();  // the last move ended the game
    host_->running = true;  // undo confirmed
    clock.ContinueCountDown();
    QVERIFY(clock.TimerCD().isActive());
    QVERIFY(host_->dropTimer);
    clock.TimerCDTimer();
    QCOMPARE(clock.Digit()->Value(), 39);
  }

  // The time running out while a move is still falling ends the game only
  // after the move has settled, once, and never the game after it.
  void aTimeOutDuringAMoveWaitsForTheMove() {
    struct Case {
      const char* name;
      bool moveEndsGame;
      bool newGameFirst;
      bool windowReleased;
      std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"the move leaves the game running", false, false, false, kTimeOutCalls},
        {"the move ends the game itself", true, false, false, {}},
        {"a new game was started meanwhile", false, true, false, {}},
        {"the clock was released meanwhile", false, false, true, {}},
    };
    for (const Case& c : cases) {
      init();
      TfrmCountDown& clock = Started(2);
      clock.TimerCDTimer();
      host_->moving = true;
      clock.TimerCDTimer();
      QVERIFY2(host_->calls.empty(), c.name);
      QVERIFY2(host_->running, c.name);
      QVERIFY2(!clock.TimerCD().isActive() && !host_->dropTimer, c.name);  // clock and ramp stand still
      clock.Suspend();                                                       // no pause once the time is up
      QVERIFY2(!host_->paused, c.name);
      QCOMPARE(host_->waiting.size(), std::size_t{1});

      if (c.moveEndsGame) host_->running = false;
      if (c.newGameFirst) host_->setUpCount = 2;
      if (c.windowReleased) clock_.reset();
      host_->SettleMove();
      QVERIFY2(host_->calls == c.expected, c.name);
      QCOMPARE(host_->running, !c.expected.empty() ? false : !c.moveEndsGame);
    }
  }

  void theWindowIsABlackToolWindowWithTheSuspendHint() {
    host_->settings.languageOffset = kFrenchOffset;
    TfrmCountDown& clock = Started(90);
    QCOMPARE(clock.windowTitle(), QString("Count down"));
    QVERIFY(clock.windowFlags() & Qt::Tool);
    QCOMPARE(clock.size(), QSize(90, 48));
    QCOMPARE(clock.Digit()->geometry(), QRect(10, 10, 70, 28));
    QCOMPARE(clock.toolTip().toStdString(), Text(kSuspendHint, kFrenchOffset));
    host_->settings.languageOffset = kEnglishOffset;
    clock.ProcStrings();
    QCOMPARE(clock.toolTip().toStdString(), Text(kSuspendHint, kEnglishOffset));

    clock.show();
    QVERIFY(QTest::qWaitForWindowExposed(&clock));
    const QImage shot = clock.grab().toImage();
    QCOMPARE(shot.pixel(3, 3), QColor(Qt::black).rgb());
    QCOMPARE(shot.pixel(86, 44), QColor(Qt::black).rgb());
    QCOMPARE(shot.pixel(10 + 3 * 14 + 7, 24), PictureColor(9).rgb());  // "   90"
    QCOMPARE(shot.pixel(10 + 4 * 14 + 7, 24), PictureColor(0).rgb());
    QCOMPARE(shot.pixel(10 + 7, 24), PictureColor(kBlankPicture).rgb());
  }

  void theWindowComesBackWhereThePlayerLeftIt() {
    {
      TfrmCountDown& clock = Started(90);
      QCOMPARE(clock.pos(), QPoint(10 + 220 + 10, 10));  // beside the main window, frame and all
      clock.show();
      QVERIFY(QTest::qWaitForWindowExposed(&clock));
      QCOMPARE(clock.frameGeometry().topLeft(), QPoint(10 + 220 + 10, 10));  // its title bar on the screen
      clock.move(300, 200);
      clock.close();
      QVERIFY(clock.TimerCD().isActive());  // closing only hides it
    }
    QCOMPARE(folder_->store.ReadRegInt("CountDown", "Links", -1), clock_->x());
    QCOMPARE(folder_->store.ReadRegInt("CountDown", "Oben", -1), clock_->y());
    const QPoint left = clock_->pos();
    folder_->store.SaveRegInt("CountDown", "Breite", 500);  // size is the clock's own
    clock_ = std::make_unique<TfrmCountDown>(*host_, folder_->store, FlatPictures());
    QCOMPARE(clock_->pos(), left);
    QCOMPARE(clock_->size(), QSize(90, 48));
  }

  void toggleCreatesTheClockHiddenThenReleasesIt() {
    std::unique_ptr<TfrmCountDown> clock;
    ToggleCountDown(clock, *host_, folder_->store);
    QVERIFY(clock != nullptr);
    QVERIFY(!clock->isVisible());
    QVERIFY(!clock->TimerCD().isActive());
    ToggleCountDown(clock, *host_, folder_->store);
    QVERIFY(clock == nullptr);
  }

  // --- the digit cells ------------------------------------------------------

  void cellsShowTheLastDigitsOfTheAbsoluteValue() {
    struct Case {
      int digits;
      std::int32_t value;
      std::string shown;
    };
    const std::vector<Case> cases = {
        {5, 90, "   90"},        {5, 0, "    0"},         {5, -42, "   42"},
        {5, 1234567, "34567"},   {3, 99999, "999"},       {1, 57, "7"},
        {10, -2147483647 - 1, "2147483648"},               {10, 2147483647, "2147483647"},
    };
    for (const Case& c : cases) {
      TDigit digit(nullptr, FlatPictures());
      digit.SetDigits(c.digits);
      digit.SetValue(c.value);
      QCOMPARE(digit.Shown(), c.shown);
      QCOMPARE(digit.size(), QSize(c.digits * 14, 28));
    }
  }

  void digitCountsOutsideOneToTenAreIgnored() {
    TDigit digit(nullptr, FlatPictures());
    QCOMPARE(digit.Digits(), 10);
    digit.SetDigits(4);
    for (int wrong : {0, -1, 11, 100}) {
      digit.SetDigits(wrong);
      QCOMPARE(digit.Digits(), 4);
      QCOMPARE(digit.size(), QSize(56, 28));
    }
  }

  void displayOffBlanksEveryCellAndOnShowsTheValueAtOnce() {
    TDigit digit(nullptr, FlatPictures());
    digit.SetDigits(5);
    digit.SetValue(123);
    digit.SetDisplayOn(false);
    QCOMPARE(digit.Shown(), std::string("     "));
    digit.SetValue(456);  // kept, not shown
    QCOMPARE(digit.Shown(), std::string("     "));
    digit.SetDisplayOn(true);
    QCOMPARE(digit.Shown(), std::string("  456"));
  }

  void aChangeRepaintsOnlyTheCellsThatChanged() {
    struct Case {
      std::int32_t from, to;
      std::vector<int> cells;
    };
    const std::vector<Case> cases = {
        {90, 89, {4, 5}}, {89, 88, {5}}, {100, 99, {3, 4, 5}}, {10, 9, {4, 5}}, {7, 7, {}}, {-5, 5, {}},
    };
    TDigit digit(nullptr, FlatPictures());
    digit.SetDigits(5);
    digit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&digit));
    PaintSpy spy(&digit);
    for (const Case& c : cases) {
      digit.SetValue(c.from);
      QCoreApplication::processEvents();
      spy.painted = QRegion();
      digit.SetValue(c.to);
      QCoreApplication::processEvents();
      QCOMPARE(CellsIn(spy.painted, 5), c.cells);
    }
    const QImage shot = digit.grab().toImage();
    QCOMPARE(shot.pixel(4 * 14 + 7, 14), PictureColor(5).rgb());
    QCOMPARE(shot.pixel(3 * 14 + 7, 14), PictureColor(kBlankPicture).rgb());
  }

};

QTEST_MAIN(CountDownTest)
#include "countdown_test.moc"

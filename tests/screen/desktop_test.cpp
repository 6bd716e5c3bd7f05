// The real program as a player starts it, watched from outside the process
// through the X server: the size of its window for a table of settings, and
// what the disguise (Escape) takes off the screen and what a restore brings
// back.

#include <QProcess>
#include <QtTest>
#include <memory>

#include "config/language.h"
#include "player_home.h"
#include "x_window.h"

using namespace pebble;
using namespace pebble::testing;

namespace {

constexpr int kToolBarHeight = 33, kStatusBarHeight = 19;

// The client size a field of columns x rows stones of width x height asks for:
// the field one pixel wider and taller than its stones, the tool bar, the
// status bar, 2 pixels more, and in auto-drop mode the ramp of height + 2.
QSize MainWindowSize(int columns, int rows, int width, int height, bool autoDrop) {
  const int field = rows * height + 1;
  const int ramp = autoDrop ? height + 2 : 0;
  return {columns * width + 1, field + kToolBarHeight + kStatusBarHeight + ramp + 2};
}

}  // namespace

class DesktopTest : public QObject {
  Q_OBJECT

  std::unique_ptr<PlayerHome> home_;
  std::unique_ptr<QProcess> game_;

  // The game in English, past the first start of its version, without sounds.
  void StartGame(const QStringList& options) {
    home_ = std::make_unique<PlayerHome>(kLanguageCodeEnglish);
    game_ = std::make_unique<QProcess>();
    game_->setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    game_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    game_->start(qEnvironmentVariable("PEBBLE_GAME"), options);
    QVERIFY2(game_->waitForStarted(), "the game did not start");
  }

  // The icon name, the older icon name, the class a desktop matches to a
  // menu entry, and the icon.
  static QStringList NamesATaskBarShows(XWindowId window) {
    QStringList names;
    for (const char* property : {"_NET_WM_ICON_NAME", "WM_ICON_NAME", "WM_CLASS"}) names << PropertyText(window, property);
    return names << IconPixels(window);
  }

  // The window of the running game that the window system calls `title`.
  // Patient: a sanitized build on a busy machine takes seconds to open one.
  XWindowId WindowTitled(const QString& title) {
    XWindowId found = 0;
    (void)QTest::qWaitFor(
        [&] {
          for (XWindowId window : VisibleWindowsOf(game_->processId()))
            if (WindowName(window) == title) found = window;
          return found != 0;
        },
        30000);
    return found;
  }

 private slots:
  void cleanup() {
    if (game_) {
      game_->kill();
      game_->waitForFinished();
    }
    game_.reset();
    home_.reset();
  }

  void theWindowHasTheSizeOfItsField_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QSize>("size");
    QTest::newRow("default") << QStringList{} << MainWindowSize(10, 16, 20, 21, false);
    QTest::newRow("12 x 20, not fitted to the picture")
        << QStringList{"columns:12", "rows:20", "resize:no"} << MainWindowSize(12, 20, 20, 21, false);
    QTest::newRow("auto-drop") << QStringList{"autodrop:yes"} << MainWindowSize(10, 16, 20, 21, true);
    QTest::newRow("small stones, grey, not fitted")
        << QStringList{"stowi:12", "stohi:14", "columns:15", "backpic:gray", "resize:no"} << MainWindowSize(15, 16, 12, 14, false);
  }

  void theWindowHasTheSizeOfItsField() {
    QFETCH(QStringList, options);
    QFETCH(QSize, size);
    StartGame(options);
    const XWindowId main = WindowTitled("Pebbledrome!");
    QVERIFY(main);
    QTRY_COMPARE(ClientSize(main), size);
  }

  void theDisguiseTakesEveryWindowAwayAndTheRestoreBringsBackThoseShown() {
    StartGame({"autodrop:yes"});
    const XWindowId main = WindowTitled("Pebbledrome!");
    const XWindowId clock = WindowTitled("Count down");
    QVERIFY(main && clock);
    QTRY_VERIFY_WITH_TIMEOUT(WmState(main) == "Normal", 30000);  // keys typed before it is managed are lost
    PressKeys(main, {"i"});
    const XWindowId stats = WindowTitled("Statistics");
    PressKeys(main, {"h"});
    const XWindowId hints = WindowTitled("Hints");
    PressKeys(main, {"a"});
    const XWindowId about = WindowTitled("About Pebbledrome!");
    QVERIFY(stats && hints && about);
    PressKeys(about, {"Escape"});  // the about window is closed again before the disguise
    QTRY_VERIFY(!IsOnScreen(about));

    const QStringList gameNames = NamesATaskBarShows(main);
    QVERIFY(gameNames[2].contains("pebbledrome"));
    PressKeys(main, {"Escape"});
    QTRY_COMPARE(WmState(main), QString("Iconic"));
    QCOMPARE(WindowName(main), QString("Microsoft Word - Document 1"));
    QTRY_VERIFY(VisibleWindowsOf(game_->processId()).isEmpty());
    // Nothing a task bar, a pager or a window switcher shows names the game.
    const QStringList disguise = NamesATaskBarShows(main);
    QCOMPARE(disguise.mid(0, 3), (QStringList{"\"Microsoft Word - Document 1\"", "\"Microsoft Word - Document 1\"",
                                               "\"winword.exe\", \"winword.exe\""}));
    QVERIFY(!disguise[3].isEmpty() && disguise[3] != gameNames[3]);  // another icon

    Activate(main);
    QTRY_COMPARE(WmState(main), QString("Normal"));
    QCOMPARE(WindowName(main), QString("Pebbledrome!"));
    const QStringList restored = NamesATaskBarShows(main);
    QCOMPARE(restored.mid(0, 2), (QStringList{"\"Pebbledrome!\"", "\"Pebbledrome!\""}));
    QCOMPARE(restored.mid(2), gameNames.mid(2));
    for (XWindowId window : {main, clock, stats, hints}) QTRY_VERIFY(IsOnScreen(window));
    QVERIFY(!IsOnScreen(about));
    QCOMPARE(VisibleWindowsOf(game_->processId()).size(), 4);
  }
};

QTEST_GUILESS_MAIN(DesktopTest)
#include "desktop_test.moc"

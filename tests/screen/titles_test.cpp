// Every window of the game, started the way the program starts, carries its
// own caption on screen — the title the window system holds, as a task bar
// shows it — in German, English and French. (The disguise's title is watched
// from outside the real program, in desktop_test.)

#include <QApplication>
#include <QFile>
#include <QInputDialog>
#include <QTextDocument>
#include <QtTest>
#include <memory>

#include "config/string_ids.h"
#include "config/string_table.h"
#include "config/ui/qt_dialogs.h"
#include "config/ui/tfrm_sel_colors.h"
#include "control/shell_help.h"
#include "control/ui/help_window.h"
#include "control/ui/program_start.h"
#include "player_home.h"
#include "scores/ui/tfrm_add_address.h"
#include "scores/ui/tfrm_count_down.h"
#include "scores/ui/tfrm_report.h"
#include "scores/ui/tfrm_stats.h"
#include "x_window.h"

using namespace pebble;
using namespace pebble::ui;
using namespace pebble::testing;

namespace {

QString Str(int id, int offset) { return QString::fromStdString(Text(id, offset)); }

// The help window names the page it shows; the page's own title, read from the help itself.
QString HelpPageTitle(int topic) {
  QFile page(":/help/" + QString::fromStdString(HelpPagePath(topic)));
  if (!page.open(QIODevice::ReadOnly)) return {};
  QTextDocument document;
  document.setHtml(QString::fromUtf8(page.readAll()));
  return document.metaInformation(QTextDocument::DocumentTitle);
}

QWidget* VisibleWindowOfClass(const QString& className) {
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->isVisible() && QString(window->metaObject()->className()).endsWith(className)) return window;
  return nullptr;
}

// Waits until the window system holds a title for the window and returns it.
QString TitleOnScreen(QWidget* window) {
  const XWindowId id = window->winId();
  QString title;
  if (!QTest::qWaitFor([&] { return !(title = WindowName(id)).isEmpty(); }, 5000)) return {};
  return title;
}

}  // namespace

class TitlesTest : public QObject {
  Q_OBJECT

  std::unique_ptr<PlayerHome> home_;

  // The program as it starts, in the language of `offset`.
  RunningProgram Start(int offset, const QStringList& options) {
    home_ = std::make_unique<PlayerHome>(offset);
    RunningProgram program = StartProgram(QStringList{"pebbledrome"} + options);
    if (!QTest::qWaitForWindowExposed(program.game.get())) qWarning("the main window never came up");
    return program;
  }

 private slots:
  void cleanup() {
    for (QWidget* window : QApplication::topLevelWidgets()) window->hide();
    home_.reset();
  }

  void everyWindowShowsItsCaptionAlone_data() {
    QTest::addColumn<int>("offset");
    QTest::newRow("German") << kGermanOffset;
    QTest::newRow("English") << kEnglishOffset;
    QTest::newRow("French") << kFrenchOffset;
  }

  void everyWindowShowsItsCaptionAlone() {
    QFETCH(int, offset);
    RunningProgram program = Start(offset, {"autodrop:yes"});
    TfrmGame& game = *program.game;
    QTRY_VERIFY(game.CountDown() && game.CountDown()->isVisible());
    game.bttInfoClick();
    game.ShowHints();
    game.bttAboutClick();
    game.bttCfgClick();
    game.bttHelpClick();
    TfrmSelColors colors(game, &game);
    colors.show();
    TfrmReport report(offset, &game);
    report.show();
    TfrmAddAddress history(*program.store, offset, &game);
    history.show();
    const auto notice = MakeMessageBox(&game, QMessageBox::Information, Str(kNothingToShow, offset), QMessageBox::Ok);
    notice->show();
    const auto nameQuery = MakeTextQuery(&game, Str(kRecordCaption, offset), Str(kRecordPrompt, offset), QString(), 255);
    nameQuery->show();

    const QList<std::pair<QString, QString>> expected = {
        {"TfrmGame", "Pebbledrome!"},
        {"TfrmCountDown", "Count down"},
        {"TfrmStats", Str(kStatsCaption, offset)},
        {"TfrmHints", Str(kHintsCaption, offset)},
        {"TfrmAbout", Str(kAboutCaption, offset)},
        {"TfrmCfg", Str(kCfgCaption, offset)},
        {"TfrmHelp", "Pebbledrome! – " + HelpPageTitle(offset)},
        {"TfrmSelColors", Str(kChooseColors, offset)},
        {"TfrmReport", Str(kReportCaption, offset)},
        {"TfrmAddAddress", Str(kHistoryCaption, offset)},
        {"QMessageBox", "Pebbledrome!"},
        {"QInputDialog", Str(kRecordCaption, offset)},
    };
    for (const auto& [className, title] : expected) {
      QWidget* window = className == "TfrmHelp" ? CurrentHelpWindow() : VisibleWindowOfClass(className);
      QVERIFY2(window && window->isVisible(), qPrintable(className + " is not on screen"));
      QCOMPARE(TitleOnScreen(window), title);
    }
  }

  // What the field does not need comes right after its first paint: the
  // task bar's icon and the statistics (which then follow every new game).
  void theIconAndTheStatisticsFollowTheFirstPaint() {
    RunningProgram program = Start(kEnglishOffset, {});
    TfrmGame& game = *program.game;
    QTRY_VERIFY(game.Stats() != nullptr);
    QTRY_VERIFY(HasIcon(game.winId()));
    game.bttInfoClick();
    QTRY_VERIFY(HasIcon(game.Stats()->winId()));
  }
};

int main(int argc, char** argv) {
  Q_INIT_RESOURCE(pebbledrome);
  QApplication app(argc, argv);
  TitlesTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "titles_test.moc"

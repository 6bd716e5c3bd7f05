// The game on the desktop, in a private HOME and private XDG folders: the L key
// made twice, the files the desktop reads (checked with the desktop's own
// tools), a ".clk" file opened through the desktop's handler, the first-run
// actions on activation after a version change, and the help at its topics.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QImage>
#include <memory>
#include <optional>

#include "config/game_settings.h"
#include "config/settings_model.h"
#include "config/settings_store.h"
#include "config/string_ids.h"
#include "config/string_table.h"
#include "control/shell.h"
#include "control/shell_help.h"
#include "control/ui/help_window.h"
#include "support/scripted_prompter.h"
#include "control/ui/shell_integration.h"

using namespace pebble;
using namespace pebble::ui;

namespace {

// A main window that runs the first-run actions whenever it becomes active.
class ActivatedWindow : public QWidget {
 public:
  FirstRunFacts facts;
  int activations = 0;

 protected:
  void changeEvent(QEvent* event) override {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow()) return;
    ++activations;
    RunFirstRunActions(this, facts);
  }
};

QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
}

QString ReadText(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Runs a desktop tool and waits for it; empty when it is not installed.
std::optional<int> RunTool(const QString& tool, const QStringList& arguments, QString* output = nullptr) {
  const QString path = QStandardPaths::findExecutable(tool);
  if (path.isEmpty()) return std::nullopt;
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(path, arguments);
  if (!process.waitForFinished(30000)) return -1;
  if (output) *output = QString::fromUtf8(process.readAll());
  return process.exitCode();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

}  // namespace

class ShellTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir root_;
  testing::ScriptedPrompter prompter_;

  QString Path(const QString& relative) const { return root_.filePath(relative); }
  QString Desktop() const { return Path("home/Schreibtisch"); }
  QString Data() const { return Path("data"); }

  // A store in the private config folder, as the game opens it at start-up.
  FirstRunFacts FactsOfFirstGame() {
    auto store = MakeDefaultSettingsStore();
    store->SetProgRoot(kPebbledromeProgRoot);
    GameSettings settings;
    LoadSettings(*store, settings);
    return {settings.newVersionStart, store->FirstStart(), kEnglishOffset, 1};
  }

  void StoreVersion(int version) {
    auto store = MakeDefaultSettingsStore(kPebbledromeProgRoot);
    store->SaveRegInt("", kValueVersion, version);
  }

 private slots:
  void initTestCase() {
    Q_INIT_RESOURCE(pebbledrome);
    QVERIFY(root_.isValid());
    qputenv("HOME", Path("home").toUtf8());
    qputenv("XDG_DATA_HOME", Data().toUtf8());
    qputenv("XDG_CONFIG_HOME", Path("config").toUtf8());
    qputenv("XDG_CONFIG_DIRS", Path("etc").toUtf8());
    qputenv("XDG_CACHE_HOME", Path("cache").toUtf8());
    qunsetenv("XDG_DESKTOP_DIR");
    // The desktop folder as xdg-user-dirs names it, here a German one.
    WriteFile(Path("config/user-dirs.dirs"), "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n");
    prompter_.answerYes = false;
    SetPrompter(&prompter_);
  }

  void cleanupTestCase() { SetPrompter(nullptr); }

  void init() {
    QVERIFY(WaitForDesktopRefresh(30000));
    QDir(Data()).removeRecursively();
    QDir(Path("config/pebbledrome")).removeRecursively();
    QDir(Desktop()).removeRecursively();
    QDir().mkpath(Desktop());
    prompter_.errors.clear();
    if (TfrmHelp* help = CurrentHelpWindow()) help->hide();
  }

  void desktopFolderIsTheOneXdgUserDirsNames() { QCOMPARE(QString::fromStdString(GetDesktopFolder()), Desktop()); }

  void lKeyTwiceLeavesOneShortcutAndOneRegistration() {
    QWidget window;
    MakeShortcutAndRegister(&window, kGermanOffset);
    MakeShortcutAndRegister(&window, kGermanOffset);
    QCOMPARE(prompter_.errors, QStringList());
    QCOMPARE(Entries(Desktop()), QStringList{"Pebbledrome.desktop"});
    QCOMPARE(Entries(Data() + "/mime/packages"), QStringList{"pebbledrome-game.xml"});
    QCOMPARE(Entries(Data() + "/applications").filter(".desktop"), QStringList{"pebbledrome.desktop"});

    const QString shortcut = ReadText(Desktop() + "/Pebbledrome.desktop");
    const QString program = QString::fromStdString(ProgramPath());
    QVERIFY(shortcut.contains("\nName=Pebbledrome\n"));
    QVERIFY(shortcut.contains("\nComment=" + QString::fromStdString(Text(kShortcutDescription, kGermanOffset)) + "\n"));
    QVERIFY(shortcut.contains("\nExec=" + program + "\n"));  // no arguments
    QVERIFY(shortcut.contains("\nPath=" + QFileInfo(program).path() + "/\n"));
    QVERIFY(QFileInfo(Desktop() + "/Pebbledrome.desktop").isExecutable());
    QVERIFY(ReadText(Data() + "/applications/pebbledrome.desktop").contains("\nExec=" + program + " %f\n"));
    for (const QString& icon : {"48x48/apps/pebbledrome.png", "256x256/mimetypes/application-x-pebbledrome-game.png"}) {
      QVERIFY2(!QImage(Data() + "/icons/hicolor/" + icon).isNull(), qPrintable(icon));
    }
  }

  void desktopToolsAcceptTheFiles() {
    QWidget window;
    MakeShortcutAndRegister(&window, kFrenchOffset);
    QVERIFY(WaitForDesktopRefresh(30000));
    QString report;
    for (const QString& entry : {Desktop() + "/Pebbledrome.desktop", Data() + "/applications/pebbledrome.desktop"}) {
      const auto valid = RunTool("desktop-file-validate", {entry}, &report);
      if (!valid) QSKIP("desktop-file-validate is not installed");
      QVERIFY2(*valid == 0 && report.isEmpty(), qPrintable(entry + ": " + report));
    }
    const auto built = RunTool("update-mime-database", {Data() + "/mime"}, &report);
    if (!built) QSKIP("update-mime-database is not installed");
    QCOMPARE(*built, 0);
    QVERIFY2(!report.contains("rror"), qPrintable(report));
    QVERIFY(ReadText(Data() + "/mime/globs2").contains("application/x-pebbledrome-game:*.clk"));
  }

  // What the package installs passes the desktop's own checks.
  void packagedFilesAreValid() {
    const QString packaging =
        QFileInfo(qEnvironmentVariable("PEBBLE_TEST_DATA")).dir().filePath("../packaging");
    QVERIFY2(QFile::exists(packaging + "/pebbledrome.desktop"), qPrintable(packaging));
    QString report;
    if (const auto valid = RunTool("desktop-file-validate", {packaging + "/pebbledrome.desktop"}, &report)) {
      QVERIFY2(*valid == 0 && report.isEmpty(), qPrintable(report));
    }
    const QStringList metainfo = QDir(packaging).entryList({"*.metainfo.xml"});
    QCOMPARE(metainfo.size(), 1);
    if (const auto valid = RunTool("appstreamcli", {"validate", "--no-net", packaging + "/" + metainfo[0]}, &report)) {
      QVERIFY2(*valid == 0, qPrintable(report));
    }
    const QString mime = Path("packaged-mime");
    QDir().mkpath(mime + "/packages");
    QVERIFY(QFile::copy(packaging + "/pebbledrome-game.xml", mime + "/packages/pebbledrome-game.xml"));
    if (const auto built = RunTool("update-mime-database", {mime}, &report)) {
      QCOMPARE(*built, 0);
      QVERIFY(ReadText(mime + "/globs2").contains("application/x-pebbledrome-game:*.clk"));
    }
  }

  void databasesAreRefreshedWithoutWaiting() {
    if (QStandardPaths::findExecutable("update-mime-database").isEmpty() ||
        QStandardPaths::findExecutable("update-desktop-database").isEmpty()) {
      QSKIP("the desktop's database tools are not installed");
    }
    RegisterSavedGameType();
    RegisterSavedGameType();  // asked again while the first round runs
    QTRY_VERIFY_WITH_TIMEOUT(ReadText(Data() + "/mime/globs2").contains("*.clk"), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(
        ReadText(Data() + "/applications/mimeinfo.cache").contains("application/x-pebbledrome-game=pebbledrome.desktop"),
        20000);
    QVERIFY(WaitForDesktopRefresh(30000));
  }

  void openingAGameFileStartsTheProgramWithIt_data() {
    QTest::addColumn<QString>("game");
    QTest::newRow("plain") << "game.clk";
    QTest::newRow("blanks and umlauts") << "Mein schönes Spiel.clk";
    QTest::newRow("capital extension") << "OLD GAME.CLK";
  }

  // The desktop's own handler (gio open) starts the registered program; a
  // stand-in in an awkward folder records the arguments it was given.
  void openingAGameFileStartsTheProgramWithIt() {
    QFETCH(QString, game);
    const QString gio = QStandardPaths::findExecutable("gio");
    if (gio.isEmpty() || QStandardPaths::findExecutable("update-mime-database").isEmpty()) {
      QSKIP("gio or update-mime-database is not installed");
    }
    const QString standIn = Path("bin \"dir\" $x/pebbledrome");
    const QString record = Path("arguments.txt");
    QFile::remove(record);
    WriteFile(standIn, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$PEBBLE_RECORD\"\n");
    QFile(standIn).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString gamePath = Path("home/" + game);
    WriteFile(gamePath, QByteArray("\x14\0\0\0Pebbledrome_Saved_40", 24));

    RegisterSavedGameType(standIn.toStdString());
    QVERIFY(WaitForDesktopRefresh(30000));

    QProcess open;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("PEBBLE_RECORD", record);
    // No session bus, no display, no virtual file systems: gio starts the
    // handler itself and leaves no helpers behind.
    environment.remove("DBUS_SESSION_BUS_ADDRESS");
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.insert("GIO_USE_VFS", "local");
    open.setProcessEnvironment(environment);
    open.setProcessChannelMode(QProcess::MergedChannels);
    open.start(gio, {"open", gamePath});
    QVERIFY(open.waitForFinished(30000));
    QVERIFY2(open.exitCode() == 0, open.readAll().constData());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(ReadText(record), gamePath + "\n", 5000);
  }

  void unreachableDesktopIsReportedInTheGamesLanguageAndNothingRegistered() {
    QDir(Desktop()).removeRecursively();
    QWidget window;
    for (int offset : {kGermanOffset, kEnglishOffset, kFrenchOffset}) {
      prompter_.errors.clear();
      MakeShortcutAndRegister(&window, offset);
      QCOMPARE(prompter_.errors,
               QStringList{QString::fromStdString(FormatText(kDesktopUnreachable, offset, {Desktop().toStdString()}))});
    }
    QVERIFY(prompter_.errors[0].startsWith(QStringLiteral("Le dossier de bureau")));
    QVERIFY(!QDir(Desktop()).exists());
    QVERIFY(!QFile::exists(Data() + "/mime/packages/pebbledrome-game.xml"));
    QVERIFY(!QFile::exists(Data() + "/applications/pebbledrome.desktop"));

    // The first-run actions, which run unasked, stay quiet about it.
    prompter_.errors.clear();
    QWidget other;
    RunFirstRunActions(&other, {true, true, kEnglishOffset, 1});
    QCOMPARE(prompter_.errors, QStringList());
  }

  void firstRunActionsOnActivation_data() {
    QTest::addColumn<int>("storedVersion");  // 0: nothing stored at all
    QTest::addColumn<bool>("firstStart");
    QTest::addColumn<bool>("helpShown");
    QTest::addColumn<bool>("shortcutMade");
    QTest::newRow("very first start") << 0 << true << false << true;
    QTest::newRow("update from an older version") << 40 << false << true << true;
    QTest::newRow("same version") << kSettingsVersion << false << false << false;
  }

  void firstRunActionsOnActivation() {
    QFETCH(int, storedVersion);
    QFETCH(bool, firstStart);
    QFETCH(bool, helpShown);
    QFETCH(bool, shortcutMade);
    if (storedVersion != 0) StoreVersion(storedVersion);

    ActivatedWindow window;
    window.facts = FactsOfFirstGame();
    QCOMPARE(window.facts.firstStart, firstStart);
    window.show();
    window.activateWindow();
    QTRY_COMPARE(window.activations, 1);  // the help, when it opens, takes the focus at once

    TfrmHelp* help = CurrentHelpWindow();
    QCOMPARE(help && help->isVisible(), helpShown);
    if (helpShown) QCOMPARE(help->Topic(), kEnglishOffset + kHelpWhatsNewTopic);
    QCOMPARE(QFile::exists(Desktop() + "/Pebbledrome.desktop"), shortcutMade);
    QCOMPARE(QFile::exists(Data() + "/mime/packages/pebbledrome-game.xml"), shortcutMade);
    if (!helpShown) return;

    // Closing the help gives the game the focus back: the help stays closed,
    // while the shortcut, deleted meanwhile, is made again.
    help->close();
    QFile::remove(Desktop() + "/Pebbledrome.desktop");
    window.activateWindow();
    QTRY_COMPARE(window.activations, 2);
    QVERIFY(window.isActiveWindow());
    QVERIFY(!help->isVisible());
    QVERIFY(QFile::exists(Desktop() + "/Pebbledrome.desktop"));
  }

  void secondGameOfTheRunHasNoFirstRunActions() {
    StoreVersion(40);
    QCOMPARE(FactsOfFirstGame().newVersionStart, true);
    ActivatedWindow window;
    window.facts = FactsOfFirstGame();  // the next game's set-up finds the version stored
    window.facts.gameNumber = 2;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(!QFile::exists(Desktop() + "/Pebbledrome.desktop"));
    QVERIFY(!CurrentHelpWindow() || !CurrentHelpWindow()->isVisible());
  }
};

QTEST_MAIN(ShellTest)
#include "shell_test.moc"

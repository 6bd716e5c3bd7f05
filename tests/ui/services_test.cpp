// The services around the windows, with real widgets: window placement kept
// in the store, sounds by file or by name, and the message when older
// settings cannot be moved over.

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include "config/store_fixture.h"
#include "config/settings_model.h"
#include "config/ui/settings_migration.h"
#include "config/ui/wave_player.h"
#include "config/ui/window_placement.h"
#include "support/scripted_prompter.h"

namespace pebble {
namespace {

class RecordingSink final : public SoundSink {
 public:
  explicit RecordingSink(std::vector<QUrl>& played, bool answer = true) : played_(played), answer_(answer) {}
  bool Play(const QUrl& source) override {
    played_.push_back(source);
    return answer_;
  }

 private:
  std::vector<QUrl>& played_;
  bool answer_;
};

// A window that stores its placement whenever it moves or changes size.
class SelfSavingWindow final : public QWidget {
 public:
  explicit SelfSavingWindow(WindowPlacement& placement) : placement_(placement) {
    setObjectName(QStringLiteral("frmHints"));
  }
  int saves = 0;

 protected:
  void moveEvent(QMoveEvent*) override { Save(); }
  void resizeEvent(QResizeEvent*) override { Save(); }

 private:
  void Save() {
    ++saves;
    placement_.saveWindowPos(*this);
  }
  WindowPlacement& placement_;
};

}  // namespace

}  // namespace pebble

using namespace pebble;

class ServicesTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::TempConfigDirs> dirs_;
  std::unique_ptr<SettingsStore> store_;
  std::unique_ptr<WindowPlacement> placement_;
  test::RecordingBackend* recorder_ = nullptr;

 private slots:
  void init() {
    dirs_ = std::make_unique<test::TempConfigDirs>();
    auto recorder = std::make_unique<test::RecordingBackend>(std::make_unique<FileRegistryBackend>(XdgHiveFiles()));
    recorder_ = recorder.get();
    store_ = std::make_unique<SettingsStore>(std::move(recorder), kPebbledromeProgRoot);
    placement_ = std::make_unique<WindowPlacement>(*store_);
  }
  void cleanup() {
    placement_.reset();
    store_.reset();
    dirs_.reset();
  }

  void placementRoundTrip() {
    QWidget window;
    window.setObjectName(QStringLiteral("frmHints"));
    window.show();
    window.move(120, 130);  // left and top are the frame's, the size the client area's
    window.resize(300, 200);
    placement_->saveWindowPos(window);
    QCOMPARE(store_->ReadRegInt("Hints", "Links", 0), 120);
    QCOMPARE(store_->ReadRegInt("Hints", "Oben", 0), 130);
    QCOMPARE(store_->ReadRegInt("Hints", "Breite", 0), 300);
    QCOMPARE(store_->ReadRegInt("Hints", "Höhe", 0), 200);

    QWidget again;
    again.setObjectName(QStringLiteral("frmHints"));
    placement_->setWindowPos(again, QRect(1, 2, 3, 4));
    QCOMPARE(QRect(again.pos(), again.size()), QRect(120, 130, 300, 200));

    QWidget other;  // named without the prefix: its full name is the section
    other.setObjectName(QStringLiteral("Report"));
    other.setGeometry(40, 50, 200, 100);
    placement_->saveWindowPos(other);
    QCOMPARE(store_->ReadRegInt("Report", "Links", 0), 40);
  }

  void placementDefaultsWhenNothingIsStored() {
    QWidget window;
    window.setObjectName(QStringLiteral("frmCountDown"));
    placement_->setWindowPos(window, QRect(50, 60, 210, 110));
    QCOMPARE(window.geometry(), QRect(50, 60, 210, 110));
    QVERIFY(recorder_->writes.empty());

    window.resize(100, 90);
    store_->SaveRegInt("CountDown", "Links", 70);
    placement_->setWindowPosOnly(window, QRect(5, 6, 0, 0));
    QCOMPARE(window.geometry(), QRect(70, 6, 100, 90));
  }

  void nothingIsSavedForAMinimisedOrMaximisedWindow() {
    QWidget window;
    window.setObjectName(QStringLiteral("frmHints"));
    window.showMaximized();
    placement_->saveWindowPos(window);
    window.showMinimized();
    placement_->saveWindowPos(window);
    QVERIFY(recorder_->writes.empty());
    window.showNormal();
    placement_->saveWindowPos(window);
    QCOMPARE(recorder_->writes.size(), size_t{4});
  }

  void aRestoreDoesNotWriteBack() {
    SelfSavingWindow window(*placement_);
    window.setGeometry(10, 10, 100, 100);
    window.show();
    QCoreApplication::processEvents();
    store_->RemoveKey("Hints");
    store_->SaveRegInt("Hints", "Links", 33);
    store_->SaveRegInt("Hints", "Breite", 250);
    recorder_->writes.clear();
    window.saves = 0;

    placement_->setWindowPos(window, QRect(10, 20, 150, 160));
    QVERIFY(!placement_->restoringPlacement());
    QCoreApplication::processEvents();  // the window system reports the change later

    QVERIFY(window.saves > 0);           // the restore did move the window ...
    QVERIFY(recorder_->writes.empty());  // ... and wrote nothing back
    QCOMPARE(QRect(window.pos(), window.size()), QRect(33, 20, 250, 160));

    window.move(44, 20);  // the player moves it
    QCoreApplication::processEvents();
    QCOMPARE(store_->ReadRegInt("Hints", "Links", 0), 44);
    QCOMPARE(store_->ReadRegInt("Hints", "Höhe", 0), 160);
  }

  void aPlacementOffEveryScreenIsBroughtBack() {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    store_->SaveRegInt("Hints", "Links", screen.right() + 5000);
    store_->SaveRegInt("Hints", "Oben", -3000);
    QWidget window;
    window.setObjectName(QStringLiteral("frmHints"));
    placement_->setWindowPos(window, QRect(0, 0, 200, 150));
    QVERIFY2(screen.contains(window.geometry()), qPrintable(QStringLiteral("%1,%2").arg(window.x()).arg(window.y())));
    QCOMPARE(window.size(), QSize(200, 150));

    store_->SaveRegInt("Hints", "Links", screen.left() + 20);  // reachable: used as stored
    store_->SaveRegInt("Hints", "Oben", screen.top() + 30);
    placement_->setWindowPos(window, QRect(0, 0, 200, 150));
    QCOMPARE(window.pos(), QPoint(screen.left() + 20, screen.top() + 30));
  }

  // A damaged or hostile settings file may hold any number, up to the limits
  // of a 32-bit value: the window still lands on a screen in a size it can show.
  void aPlacementNearTheIntegerLimitLandsOnAScreen() {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const int stored : {0x7fffffff, -0x7fffffff - 1}) {
      for (const char* name : {"Links", "Oben", "Breite", "Höhe"}) store_->SaveRegInt("Hints", name, stored);
      QWidget window;
      window.setObjectName(QStringLiteral("frmHints"));
      placement_->setWindowPos(window, QRect(0, 0, 200, 150));
      QVERIFY2(window.width() <= kPlacementLimit && window.height() <= kPlacementLimit,
               qPrintable(QStringLiteral("%1 x %2").arg(window.width()).arg(window.height())));
      QVERIFY2(screen.contains(window.pos()), qPrintable(QStringLiteral("%1,%2").arg(window.x()).arg(window.y())));
      placement_->setWindowPosOnly(window, QRect(0, 0, 0, 0));
      QVERIFY(screen.contains(window.pos()));
    }
    store_->SaveRegInt(kRootSection, kValueMainLeft, 0x7fffffff);
    QCOMPARE(StoredWindowPosition(*store_, kRootSection, kValueMainLeft, kValueMainTop, QPoint(10, 10)),
             QPoint(kPlacementLimit, 10));
  }

  void playWavePlaysFilesAndBuiltInSounds() {
    const QString folder = QString::fromStdString(dirs_->Root().string()) + QStringLiteral("/");
    for (const char* name : {"SND_HIT", "klang.WAV", "leise.wav"}) {
      QFile file(folder + QString::fromLatin1(name));
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write("RIFF");
    }
    std::vector<QUrl> played;
    WavePlayer player(folder);  // the folder stands in for the built-in sounds
    QVERIFY(!player.HasSink());
    QVERIFY(!player.PlayWave(QStringLiteral("SND_NOSUCH")));
    QVERIFY2(!player.HasSink(), "nothing to play opens no audio output");
    player.SetSink(std::make_unique<RecordingSink>(played));

    struct Case {
      QString name;
      QString file;  // empty: nothing plays
    };
    const Case cases[] = {
        {QStringLiteral("SND_HIT"), folder + QStringLiteral("SND_HIT")},
        {QStringLiteral("snd_hit"), folder + QStringLiteral("SND_HIT")},
        {folder + QStringLiteral("klang.WAV"), folder + QStringLiteral("klang.WAV")},
        {folder + QStringLiteral("leise.wav"), folder + QStringLiteral("leise.wav")},
        {folder + QStringLiteral("fehlt.wav"), QString()},
        {folder + QStringLiteral("SND_HIT.wav"), QString()},  // a file name, and no such file
        {QStringLiteral("klang"), QString()},                 // a name, and no such sound
        {QString(), QString()},
    };
    for (const auto& c : cases) {
      played.clear();
      QCOMPARE(player.PlayWave(c.name), !c.file.isEmpty());
      if (c.file.isEmpty()) {
        QVERIFY2(played.empty(), qPrintable(c.name));
      } else {
        QCOMPARE(played.size(), size_t{1});
        QCOMPARE(played[0], QUrl::fromLocalFile(c.file));
      }
    }

    player.SetSink(std::make_unique<RecordingSink>(played, false));
    QVERIFY2(!player.PlayWave(QStringLiteral("SND_HIT")), "the sink's answer is the result");
  }

  // Without an audio device this shows only that sounds can be asked for one
  // after another without harm; with one, the second replaces the first.
  void thePlatformSinkTakesSoundAfterSound() {
    const auto folder = dirs_->Root();
    for (const char* name : {"eins.wav", "zwei.wav"}) {
      QByteArray wave("RIFF");
      const quint32 samples = 1100;
      auto put32 = [&](quint32 v) { for (int i = 0; i < 4; ++i) wave.append(char(v >> (8 * i))); };
      auto put16 = [&](quint16 v) { wave.append(char(v)); wave.append(char(v >> 8)); };
      put32(36 + samples);
      wave.append("WAVEfmt ");
      put32(16); put16(1); put16(1); put32(11025); put32(11025); put16(1); put16(8);
      wave.append("data");
      put32(samples);
      for (quint32 i = 0; i < samples; ++i) wave.append(char(128 + ((i / 10) % 2 ? 40 : -40)));
      QFile file(QString::fromStdString((folder / name).string()));
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(wave);
    }
    auto sink = MakePlatformSoundSink();
    sink->Play(QUrl::fromLocalFile(QString::fromStdString((folder / "eins.wav").string())));
    sink->Play(QUrl::fromLocalFile(QString::fromStdString((folder / "zwei.wav").string())));
    sink->Play(QUrl::fromLocalFile(QString::fromStdString((folder / "eins.wav").string())));
    QTest::qWait(50);
  }

  void theGamesSoundsAreBuiltIn() {
    if (!QFile::exists(QStringLiteral(":/res/SND_HIT"))) QSKIP("the sound resources are not built in yet");
    for (const char* name : {"SND_DROP", "SND_END", "SND_EXPLODE", "SND_HIT", "SND_HITANI", "SND_MISSILE",
                             "SND_NOHIT", "SND_UNDO", "SND_WON"}) {
      QCOMPARE(WaveSource(QString::fromLatin1(name)), QUrl(QStringLiteral("qrc:/res/") + QString::fromLatin1(name)));
    }
    std::vector<QUrl> played;
    WavePlayer player;
    player.SetSink(std::make_unique<RecordingSink>(played));
    QVERIFY(player.PlayWave(QStringLiteral("SND_UNDO")));
    QCOMPARE(played.size(), size_t{1});
  }

  void aFailedMigrationIsToldOnceAndASuccessfulOneSilently() {
    testing::InstalledPrompter prompter;
    test::WriteText(dirs_->MachineFile(),
                    "Windows Registry Editor Version 5.00\n\n"
                    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Varnex-Soft\\Pebbledrome]\n\"Version\"=dword:00000028\n");
    std::filesystem::create_directories(dirs_->UserFile().string() + ".tmp");  // the copy cannot be stored
    ui::MigrateOlderSettings(*store_, nullptr);
    QCOMPARE(prompter.said, QStringList({QStringLiteral("error: Error while copying the registry information.")}));

    prompter.said.clear();
    std::filesystem::remove(dirs_->UserFile().string() + ".tmp");
    ui::MigrateOlderSettings(*store_, nullptr);
    QVERIFY(prompter.said.isEmpty());
    QCOMPARE(store_->ReadRegInt("", "Version", 0), 40);
    ui::MigrateOlderSettings(*store_, nullptr);  // nothing left to do
    QVERIFY(prompter.said.isEmpty());
  }
};

QTEST_MAIN(ServicesTest)
#include "services_test.moc"

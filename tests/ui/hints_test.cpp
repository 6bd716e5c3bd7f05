// The hints window with real widgets on the offscreen platform: what it tells
// about each kind of cell, the greyed points of low-score mode, the
// instruction, the click step of the field, placement and language changes.

#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "config/registry_file_backend.h"
#include "config/settings_store.h"
#include "config/string_ids.h"
#include "config/string_table.h"
#include "engine/engine_fixture.h"
#include "scores/ui/tfrm_hints.h"

using namespace pebble;
using namespace pebble::ui;
using pebble::testing::GameOn;

namespace {

// Every kind of cell once:
//   a group of three a, a lone b, a bomb whose 3 x 3 block is full, rockets
//   down, right and left, an empty cell and a rock.
const std::vector<std::string> kField = {
    "aaabc",
    "deBfg",
    "hiDjL",
    "lRm.X",
};

struct Row {
  QString title, art, size, points;
};

GameSettings Settings(bool lowScore, int languageOffset = kEnglishOffset) {
  GameSettings settings = pebble::testing::QuietSettings();
  settings.actionsOn = true;
  settings.lowScore = lowScore;
  settings.languageOffset = languageOffset;
  return settings;
}

class StoreFolder {
 public:
  StoreFolder()
      : store(std::make_unique<FileRegistryBackend>(HiveFiles{(dir.path() + "/user.reg").toStdString(),
                                                              (dir.path() + "/machine.reg").toStdString()}),
              kPebbledromeProgRoot) {}
  QTemporaryDir dir;
  SettingsStore store;
};

QString English(int id) { return QString::fromStdString(Text(id, kEnglishOffset)); }

}  // namespace

class HintsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<StoreFolder> folder_;
  std::unique_ptr<QWidget> main_;
  std::unique_ptr<TfrmHints> hints_;

  QLabel* Label(const char* name) const { return hints_->findChild<QLabel*>(QString::fromLatin1(name)); }
  Row Shown() const {
    return {Label("lblTit1")->text(), Label("lblArt")->text(), Label("lblSize")->text(), Label("lblPoints")->text()};
  }
  void MakeHints(int languageOffset = kEnglishOffset) {
    hints_ = std::make_unique<TfrmHints>(folder_->store, main_->frameGeometry(), languageOffset);
  }

 private slots:
  void init() {
    folder_ = std::make_unique<StoreFolder>();
    main_ = std::make_unique<QWidget>();
    main_->setGeometry(20, 30, 220, 400);
    hints_.reset();
  }
  void cleanup() {
    hints_.reset();
    main_.reset();
    folder_.reset();
  }

  void everyKindOfCell_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("art");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("points");
    QTest::newRow("group of three") << 1 << "Tile # 2" << "normal" << "3" << "4";
    QTest::newRow("lone stone") << 3 << "Tile # 4" << "normal" << "1" << "0";
    QTest::newRow("bomb, full block") << 7 << "Tile # 8" << "bomb" << "9" << "58";
    QTest::newRow("rocket down") << 12 << "Tile # 13" << "missile" << "2" << "2";
    QTest::newRow("rocket left, whole row") << 14 << "Tile # 15" << "missile" << "5" << "14";
    QTest::newRow("rocket right, over a gap") << 16 << "Tile # 17" << "missile" << "3" << "4";
    QTest::newRow("rock") << 19 << "Tile # 20" << "rock" << "0" << "0";
    QTest::newRow("empty cell") << 18 << "" << "background" << "" << "";
  }
  void everyKindOfCell() {
    QFETCH(int, index);
    GameOn on(kField, Settings(false));
    const std::vector<TStoneCell> before = on.game.GetField().Cells();
    MakeHints();
    hints_->ShowStoneInfo(on.game, index);
    const Row shown = Shown();
    QTEST(shown.title, "title");
    QTEST(shown.art, "art");
    QTEST(shown.size, "size");
    QTEST(shown.points, "points");
    QCOMPARE(Label("lblTit2")->text().isEmpty(), shown.size.isEmpty());
    QCOMPARE(Label("lblTit3")->text().isEmpty(), shown.points.isEmpty());
    QCOMPARE(hints_->ShownIndex(), index);
    // Counting the group leaves every stone as it was.
    QVERIFY(on.game.GetField().Cells() == before);
  }

  void groupSizeWalksWholeGroupsOnly() {
    // A ring of a round an island of b: the walk goes all the way round and
    // does not jump the gap to the a beyond it.
    GameOn on({"aaaa.a",
               "abba.a",
               "aaaa.a"});
    QCOMPARE(HintGroupSize(on.game, 0), 10);
    QCOMPARE(HintGroupSize(on.game, 7), 2);
    QCOMPARE(HintGroupSize(on.game, 5), 3);
    QCOMPARE(HintGroupSize(on.game, 4), 0);
  }

  void pointsRowGreyedButFilledInLowScoreMode() {
    for (const bool lowScore : {true, false}) {
      GameOn on(kField, Settings(lowScore));
      MakeHints();
      hints_->ShowStoneInfo(on.game, 1);
      QCOMPARE(Label("lblTit3")->isEnabled(), !lowScore);
      QCOMPARE(Label("lblPoints")->isEnabled(), !lowScore);
      QCOMPARE(Label("lblTit3")->text(), English(kPointsLabel));
      QCOMPARE(Label("lblPoints")->text(), QStringLiteral("4"));
      QVERIFY(Label("lblTit2")->isEnabled());
      QVERIFY(Label("lblSize")->isEnabled());
    }
  }

  void instructionReplacesRowsUntilNextRightClick() {
    GameOn on(kField, Settings(false));
    std::unique_ptr<TfrmHints>& hints = hints_;
    ShowHintsForClick(hints, *main_, folder_->store, on.game, 1, true);
    QCOMPARE(hints_->toolTip(), English(kHintsInstruction));
    QVERIFY(!Label("lblInfo")->isVisible());

    OpenHintsByCommand(hints, *main_, folder_->store, kEnglishOffset);
    QVERIFY(hints_->isVisible());
    QVERIFY(hints_->InstructionShown());
    QVERIFY(Label("lblInfo")->isVisible());
    QCOMPARE(Label("lblInfo")->text(), English(kHintsInstruction));
    QVERIFY(hints_->toolTip().isEmpty());
    for (const char* name : {"lblTit1", "lblTit2", "lblTit3", "lblArt", "lblSize", "lblPoints"}) {
      QVERIFY2(Label(name)->text().isEmpty(), name);
    }

    ShowHintsForClick(hints, *main_, folder_->store, on.game, 3, true);
    QVERIFY(!hints_->InstructionShown());
    QVERIFY(!Label("lblInfo")->isVisible());
    QCOMPARE(Shown().size, QStringLiteral("1"));
    QCOMPARE(hints_->toolTip(), English(kHintsInstruction));
  }

  void rightClickShowsWindowAndKeepsMainWindowInFront() {
    GameOn on(kField, Settings(false));
    main_->show();
    main_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main_.get()));

    // Other clicks touch no window that is not there or not visible.
    ShowHintsForClick(hints_, *main_, folder_->store, on.game, 1, false);
    QVERIFY(!hints_);

    ShowHintsForClick(hints_, *main_, folder_->store, on.game, 1, true);
    QVERIFY(hints_);
    QVERIFY(hints_->isVisible());
    QCOMPARE(Shown().size, QStringLiteral("3"));
    QTest::qWait(20);
    QCOMPARE(QApplication::activeWindow(), main_.get());

    // While visible, every click refreshes it.
    ShowHintsForClick(hints_, *main_, folder_->store, on.game, 7, false);
    QCOMPARE(Shown().art, QStringLiteral("bomb"));

    hints_->close();
    QVERIFY(!hints_->isVisible());
    ShowHintsForClick(hints_, *main_, folder_->store, on.game, 3, false);
    QCOMPARE(Shown().art, QStringLiteral("bomb"));
    QCOMPARE(hints_->ShownIndex(), 7);
  }

  void placementBesideMainWindowThenAsLeft() {
    MakeHints();
    QCOMPARE(hints_->x(), main_->frameGeometry().right() + 1 + TfrmHints::kGapToMainWindow);
    QCOMPARE(hints_->y(), TfrmHints::kDefaultTop);
    // The classic size is the least it gets; what the texts need comes first.
    QVERIFY(hints_->width() >= 131);
    QVERIFY(hints_->height() >= 64);

    hints_->show();
    const QRect moved(300, 200, 180, 90);
    hints_->move(moved.topLeft());  // the frame's corner, as the player drags it
    hints_->resize(moved.size());
    hints_->close();
    QCOMPARE(folder_->store.ReadRegInt("Hints", "Links", -1), moved.x());
    QCOMPARE(folder_->store.ReadRegInt("Hints", "Oben", -1), moved.y());
    QCOMPARE(folder_->store.ReadRegInt("Hints", "Breite", -1), moved.width());
    QCOMPARE(folder_->store.ReadRegInt("Hints", "Höhe", -1), moved.height());

    hints_.reset();
    MakeHints();
    QCOMPARE(QRect(hints_->pos(), hints_->size()), moved);

    // Still open when the program ends: the place is kept all the same.
    hints_->show();
    hints_->move(340, 220);
    hints_.reset();
    QCOMPARE(folder_->store.ReadRegInt("Hints", "Links", -1), 340);
    QCOMPARE(folder_->store.ReadRegInt("Hints", "Oben", -1), 220);
  }

  void languageChangeRedrawsWhatIsShown() {
    GameOn on(kField, Settings(false, kGermanOffset));
    MakeHints(kGermanOffset);
    hints_->ShowStoneInfo(on.game, 7);
    QCOMPARE(Shown().art, QStringLiteral("Bombe"));
    QCOMPARE(hints_->windowTitle(), QStringLiteral("Hinweise"));

    on.game.MutableSettings().languageOffset = kFrenchOffset;
    hints_->LanguageChanged(on.game);
    QCOMPARE(hints_->windowTitle(), QStringLiteral("Indices"));
    QCOMPARE(Shown().art, QStringLiteral("bombe"));
    QCOMPARE(Shown().title, QString::fromUtf8("Pierre n° 8"));
    QCOMPARE(Shown().points, QStringLiteral("58"));

    // The instruction stays the instruction, in the new language.
    OpenHintsByCommand(hints_, *main_, folder_->store, kFrenchOffset);
    on.game.MutableSettings().languageOffset = kEnglishOffset;
    hints_->LanguageChanged(on.game);
    QVERIFY(hints_->InstructionShown());
    QCOMPARE(Label("lblInfo")->text(), English(kHintsInstruction));
  }

  void cellOfAnEarlierLargerFieldShowsInstruction() {
    GameOn big(kField, Settings(false));
    MakeHints();
    hints_->ShowStoneInfo(big.game, 19);
    GameOn small({"ab", "ba"}, Settings(false));
    hints_->LanguageChanged(small.game);
    QVERIFY(hints_->InstructionShown());
    QCOMPARE(hints_->ShownIndex(), 0);
  }
};

QTEST_MAIN(HintsTest)
#include "hints_test.moc"

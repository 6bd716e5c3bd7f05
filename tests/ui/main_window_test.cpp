// The main window with real widgets on the offscreen platform: real clicks at
// pixel positions, keys, the status bar, the tool bar and the window position.

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "config/settings_model.h"
#include "config/settings_store.h"
#include "config/string_ids.h"
#include "config/string_table.h"
#include "control/ui/key_table.h"
#include "control/ui/paint_box.h"
#include "control/ui/prompter.h"
#include "control/ui/status_main.h"
#include "control/ui/tfrm_game.h"
#include "control/ui/tool_button.h"
#include "scores/ui/t_digit.h"
#include "scores/ui/tfrm_count_down.h"
#include "support/rules_replay.h"
#include "support/save_shot.h"
#include "ui/window_fixture.h"

using namespace pebble;
using namespace pebble::ui;
using namespace pebble::testing;

namespace {

// Renders the window for a look by eye when PEBBLE_SHOTS names a folder.
// A key press as the platform reports it: the key's xkb keycode on X11 and
// Wayland, its virtual-key code on Windows.
struct PressedKey {
  int key;
  QString text;
  quint32 xkbKeycode;
  quint32 virtualKey;
};

std::unique_ptr<QKeyEvent> Press(const PressedKey& k) {
#ifdef _WIN32
  return std::make_unique<QKeyEvent>(QEvent::KeyPress, k.key, Qt::NoModifier, 0, k.virtualKey, 0, k.text);
#else
  return std::make_unique<QKeyEvent>(QEvent::KeyPress, k.key, Qt::NoModifier, k.xkbKeycode, 0, 0, k.text);
#endif
}

// The key marked N on a Russian keyboard types the Cyrillic te.
const PressedKey kCyrillicTeOnN{0x0422, QStringLiteral("\u0442"), 57, 'N'};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> home_;
  std::unique_ptr<SettingsStore> store_;
  ScriptedPrompter prompter_;

  std::unique_ptr<TfrmGame> Open(std::vector<std::string> arguments) { return OpenWindow(*store_, std::move(arguments)); }

  void FastAnimations() { AnimationsOf(*store_, 5); }

 private slots:
  void init() {
    home_ = std::make_unique<QTemporaryDir>();
    store_ = StoreInHome(*home_);
    prompter_ = ScriptedPrompter();
    SetPrompter(&prompter_);
    ProgramRandom().SetFixedSeed(20261210);
  }

  void cleanup() {
    SetPrompter(nullptr);
    store_.reset();
    home_.reset();
  }

  void aClickRemovesAGroupAndTheFieldShowsIt() {
    auto w = Open({"animations:no", "sounds:no"});
    const Field& field = w->GetGame().GetField();
    const std::int32_t target = FirstMovable(field);
    QVERIFY(target >= 0);
    const std::int32_t before = field.Counters().StonesLeft;
    const std::int32_t group = w->GetGame().GroupSize(target);
    QTest::mouseClick(w->imgMain(), Qt::LeftButton, {}, CellCentre(field, target));
    QCOMPARE(field.Counters().StonesLeft, before - group);
    QCOMPARE(w->statusMain()->PanelText(1), QString::number(before - group));
    const QImage& surface = w->imgMain()->Painter().Surface();
    const QImage& background = w->imgMain()->Painter().BackgroundBitmap();
    for (std::int32_t i = 0; i < field.Size(); ++i) {
      if (field[i].Occupied) continue;
      const QPoint at = CellCentre(field, i);
      QCOMPARE(surface.pixel(at), background.pixel(at));
    }
  }

  void clicksDuringAnAnimationReplayInOrderOnTheFieldOfTheirTime() {
    FastAnimations();
    auto w = Open({"sounds:no"});
    Game& game = w->GetGame();
    const Field start = game.GetField();
    std::vector<QPoint> clicks{CellCentre(start, FirstMovable(start))};
    for (std::int32_t i : {start.Size() - 1, start.Size() - 5, start.Size() / 2}) clicks.push_back(CellCentre(start, i));
    std::size_t queuedDuringAnimation = 0;
    QTimer::singleShot(1, w.get(), [&] {
      QVERIFY(game.Busy());
      for (std::size_t c = 1; c < clicks.size(); ++c) QTest::mouseClick(w->imgMain(), Qt::LeftButton, {}, clicks[c]);
      queuedDuringAnimation = game.PendingClicks().size();
    });
    QTest::mouseClick(w->imgMain(), Qt::LeftButton, {}, clicks[0]);
    QCOMPARE(queuedDuringAnimation, std::size_t{3});
    QVERIFY(game.PendingClicks().empty());

    RulesReplay rules(game, start.Cells());
    for (const QPoint& p : clicks) rules.ClickAt(p.x(), p.y());
    QCOMPARE(game.GetField().Cells(), rules.game.GetField().Cells());
  }

  void aNewGameAsked_duringAMoveStartsAfterIt() {
    FastAnimations();
    auto w = Open({"sounds:no"});
    const int games = w->SetUpCount();
    int gamesDuringMove = -1;
    QTimer::singleShot(1, w.get(), [&] {
      QTest::keyClick(w.get(), Qt::Key_N);
      gamesDuringMove = w->SetUpCount();
    });
    const Field& field = w->GetGame().GetField();
    QTest::mouseClick(w->imgMain(), Qt::LeftButton, {}, CellCentre(field, FirstMovable(field)));
    QCOMPARE(gamesDuringMove, games);
    QCOMPARE(w->SetUpCount(), games + 1);
    QCOMPARE(w->GetGame().Counters().StonesLeft, w->GetGame().Counters().CellCount);
  }

  // Letters count by the key's Latin letter when the layout types another
  // alphabet; a typed Latin letter counts as typed (a German Z is on the US
  // Y key); keys without a letter pass unchanged.
  void letterKeysOnEveryLayout_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<uint>("xkbKeycode");
    QTest::addColumn<uint>("virtualKey");
    QTest::addColumn<int>("expected");
    const auto row = [](const char* name, PressedKey k, int expected) {
      QTest::newRow(name) << k.key << k.text << uint(k.xkbKeycode) << uint(k.virtualKey) << expected;
    };
    row("Cyrillic te on the N key", kCyrillicTeOnN, Qt::Key_N);
    row("Greek nu on the N key", {0x039D, QStringLiteral("\u03BD"), 57, 'N'}, Qt::Key_N);
    row("Cyrillic ya on the Z key", {0x042F, QStringLiteral("\u044F"), 52, 'Z'}, Qt::Key_Z);
    row("Cyrillic ze on the P key", {0x0417, QStringLiteral("\u0437"), 33, 'P'}, Qt::Key_P);
    row("Cyrillic i on the B key", {0x0418, QStringLiteral("\u0438"), 56, 'B'}, Qt::Key_B);
    row("Greek alpha on the A key", {0x0391, QStringLiteral("\u03B1"), 38, 'A'}, Qt::Key_A);
    row("Cyrillic ha on a key with no letter", {0x0425, QStringLiteral("\u0445"), 34, 0xDB}, 0x0425);
    row("Cyrillic te without a key code", {0x0422, QStringLiteral("\u0442"), 0, 0}, 0x0422);
    row("German Z on the US Y key", {Qt::Key_Z, "z", 29, 'Z'}, Qt::Key_Z);
    row("French A on the US Q key", {Qt::Key_A, "a", 24, 'A'}, Qt::Key_A);
    row("German umlaut on a key with no letter", {0xD6, QStringLiteral("\u00F6"), 47, 0xC0}, 0xD6);
    row("F1", {Qt::Key_F1, "", 67, 0x70}, Qt::Key_F1);
    row("Backspace", {Qt::Key_Backspace, "\b", 22, 0x08}, Qt::Key_Backspace);
  }

  void letterKeysOnEveryLayout() {
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(uint, xkbKeycode);
    QFETCH(uint, virtualKey);
    QFETCH(int, expected);
    QCOMPARE(KeyTableKey(*Press({key, text, xkbKeycode, virtualKey})), expected);
  }

  void aCyrillicLayoutStartsANewGameWithTheNKey() {
    auto w = Open({"sounds:no"});
    const int games = w->SetUpCount();
    QCoreApplication::sendEvent(w.get(), Press(kCyrillicTeOnN).get());
    QCOMPARE(w->SetUpCount(), games + 1);
  }

  void statusBarPanelsInBothCountModes() {
    auto low = Open({});
    StatusMain* bar = low->statusMain();
    QCOMPARE(bar->PanelWidth(0), 27);
    QCOMPARE(bar->PanelWidth(2), 27);
    QCOMPARE(bar->PanelWidth(4), 15);
    QCOMPARE(bar->PanelWidth(3), bar->width() - 27 - 27 - 27 - 15);
    QCOMPARE(bar->PanelText(0), QString("160"));
    QCOMPARE(bar->PanelText(2), QString::number(low->GetGame().Counters().MovableStones));
    QCOMPARE(low->CurrentMessage(), QString("Please go ahead!"));

    auto high = Open({"score:high"});
    QCOMPARE(high->statusMain()->PanelWidth(2), 33);
    QCOMPARE(high->statusMain()->PanelText(2), QString("0"));
  }

  void aNarrowFieldShowsFourButtonsAndAWarning() {
    auto w = Open({"columns:6", "resize:no"});
    QCOMPARE(w->imgMain()->width(), 121);
    const std::pair<ToolButtonId, int> shown[] = {{bttNew, 4}, {bttUndo, 29}, {bttCfg, 54}, {bttHelp, 79}};
    for (auto [id, left] : shown) {
      QVERIFY(w->Button(id)->isVisible());
      QCOMPARE(w->Button(id)->x(), left);
    }
    for (ToolButtonId id : {bttFile, bttInfo, bttAbout}) QVERIFY(!w->Button(id)->isVisible());
    QVERIFY(prompter_.said.join('\n').contains("smaller than 130 pixels"));

    auto wide = Open({});
    const int lefts[] = {4, 29, 54, 79, 104, 129, 154};
    for (int i = 0; i < kToolButtonCount; ++i) QCOMPARE(wide->Button(static_cast<ToolButtonId>(i))->x(), lefts[i]);
  }

  // The tool bar never shows a clipped button: where the help button would
  // stick out (a bar 150 to 177 pixels wide) it is hidden; F1 still helps.
  void toolBarButtonsAreWholeOrHidden() {
    for (int columns = 6; columns <= 12; ++columns) {
      auto w = Open({"columns:" + std::to_string(columns), "resize:no"});
      const QRect bar = w->panelTop()->rect();
      for (int i = 0; i < kToolButtonCount; ++i) {
        const ToolButton* button = w->Button(static_cast<ToolButtonId>(i));
        if (!button->isVisible()) continue;
        QVERIFY2(bar.contains(button->geometry()), qPrintable(QStringLiteral("%1 columns, button %2").arg(columns).arg(i)));
      }
      const bool helpFits = bar.width() < 150 || bar.width() >= 154 + 24;
      QCOMPARE(w->Button(bttHelp)->isVisible(), helpFits);
      if (columns == 8) QVERIFY(w->Button(bttAbout)->isVisible());
    }
  }

  // Every message of the status bar fits the message panel of a default
  // field in its 8-point type, in every language; only a text whose specified
  // English wording is longer than the panel relies on the tooltip copy. A
  // winner on a field of 8 columns reads the whole message too.
  void statusTextsFitTheMessagePanel() {
    static constexpr int kStatusTexts[] = {50, 51, 52, 53, 54, 55, 56, 57, 59, 60, 61, 62, 63, 100, 102, 103, 105};
    auto w = Open({});
    StatusMain* bar = w->statusMain();
    QCOMPARE(bar->font().pointSizeF(), 8.0);
    const QFontMetrics metrics(bar->font());
    const int room = bar->TextRect(3).width();
    const auto width = [&](int id, int offset) { return metrics.horizontalAdvance(QString::fromStdString(Text(id, offset))); };
    QStringList cut;
    int exempt = 0;
    for (int id : kStatusTexts) {
      if (width(id, kEnglishOffset) > room) {
        ++exempt;
        continue;
      }
      for (int offset : {kGermanOffset, kFrenchOffset}) {
        if (width(id, offset) > room) cut << QStringLiteral("%1: %2 > %3").arg(id + offset).arg(width(id, offset)).arg(room);
      }
    }
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(", ")));
    QVERIFY2(exempt <= 1, "only the rock's message is longer than the panel");

    w->ShowMessage(kMsgRock);
    QTest::mouseMove(bar, bar->PanelRect(3).center());
    // The message in full on the first line; the deal number may follow.
    QCOMPARE(bar->toolTip().section('\n', 0, 0), QString::fromStdString(Text(kMsgRock, kEnglishOffset)));

    auto eight = Open({"columns:8", "resize:no"});
    const int eightRoom = eight->statusMain()->TextRect(3).width();
    for (int offset : {kGermanOffset, kEnglishOffset, kFrenchOffset}) QVERIFY(width(55, offset) <= eightRoom);
    eight->ShowMessage(kMsgWon);
    testing::SaveShot(*eight, "texts-eight-columns-won");
    for (int offset : {kGermanOffset, kEnglishOffset, kFrenchOffset}) {
      GameSettings settings = w->Settings();
      settings.languageOffset = offset;
      w->UpdateSettings(settings);
      w->LanguageChanged();
      for (int id : {50, 57, 63, 102}) {
        w->ShowMessage(id);
        testing::SaveShot(*bar, QStringLiteral("texts-status-%1").arg(id + offset));
      }
    }
  }

  // The count-mode arrow sits at the panel's left edge, one pixel below its top.
  void countModeArrowAtThePanelsCorner() {
    StatusMain bar;
    bar.resize(201, StatusMain::kHeight);
    QImage arrow(12, 12, QImage::Format_ARGB32);
    arrow.fill(QColor(200, 0, 0));
    bar.SetLowScore(true, arrow);
    const QImage shot = bar.grab().toImage();
    const QRect panel = bar.PanelRect(4);
    const auto red = [&](int x, int y) { return shot.pixelColor(x, y) == QColor(200, 0, 0); };
    QVERIFY(red(panel.left(), 1) && red(panel.left() + 11, 12));
    QVERIFY(!red(panel.left(), 0) && !red(panel.left() - 1, 1) && !red(panel.left() + 12, 1) && !red(panel.left(), 13));
  }

  // A message longer than its panel rolls by once to its end and comes back
  // to its start; a message that fits, or a panel made wide enough, stays.
  void aLongMessageRollsByOnceToItsEnd() {
    StatusMain bar;
    bar.resize(201, StatusMain::kHeight);
    bar.show();
    const QString rock = QString::fromStdString(Text(kMsgRock, kGermanOffset));
    bar.SetPanelText(3, rock);
    const int overflow = bar.MessageOverflow();
    QVERIFY(overflow > 0);
    QCOMPARE(bar.MessageShift(), 0);
    const QImage atStart = bar.grab(bar.TextRect(3)).toImage();
    testing::SaveShot(bar, "status-at-rest");
    QTRY_COMPARE_WITH_TIMEOUT(bar.MessageShift(), overflow, 15000);
    testing::SaveShot(bar, "status-rolled-to-the-end");
    QVERIFY(bar.grab(bar.TextRect(3)).toImage() != atStart);
    QTRY_COMPARE_WITH_TIMEOUT(bar.MessageShift(), 0, 5000);
    QTest::qWait(StatusMain::kPauseAtStartMs + 200);
    QCOMPARE(bar.MessageShift(), 0);  // once, not for ever
    QCOMPARE(bar.grab(bar.TextRect(3)).toImage(), atStart);

    bar.SetPanelText(3, QStringLiteral("Los!"));
    QCOMPARE(bar.MessageOverflow(), 0);
    QTest::qWait(StatusMain::kPauseAtStartMs + 200);
    QCOMPARE(bar.MessageShift(), 0);
    bar.SetPanelText(3, rock);
    bar.resize(201 + overflow + 1, StatusMain::kHeight);  // a wider window: room for all of it
    QCOMPARE(bar.MessageOverflow(), 0);
    QTest::qWait(StatusMain::kPauseAtStartMs + 200);
    QCOMPARE(bar.MessageShift(), 0);

    if (testing::ShotFolder().isEmpty()) return;  // pictures of each language's roll, for a look by eye
    bar.resize(201, StatusMain::kHeight);
    for (int offset : {kGermanOffset, kEnglishOffset, kFrenchOffset}) {
      for (int id : {kMsgRock, kMsgSearching}) {
        bar.SetPanelText(3, QString::fromStdString(Text(id, offset)));
        testing::SaveShot(bar, QStringLiteral("status-%1-at-rest").arg(id + offset));
        QTRY_COMPARE_WITH_TIMEOUT(bar.MessageShift(), bar.MessageOverflow(), 15000);
        testing::SaveShot(bar, QStringLiteral("status-%1-rolled").arg(id + offset));
      }
    }
  }

  // A language switch translates the message on show and keeps the field's
  // hints off once the first click switched them off; a new game brings
  // them back.
  void languageSwitchKeepsHintsOffAndTranslatesTheMessage() {
    auto w = Open({"animations:no", "sounds:no"});
    QCOMPARE(w->imgMain()->toolTip(), QString::fromStdString(Text(kFieldHint, kEnglishOffset)));
    const Field& field = w->GetGame().GetField();
    QTest::mouseClick(w->imgMain(), Qt::LeftButton, {}, CellCentre(field, FirstMovable(field)));
    QCOMPARE(w->imgMain()->toolTip(), QString());
    w->ShowMessage(kMsgSuspended);
    GameSettings french = w->Settings();
    french.languageOffset = kFrenchOffset;
    w->UpdateSettings(french);
    store_->SaveRegInt(kRootSection, kValueLanguage, kFrenchOffset);  // as the language list does
    w->LanguageChanged();
    QCOMPARE(w->CurrentMessage(), QString::fromStdString(Text(kMsgSuspended, kFrenchOffset)));
    QCOMPARE(w->Button(bttNew)->toolTip(), QString::fromStdString(Text(kNewGameHint, kFrenchOffset)));
    QCOMPARE(w->imgMain()->toolTip(), QString());
    QCOMPARE(w->imgRamp()->toolTip(), QString());
    w->bttStartClick();
    QCOMPARE(w->imgMain()->toolTip(), QString::fromStdString(Text(kFieldHint, kFrenchOffset)));
    QCOMPARE(w->imgRamp()->toolTip(), QString::fromStdString(Text(kRampHint, kFrenchOffset)));
  }

  void theWindowPositionIsReadOncePerRunAndWrittenAtClose() {
    store_->SaveRegInt(kRootSection, kValueMainLeft, 60);
    store_->SaveRegInt(kRootSection, kValueMainTop, 70);
    auto w = Open({});
    QCOMPARE(w->pos(), QPoint(60, 70));
    store_->SaveRegInt(kRootSection, kValueMainLeft, 300);
    QTest::keyClick(w.get(), Qt::Key_N);
    QCOMPARE(w->pos(), QPoint(60, 70));
    w->move(80, 90);
    w->close();
    QCOMPARE(store_->ReadRegInt(kRootSection, kValueMainLeft, 0), 80);
    QCOMPARE(store_->ReadRegInt(kRootSection, kValueMainTop, 0), 90);
  }

  void undoAndRestartFromTheKeyboard() {
    auto w = Open({"animations:no", "sounds:no"});
    Game& game = w->GetGame();
    const std::vector<TStoneCell> start = game.GetField().Cells();
    QVERIFY(!w->Button(bttUndo)->isEnabled());
    QTest::keyClick(w.get(), Qt::Key_Z);  // nothing to undo: nothing happens
    QCOMPARE(game.GetField().Cells(), start);

    QTest::mouseClick(w->imgMain(), Qt::LeftButton, {}, CellCentre(game.GetField(), FirstMovable(game.GetField())));
    QVERIFY(w->Button(bttUndo)->isEnabled());
    QTest::keyClick(w.get(), Qt::Key_Backspace);
    QCOMPARE(game.GetField().Cells(), start);
    QCOMPARE(game.Score(), 0);
    QVERIFY(!w->Button(bttUndo)->isEnabled());

    for (int move = 0; move < 3; ++move)
      QTest::mouseClick(w->imgMain(), Qt::LeftButton, {}, CellCentre(game.GetField(), FirstMovable(game.GetField())));
    QTest::keyClick(w.get(), Qt::Key_Z, Qt::ShiftModifier);
    QCOMPARE(game.GetField().Cells(), start);
    QCOMPARE(game.Score(), 0);
    QVERIFY(game.History().Empty());
  }

  void undoAfterTheEndAsksFirst() {
    auto w = Open({"animations:no", "sounds:no"});
    Game& game = w->GetGame();
    QTest::mouseClick(w->imgMain(), Qt::LeftButton, {}, CellCentre(game.GetField(), FirstMovable(game.GetField())));
    const std::vector<TStoneCell> afterMove = game.GetField().Cells();
    game.SetGameRunning(false);  // as when the time has run out

    prompter_.answerYes = false;
    w->PlayHistory();
    QVERIFY(prompter_.said.last().contains("Proceed?"));
    QCOMPARE(game.GetField().Cells(), afterMove);
    QVERIFY(!game.GameRunning());

    prompter_.answerYes = true;
    w->PlayHistory();
    QVERIFY(game.GameRunning());
    QVERIFY(game.History().Empty());
  }

  void aGameSavedAfterMovesReopensAtItsStart() {
    auto w = Open({"animations:no", "sounds:no"});
    Game& game = w->GetGame();
    const std::vector<TStoneCell> start = game.GetField().Cells();
    for (int move = 0; move < 2; ++move)
      QTest::mouseClick(w->imgMain(), Qt::LeftButton, {}, CellCentre(game.GetField(), FirstMovable(game.GetField())));
    prompter_.fileName = home_->filePath("my game.clk");
    QTest::keyClick(w.get(), Qt::Key_S);
    QCOMPARE(w->CurrentMessage(), QString("Saved the game."));
    QVERIFY(QFileInfo::exists(prompter_.fileName));

    QTest::keyClick(w.get(), Qt::Key_O);
    QCOMPARE(w->CurrentMessage(), QString("Opened your game file!"));
    QCOMPARE(game.GetField().Cells(), start);
    QCOMPARE(game.Score(), 0);

    QFile junk(home_->filePath("junk.clk"));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("not a game at all");
    junk.close();
    prompter_.fileName = junk.fileName();
    QTest::keyClick(w.get(), Qt::Key_O);
    QVERIFY(prompter_.said.last().startsWith("error: "));
    QCOMPARE(w->CurrentMessage(), QString("Please go ahead!"));
  }

  // The file dialogs start where the player last saved or opened a game, in
  // this run and the next; a file that was no game, or a folder since
  // removed, moves them nowhere.
  void theFileDialogsStartInTheFolderOfTheLastGameFile() {
    QVERIFY(QDir(home_->path()).mkpath("saved/here") && QDir(home_->path()).mkpath("opened/there"));
    const QString savedIn = home_->filePath("saved/here"), openedIn = home_->filePath("opened/there");
    auto w = Open({"animations:no", "sounds:no"});
    prompter_.fileName = savedIn + "/one.clk";
    QTest::keyClick(w.get(), Qt::Key_S);
    QVERIFY(QFile::copy(prompter_.fileName, openedIn + "/two.clk"));
    QTest::keyClick(w.get(), Qt::Key_O);
    QCOMPARE(prompter_.choices.back().start, savedIn);
    prompter_.fileName = openedIn + "/two.clk";
    QTest::keyClick(w.get(), Qt::Key_O);
    QCOMPARE(w->CurrentMessage(), QString("Opened your game file!"));
    QFile junk(savedIn + "/junk.clk");
    QVERIFY(junk.open(QIODevice::WriteOnly) && junk.write("no game") > 0);
    junk.close();
    prompter_.fileName = junk.fileName();
    QTest::keyClick(w.get(), Qt::Key_O);  // no game: refused
    prompter_.fileName.clear();
    QTest::keyClick(w.get(), Qt::Key_S);
    QCOMPARE(prompter_.choices.back().kind, std::string("save"));
    QCOMPARE(prompter_.choices.back().start, openedIn);

    w.reset();
    auto next = Open({"animations:no", "sounds:no"});  // the next run
    QTest::keyClick(next.get(), Qt::Key_O);
    QCOMPARE(prompter_.choices.back().start, openedIn);
    QVERIFY(QDir(home_->filePath("opened")).removeRecursively());
    QTest::keyClick(next.get(), Qt::Key_O);
    QCOMPARE(prompter_.choices.back().start, QString());
  }

  // A saved game the player made read-only is not saved over: the player is
  // told, and the file stays as it was.
  void savingOverAReadOnlyFileIsRefused() {
    auto w = Open({"animations:no", "sounds:no"});
    prompter_.fileName = home_->filePath("kept.clk");
    QTest::keyClick(w.get(), Qt::Key_S);
    QCOMPARE(w->CurrentMessage(), QString("Saved the game."));
    QFile file(prompter_.fileName);
    QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    prompter_.said.clear();
    QTest::keyClick(w.get(), Qt::Key_S);
    QCOMPARE(prompter_.said, QStringList{"error: Error saving to file!"});
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
    QCOMPARE(file.permissions() & (QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther),
             QFileDevice::Permissions{});
  }

  void theFirstPaintStartsTheClockAndAPauseHidesTheBoard() {
    auto w = Open({"autodrop:yes", "sounds:no"});
    QTRY_VERIFY(w->CountDown() != nullptr);
    QVERIFY(w->CountDown()->isVisible());
    QCOMPARE(w->CountDown()->Digit()->Value(), 90);
    QVERIFY(w->imgRamp()->DropTimer().isActive());
    QVERIFY(w->imgRamp()->isVisible());

    QTest::keyClick(w.get(), Qt::Key_P);
    QVERIFY(w->CountDownPaused());
    QVERIFY(!w->imgMain()->isVisible());
    QVERIFY(!w->imgRamp()->isVisible());
    QVERIFY(!w->imgRamp()->DropTimer().isActive());

    QTest::keyClick(w.get(), Qt::Key_P);
    QVERIFY(!w->CountDownPaused());
    QVERIFY(w->imgMain()->isVisible());
    QVERIFY(w->imgRamp()->DropTimer().isActive());
  }

  void escapePausesOnceAndARestoreResumes() {
    auto w = Open({"autodrop:yes", "sounds:no"});
    QTRY_VERIFY(w->CountDown() != nullptr);
    QTest::keyClick(w.get(), Qt::Key_Escape);
    QVERIFY(w->CountDownPaused());
    w->showNormal();
    QCoreApplication::processEvents();
    QVERIFY(!w->CountDownPaused());
  }
};

int main(int argc, char** argv) {
  Q_INIT_RESOURCE(pebbledrome);
  QApplication app(argc, argv);
  MainWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "main_window_test.moc"

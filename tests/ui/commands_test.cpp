// Every command in sight and the group before the click, on the real
// window: the keys that open the command menu, its entries with their keys
// and what they run, the deal number in the status bar, and the group lit
// under the pointer and the cursor with its points in the message panel.

#include <QApplication>
#include <QMenu>
#include <QtTest>
#include <memory>

#include "config/string_ids.h"
#include "config/string_table.h"
#include "control/field_speech.h"
#include "control/ui/field_view.h"
#include "control/ui/group_preview.h"
#include "control/ui/keyboard_play.h"
#include "control/ui/status_main.h"
#include "control/ui/tfrm_game.h"
#include "support/save_shot.h"
#include "ui/window_fixture.h"

using namespace pebble;
using namespace pebble::ui;
using namespace pebble::testing;

namespace {

QString Str(int id, int language = kEnglishOffset) { return QString::fromStdString(Text(id, language)); }

QMenu* OpenMenu() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }

void CloseMenu() {
  if (QMenu* menu = OpenMenu()) menu->close();
  QApplication::processEvents();
}

QAction* Entry(QMenu& menu, int textId) {
  for (QAction* action : menu.actions())
    if (action->text().section('\t', 0, 0) == Str(textId)) return action;
  return nullptr;
}

std::vector<std::int32_t> Sorted(std::vector<std::int32_t> cells) {
  std::sort(cells.begin(), cells.end());
  return cells;
}

}  // namespace

class CommandsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<WindowHome> home_;

 private slots:
  void init() {
    home_ = std::make_unique<WindowHome>();
    ProgramRandom().SetFixedSeed(20261211);
  }
  void cleanup() {
    CloseMenu();
    home_.reset();
  }

  void theMenuOpensWithTheDesktopsKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("F10") << int(Qt::Key_F10) << int(Qt::NoModifier);
    QTest::newRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier);
    QTest::newRow("Menu") << int(Qt::Key_Menu) << int(Qt::NoModifier);
  }

  void theMenuOpensWithTheDesktopsKeys() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    auto w = OpenWindow(home_->Store(), {"sounds:no"});
    QTest::keyClick(w.get(), static_cast<Qt::Key>(key), Qt::KeyboardModifiers(modifiers));
    QTRY_VERIFY(OpenMenu() == w->CommandMenu());
    // Ready for the arrow keys: the first entry is active.
    QCOMPARE(OpenMenu()->activeAction(), OpenMenu()->actions().first());
  }

  void aTapOnAltOpensTheMenuButAltWithALetterDoesNot() {
    auto w = OpenWindow(home_->Store(), {"sounds:no"});
    QTest::keyPress(w.get(), Qt::Key_Alt);
    QTest::keyClick(w.get(), Qt::Key_I, Qt::AltModifier);  // Alt+I: the statistics, as I
    QTest::keyRelease(w.get(), Qt::Key_Alt);
    QApplication::processEvents();
    QVERIFY(!OpenMenu());
    QTest::keyPress(w.get(), Qt::Key_Alt);
    QTest::keyRelease(w.get(), Qt::Key_Alt);
    QTRY_VERIFY(OpenMenu() == w->CommandMenu());
  }

  void everyCommandIsListedWithItsKeyAndRuns() {
    auto w = OpenWindow(home_->Store(), {"animations:no", "sounds:no"});
    QMenu& menu = *w->CommandMenu();
    const struct {
      int textId;
      QString key;
    } listed[] = {{kOpenTitle, "O"},    {kSaveTitle, "S"},  {kPlayDeal, ""},  {kShowReport, "R"},
                  {kMenuNewGame, "N"},  {kMenuUndo, "Z"},   {kMenuRestart, Str(kKeyShiftZ)},
                  {kMenuRedo, "Y"},     {kMenuAdvice, "B"}, {kMenuPause, "P"}, {kMenuStats, "I"},
                  {kMenuHints, "H"},    {kMenuCfg, "C"},    {kMenuZoomIn, Str(kKeyZoomIn)},
                  {kMenuZoomOut, Str(kKeyZoomOut)}, {kMenuZoomReset, Str(kKeyZoomReset)},
                  {kMenuHelp, "F1"}, {kMenuKeys, ""},
                  {kAboutHint, "A"},    {kMenuDesktopLink, "L"}, {kMenuDisguise, Str(kKeyEscape)}};
    for (const auto& entry : listed) {
      QAction* action = Entry(menu, entry.textId);
      QVERIFY2(action, qPrintable(Str(entry.textId)));
      QCOMPARE(action->text().section('\t', 1), entry.key);
    }

    // Undo and restart run without the Shift key the keyboard needs.
    Game& game = w->GetGame();
    const Field& field = game.GetField();
    const std::int32_t start = field.Counters().StonesLeft;
    for (int move = 0; move < 2; ++move) {
      QTest::mouseClick(w->imgMain(), Qt::LeftButton, {}, CellCentre(field, FirstMovable(field)));
    }
    const std::int32_t afterTwo = field.Counters().StonesLeft;
    // Each command from a fresh opening of the menu, which enables what can run now.
    const auto run = [&](int textId) {
      CloseMenu();
      QTest::keyClick(w.get(), Qt::Key_F10);
      QAction* action = Entry(menu, textId);
      QVERIFY(OpenMenu() && action->isEnabled());
      action->trigger();
    };
    QTest::keyClick(w.get(), Qt::Key_F10);
    QVERIFY(!Entry(menu, kMenuRedo)->isEnabled());
    QVERIFY(!Entry(menu, kMenuPause)->isEnabled());  // no count-down without auto drop
    run(kMenuUndo);
    QTRY_VERIFY(field.Counters().StonesLeft > afterTwo);
    run(kMenuRedo);
    QTRY_COMPARE(field.Counters().StonesLeft, afterTwo);
    run(kMenuRestart);
    QTRY_COMPARE(field.Counters().StonesLeft, start);
    const int games = w->SetUpCount();
    run(kMenuNewGame);
    QTRY_COMPARE(w->SetUpCount(), games + 1);
    run(kMenuZoomIn);
    QVERIFY(w->Zoom() > 100);
    run(kMenuZoomReset);
    QCOMPARE(w->Zoom(), 100);
    run(kMenuZoomOut);
    QVERIFY(w->Zoom() < 100);
  }

  void theDealNumberShowsWhileNoMessageDoes() {
    auto w = OpenWindow(home_->Store(), {"animations:no", "sounds:no"});
    const QString deal = QString::fromStdString(
        FormatText(kDealIdle, kEnglishOffset, {std::to_string(*w->GetGame().Deal())}));
    QCOMPARE(w->statusMain()->IdleText(), deal);
    w->ClearMessage();
    QVERIFY(w->CurrentMessage().isEmpty());  // the panel's text stays empty
    const QImage bar = w->statusMain()->grab().toImage();
    QVERIFY2(bar != QImage(), "the bar draws");
    SaveShot(*w, "deal_number_en");
  }

  void theGroupUnderThePointerIsLitWithItsPoints_data() {
    QTest::addColumn<bool>("lowScore");
    QTest::newRow("high score") << false;
    QTest::newRow("low score") << true;
  }

  void theGroupUnderThePointerIsLitWithItsPoints() {
    QFETCH(bool, lowScore);
    home_->Store().SaveRegBool(kConfigSection, kValueLowScore, lowScore);
    auto w = OpenWindow(home_->Store(), {"animations:no", "sounds:no"});
    Game& game = w->GetGame();
    const Field& field = game.GetField();
    const std::int32_t target = FirstMovable(field);
    QTest::mouseMove(w->imgMain(), CellCentre(field, target));
    QTRY_COMPARE(w->Preview().Cells(), Sorted(game.MoveCells(target)));
    QCOMPARE(w->imgMain()->LitCells().size(), game.MoveCells(target).size());
    const auto taken = static_cast<std::int32_t>(game.MoveCells(target).size());
    const QString expected = lowScore ? QString::fromStdString(FormatText(kPreviewLeft, kEnglishOffset,
                                            {std::to_string(taken), std::to_string(field.Counters().StonesLeft - taken)}))
                                      : QString::fromStdString(FormatText(kPreviewPoints, kEnglishOffset,
                                            {std::to_string(taken), std::to_string(MovePoints(taken))}));
    QCOMPARE(w->CurrentMessage(), expected);
    SaveShot(*w, lowScore ? "group_lit_low_en" : "group_lit_high_en");

    // Off the field the message comes back; a lone stone lights nothing.
    QTest::mouseMove(w->panelTop(), QPoint(190, 10));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(w->imgMain(), &leave);
    QTRY_VERIFY(w->Preview().Cells().empty());
    QCOMPARE(w->CurrentMessage(), Str(kMsgGoAhead));
    QVERIFY(w->imgMain()->LitCells().empty());
  }

  void theCursorLightsItsGroupAndTheOptionSwitchesItOff() {
    auto w = OpenWindow(home_->Store(), {"animations:no", "sounds:no"});
    Game& game = w->GetGame();
    QTest::keyClick(w.get(), Qt::Key_Right);
    const std::int32_t at = w->Keyboard().Cursor().Index(game.GetField());
    QCOMPARE(w->Preview().Cells(), Sorted(game.MoveCells(at)));

    GameSettings off = game.Settings();
    off.groupPreview = false;
    w->UpdateSettings(off);
    QVERIFY(w->Preview().Cells().empty());
    QTest::keyClick(w.get(), Qt::Key_Right);
    QVERIFY(w->Preview().Cells().empty());
  }

  void nothingIsLitDuringAMoveOrAfterTheEnd() {
    auto w = OpenWindow(home_->Store(), {"sounds:no"});
    AnimationsOf(home_->Store(), 5);
    w->bttStartClick();
    Game& game = w->GetGame();
    const Field& field = game.GetField();
    bool litDuringTheMove = false;
    QTimer probe;
    connect(&probe, &QTimer::timeout, [&] { litDuringTheMove |= game.Busy() && !w->Preview().Cells().empty(); });
    probe.start(1);
    const std::int32_t target = FirstMovable(field);
    QTest::mouseMove(w->imgMain(), CellCentre(field, target));
    QTest::mouseClick(w->imgMain(), Qt::LeftButton, {}, CellCentre(field, target));
    QTRY_VERIFY(!game.MoveInProgress());
    QVERIFY(!litDuringTheMove);
    game.SetGameRunning(false);
    QTest::mouseMove(w->imgMain(), CellCentre(field, FirstMovable(field)));
    QVERIFY(w->Preview().Cells().empty());
  }
};

int main(int argc, char** argv) {
  Q_INIT_RESOURCE(pebbledrome);
  QApplication app(argc, argv);
  CommandsTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "commands_test.moc"

// Best-move advice in the main window: B rings the solver's first move on
// the field; a move or a close during the search cancels it, and no answer
// and no thread outlives it.

#include <QtTest>
#include <memory>

#include "support/save_shot.h"
#include "config/string_table.h"
#include "control/ui/paint_box.h"
#include "control/ui/status_main.h"
#include "control/ui/tfrm_game.h"
#include "solver/ui/advice_overlay.h"
#include "solver/ui/game_solver.h"
#include "support/rules_replay.h"
#include "support/window_home.h"

using namespace pebble;
using namespace pebble::ui;

namespace {

QPoint CellCentre(const Field& field, std::int32_t index) {
  return {field[index].Left + field.StoneWidth() / 2, field[index].Top + field.StoneHeight() / 2};
}

bool EngineTakes(const Field& field, std::int32_t index) {
  const TStoneCell& cell = field[index];
  return cell.Occupied && cell.Kind != skRock && (cell.Kind != skNormal || cell.SameColorCount >= 1);
}

}  // namespace

class AdviceTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<testing::WindowHome> home_;

  std::unique_ptr<TfrmGame> Open(std::vector<std::string> arguments) {
    auto window = std::make_unique<TfrmGame>(home_->Store(), std::move(arguments));
    window->show();
    QCoreApplication::processEvents();
    return window;
  }

  // The window, and three times as large, for a close look at the ring.
  static void SaveShot(QWidget& window, const QString& name) {
    testing::SaveShot(window, name);
    if (testing::ShotFolder().isEmpty()) return;
    const QPixmap shot = window.grab();
    shot.scaled(shot.size() * 3).save(testing::ShotFolder() + "/zoom-" + name + ".png");
  }

 private slots:
  // The tool bar's glyphs, so that a picture of the window shows it whole.
  void initTestCase() { Q_INIT_RESOURCE(pebbledrome); }

  void init() {
    home_ = std::make_unique<testing::WindowHome>();
    ProgramRandom().SetFixedSeed(20261210);
  }

  void cleanup() { home_.reset(); }

  void bRingsTheSolversFirstMoveAndItsLinePlaysThroughTheRules_data() {
    QTest::addColumn<QString>("look");
    QTest::addColumn<bool>("lowScore");
    QTest::newRow("low score, plain stones") << "texturized:no" << true;
    QTest::newRow("high score, textured, specials") << "action:yes" << false;
  }

  void bRingsTheSolversFirstMoveAndItsLinePlaysThroughTheRules() {
    QFETCH(QString, look);
    QFETCH(bool, lowScore);
    auto w = Open({"animations:no", "sounds:no", lowScore ? "score:low" : "score:high", look.toStdString()});
    const Field& field = w->GetGame().GetField();
    QTest::keyClick(w.get(), Qt::Key_B);
    QTRY_VERIFY_WITH_TIMEOUT(!w->Solver().Advising(), 5000);
    const solver::Advice& advice = w->Solver().LastAdvice();
    QVERIFY(advice.found);
    QVERIFY(EngineTakes(field, advice.fieldIndex));
    QCOMPARE(advice.clicks.front(), advice.fieldIndex);

    // The ring shows exactly the stones the rules take for that click.
    testing::RulesReplay rules(w->GetGame());
    const Field before = rules.game.GetField();
    rules.Click(advice.fieldIndex);
    QCOMPARE(static_cast<std::int32_t>(advice.cells.size()),
             before.Counters().StonesLeft - rules.game.Counters().StonesLeft);
    QVERIFY(w->Solver().Overlay().isVisible());
    std::vector<std::int32_t> ringed = w->Solver().Overlay().Cells();
    std::sort(ringed.begin(), ringed.end());
    std::vector<std::int32_t> expected = advice.cells;
    std::sort(expected.begin(), expected.end());
    QCOMPARE(ringed, expected);

    // The rest of the line plays through the rules to what the text promises.
    for (std::size_t c = 1; c < advice.clicks.size(); ++c) {
      QVERIFY(EngineTakes(rules.game.GetField(), advice.clicks[c]));
      rules.Click(advice.clicks[c]);
    }
    QVERIFY(!rules.game.GameRunning());
    QCOMPARE(rules.game.Counters().StonesLeft, advice.stonesLeft);
    const int textId = lowScore ? 871 : 872;
    const std::string figure = std::to_string(lowScore ? advice.stonesLeft : advice.points);
    QCOMPARE(w->CurrentMessage(), QString::fromStdString(FormatText(textId, 1000, {figure})));
    // The rules add the clearing bonus to the score themselves at the end.
    if (!lowScore) QCOMPARE(static_cast<std::int64_t>(rules.game.Score()), advice.points);
    SaveShot(*w, lowScore ? "solver-advice-plain" : "solver-advice-textured");

    // The player follows the advice: the ring goes with the move.
    QTest::mouseClick(w->imgMain(), Qt::LeftButton, {}, CellCentre(field, advice.fieldIndex));
    QVERIFY(!w->Solver().Overlay().isVisible());
  }

  void aMoveDuringTheSearchCancelsItWithoutAStaleAnswer() {
    auto w = Open({"animations:no", "sounds:no"});
    const Field& field = w->GetGame().GetField();
    QTest::keyClick(w.get(), Qt::Key_B);
    QVERIFY(w->Solver().Advising());
    std::int32_t movable = 0;
    while (!EngineTakes(field, movable)) ++movable;
    QTest::mouseClick(w->imgMain(), Qt::LeftButton, {}, CellCentre(field, movable));
    QVERIFY(!w->Solver().Advising());
    QTest::qWait(1500);  // longer than a search may take: nothing may arrive
    QVERIFY(!w->Solver().Overlay().isVisible());
    QVERIFY(!w->Solver().LastAdvice().found);
  }

  void closingDuringASearchLeavesNoThreadBehind() {
    auto w = Open({"animations:no", "sounds:no"});
    QTest::keyClick(w.get(), Qt::Key_B);
    QVERIFY(w->Solver().Advising());
    w->close();
    QVERIFY(!w->Solver().Advising());
    QVERIFY(!w->Solver().Advising());
    w.reset();
    QTest::qWait(100);  // an answer queued before the close must find no one to reach
  }
};

QTEST_MAIN(AdviceTest)
#include "advice_test.moc"

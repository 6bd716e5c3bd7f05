// "Best found for this deal" in the main window: a game played to its end
// shows the solver's best line beside the player's result, in the
// statistics window and on B in the status bar, and that line plays through
// the rules from the deal's start to the figure shown, also when the game
// ended before the background search had a line. A new game or a close
// leaves no search behind; a game with the ramp shows nothing; an undo past
// the end hides the line until the game ends again.

#include <QLabel>
#include <QtTest>
#include <memory>

#include "support/save_shot.h"
#include "config/string_ids.h"
#include "config/string_table.h"
#include "control/ui/paint_box.h"
#include "scores/deal_comparison.h"
#include "scores/ui/tfrm_stats.h"
#include "solver/ui/game_solver.h"
#include "support/rules_replay.h"
#include "support/window_home.h"
#include "ui/window_fixture.h"

using namespace pebble;
using namespace pebble::ui;

namespace {

// Clicks the first group on the field until the game is over, then gives
// the search the moment more it may need when it had no line yet.
void PlayToTheEnd(TfrmGame& w, int thinkMs = 0) {
  QTest::qWait(thinkMs);
  const Field& field = w.GetGame().GetField();
  for (std::int32_t cell = testing::FirstMovable(field); cell >= 0 && w.GetGame().GameRunning();
       cell = testing::FirstMovable(field)) {
    QTest::mouseClick(w.imgMain(), Qt::LeftButton, {}, testing::CellCentre(field, cell));
  }
  QTRY_VERIFY_WITH_TIMEOUT(!w.Solver().DealSearching(), 5000);
}

std::int32_t ResultOf(const Game& game) {
  return game.Settings().lowScore ? game.Counters().StonesLeft : game.Score();
}

QLabel* DealBestLine(TfrmGame& w) { return w.Stats()->findChild<QLabel*>(QStringLiteral("lblDealBestFigures")); }

}  // namespace

class DealBestTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<testing::WindowHome> home_;

  std::unique_ptr<TfrmGame> Open(std::vector<std::string> arguments) {
    arguments.insert(arguments.end(), {"animations:no", "sounds:no", "action:no"});
    return testing::OpenWindow(home_->Store(), std::move(arguments));
  }

 private slots:
  void initTestCase() { Q_INIT_RESOURCE(pebbledrome); }

  void init() {
    home_ = std::make_unique<testing::WindowHome>();
    ProgramRandom().SetFixedSeed(20261214);
  }

  void cleanup() { home_.reset(); }

  void theEndShowsTheSolversLineBesideYoursAndThatLinePlaysThroughTheRules_data() {
    QTest::addColumn<bool>("lowScore");
    QTest::addColumn<int>("thinkMs");
    // Ended before the search began, or while it searched in the background.
    QTest::newRow("low score: stones left, a quick game") << true << 0;
    QTest::newRow("high score: points with the bonus, a quick game") << false << 0;
    QTest::newRow("low score: stones left, a thoughtful game") << true << GameSolver::kDealSearchDelayMs + 700;
    QTest::newRow("high score: points with the bonus, a thoughtful game") << false << GameSolver::kDealSearchDelayMs + 700;
  }

  void theEndShowsTheSolversLineBesideYoursAndThatLinePlaysThroughTheRules() {
    QFETCH(bool, lowScore);
    QFETCH(int, thinkMs);
    auto w = Open({lowScore ? "score:low" : "score:high"});
    // A new game during the search: what ends is a search of the new deal.
    QTest::qWait(GameSolver::kDealSearchDelayMs + 100);
    QTest::keyClick(w.get(), Qt::Key_N);
    QVERIFY(w->Solver().DealSearching());
    QVERIFY(!w->Solver().DealBest());
    PlayToTheEnd(*w, thinkMs);
    QVERIFY(!w->GetGame().GameRunning());
    QVERIFY(!w->Solver().DealSearching());

    const std::optional<solver::Advice>& best = w->Solver().DealSearchBest();
    QVERIFY(best.has_value());
    const std::int64_t figure = lowScore ? best->stonesLeft : best->points;
    QVERIFY(w->Solver().DealBest().has_value());
    QCOMPARE(w->Solver().DealBest()->lowScore, lowScore);
    QCOMPARE(w->Solver().DealBest()->best, figure);
    QCOMPARE(w->Solver().DealBest()->yours, std::int64_t{ResultOf(w->GetGame())});

    const QString figures = QString::fromStdString(DealComparisonFigures(*w->Solver().DealBest(), kEnglishOffset));
    QVERIFY(figures.contains(QString::number(figure)) && figures.contains(QString::number(ResultOf(w->GetGame()))));
    QLabel* line = DealBestLine(*w);
    QVERIFY(line && line->isVisibleTo(w->Stats()));
    QCOMPARE(line->text(), figures);
    const QString text = QString::fromStdString(DealComparisonText(*w->Solver().DealBest(), kEnglishOffset));
    // The specified end message stays; B after the end says how the game compares.
    const QStringList endMessages = {QString::fromStdString(Text(kMsgGameOver, kEnglishOffset)),
                                     QString::fromStdString(Text(kMsgWon, kEnglishOffset))};
    QVERIFY2(endMessages.contains(w->CurrentMessage()), qPrintable(w->CurrentMessage()));
    QTest::keyClick(w.get(), Qt::Key_B);
    QCOMPARE(w->CurrentMessage(), text);

    // The solver's figure is a real line from the deal's start.
    testing::RulesReplay rules(w->GetGame(), w->GetGame().StartPosition());
    for (const std::int32_t click : best->clicks) rules.Click(click);
    QVERIFY(!rules.game.GameRunning());
    QVERIFY(rules.recorded.has_value());
    QCOMPARE(std::int64_t{*rules.recorded}, figure);
  }

  void closingDuringTheSearchLeavesNoThread() {
    auto w = Open({});
    QTest::qWait(GameSolver::kDealSearchDelayMs + 100);  // the search has begun
    QVERIFY(w->Solver().DealSearching());
    w->close();
    QVERIFY(!w->Solver().DealSearching());
  }

  void aGameWithTheRampShowsNoLine() {
    auto w = Open({"autodrop:yes"});
    QVERIFY(!w->Solver().DealSearching());
    w->ClearGameRunning();  // as the count-down's time-out ends it
    w->RecordCurrentResult();
    QVERIFY(!w->Solver().DealBest());
    QVERIFY(!DealBestLine(*w)->isVisibleTo(w->Stats()));
    const QString before = w->CurrentMessage();
    QTest::keyClick(w.get(), Qt::Key_B);
    QCOMPARE(w->CurrentMessage(), before);
  }

  void anUndoPastTheEndHidesTheLineUntilTheGameEndsAgain() {
    auto w = Open({"score:low"});
    PlayToTheEnd(*w);
    QVERIFY(w->Solver().DealBest().has_value());
    const std::int64_t figure = w->Solver().DealBest()->best;

    QTest::keyClick(w.get(), Qt::Key_Z);  // the cheat question is answered yes
    QVERIFY(w->GetGame().GameRunning());
    QVERIFY(!w->Solver().DealBest());
    QVERIFY(!DealBestLine(*w)->isVisibleTo(w->Stats()));
    QTest::keyClick(w.get(), Qt::Key_B);  // advice again, not the comparison
    QVERIFY(w->Solver().Advising() || w->Solver().LastAdvice().found);

    QTest::keyClick(w.get(), Qt::Key_Y);  // the same last move ends the game again
    QVERIFY(!w->GetGame().GameRunning());
    QVERIFY(w->Solver().DealBest().has_value());
    QCOMPARE(w->Solver().DealBest()->best, figure);
    QVERIFY(DealBestLine(*w)->isVisibleTo(w->Stats()));
  }

  void theLineFitsTheStatisticsWindowInEveryLanguage_data() {
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("shot");
    QTest::newRow("English") << kEnglishOffset << "dealbest-en";
    QTest::newRow("German") << kGermanOffset << "dealbest-de";
    QTest::newRow("French") << kFrenchOffset << "dealbest-fr";
  }

  void theLineFitsTheStatisticsWindowInEveryLanguage() {
    QFETCH(int, offset);
    QFETCH(QString, shot);
    home_->Store().SaveRegInt(kRootSection, kValueLanguage, offset);
    auto w = Open({"score:low"});
    PlayToTheEnd(*w);
    w->bttInfoClick();
    TfrmStats& stats = *w->Stats();
    QVERIFY(QTest::qWaitForWindowExposed(&stats));
    QLabel* figures = DealBestLine(*w);
    QCOMPARE(figures->text(), QString::fromStdString(DealComparisonFigures(*w->Solver().DealBest(), offset)));
    // Whole: as tall as their wrapped text needs, inside the window, above the table's title.
    const QWidget* title = stats.findChild<QWidget*>(QStringLiteral("panelMiddle"));
    for (QLabel* line : {stats.findChild<QLabel*>(QStringLiteral("lblDealBest")), figures}) {
      QVERIFY(line->isVisible());
      QVERIFY(line->height() >= line->heightForWidth(line->width()));
      const QRect inWindow(line->mapTo(&stats, QPoint(0, 0)), line->size());
      QVERIFY(stats.rect().contains(inWindow));
      QVERIFY(inWindow.bottom() < title->mapTo(&stats, QPoint(0, 0)).y());
    }
    testing::SaveShot(stats, shot);

    // The specified figures keep their place; hiding the line gives the window its old height back.
    const int withLine = stats.height();
    QTest::keyClick(w.get(), Qt::Key_N);
    QVERIFY(!figures->isVisibleTo(&stats));
    QCOMPARE(stats.height(), withLine - figures->parentWidget()->height());
    QCOMPARE(stats.height(), TfrmStats::kClientHeight);
  }
};

QTEST_MAIN(DealBestTest)
#include "deal_best_test.moc"

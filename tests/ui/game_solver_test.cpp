// The solver's part of the main window on its own, over the rules and a
// recording host: advice asked for a field that has changed before the
// answer came is dropped; a game over before its deal was searched still
// gets its comparison, with "searching" on B until it comes; advice followed
// keeps its word; a deal that can be cleared is dealt off the window thread.

#include <QWidget>
#include <QtTest>

#include "config/string_ids.h"
#include "scores/deal_comparison.h"
#include "solver/ui/advice_overlay.h"
#include "solver/ui/game_solver.h"
#include "support/silent_host.h"

using namespace pebble;
using namespace pebble::ui;

namespace {

// Remembers every message and comparison the solver part hands the window.
struct RecordingHost : SolverHost {
  std::vector<int> shown;
  int current = -1;
  std::optional<DealComparison> comparison;
  void ShowMessage(int id) override { shown.push_back(current = id); }
  void ShowMessageNow(int id) override { ShowMessage(id); }
  void ClearMessage() override { current = -1; }
  int MessageShown() const override { return current; }
  void ShowMessageWith(int id, std::function<std::string(int)>) override { ShowMessage(id); }
  void ShowDealComparison(const std::optional<DealComparison>& c) override { comparison = c; }
  bool Showed(int id) const { return std::find(shown.begin(), shown.end(), id) != shown.end(); }
};

struct Table {
  testing::SilentHost rulesHost;
  GameRandom random;
  Game game{rulesHost, random};
  RecordingHost host;
  QWidget field;
  GameSolver solver{game, host, &field};

  explicit Table(GameSettings settings = Quiet()) { game.NewField(settings, {10, 16}, 4242); }
  static GameSettings Quiet() {
    GameSettings s;
    s.lowScore = true;
    s.animationsOn = false;
    s.soundsOn = false;
    return s;
  }
};

}  // namespace

class GameSolverTest : public QObject {
  Q_OBJECT

 private slots:
  // A stone from the ramp lands while the search runs: its answer is for a
  // field that is gone, and nothing of it reaches the player.
  void adviceForAFieldChangedMeanwhileIsDropped() {
    Table t;
    t.solver.AskForAdvice();
    QCOMPARE(t.host.current, kMsgSearching);
    QVERIFY(t.solver.Advising());
    std::vector<TStoneCell> landed = t.game.GetField().Cells();
    landed.back().Occupied = false;  // the field is another one now
    t.game.LoadField(t.game.Settings(), {10, 16}, landed);
    QTRY_VERIFY_WITH_TIMEOUT(!t.solver.Advising(), 5000);
    QTest::qWait(50);
    QVERIFY(!t.host.Showed(kMsgAdviceStones));
    QCOMPARE(t.host.current, -1);
    QVERIFY(!t.solver.LastAdvice().found);
    QVERIFY(t.solver.Overlay().Cells().empty());
  }

  // The same field: the answer arrives, once, and rings its move.
  void adviceForTheFieldAsItStandsIsShownOnce() {
    Table t;
    t.solver.AskForAdvice();
    t.solver.AskForAdvice();  // asked again: the first search is given up
    QTRY_VERIFY_WITH_TIMEOUT(!t.solver.Advising(), 5000);
    QTest::qWait(50);
    QVERIFY(t.solver.LastAdvice().found);
    QCOMPARE(std::count(t.host.shown.begin(), t.host.shown.end(), kMsgAdviceStones), 1);
    QVERIFY(!t.solver.Overlay().Cells().empty());
  }

  // High-score mode: the figure is where the game ends, the points scored so
  // far included, and the advised move played, the next hint announces no less.
  void followedAdviceAnnouncesTheGamesResultAndNeverLess() {
    GameSettings settings = Table::Quiet();
    settings.lowScore = false;
    Table t(settings);
    std::int64_t before = 0;
    for (int hint = 0; hint < 3; ++hint) {
      t.solver.AskForAdvice();
      QTRY_VERIFY_WITH_TIMEOUT(!t.solver.Advising(), 5000);
      QTRY_VERIFY_WITH_TIMEOUT(t.solver.LastAdvice().found, 2000);
      const std::int64_t announced = solver::CountModeResult(t.solver.LastAdvice(), t.game.Settings());
      QVERIFY2(announced >= before, qPrintable(QString("announced %1 after %2").arg(announced).arg(before)));
      QVERIFY(announced > t.game.Score());
      before = announced;
      const TStoneCell& cell = t.game.GetField()[t.solver.LastAdvice().fieldIndex];
      t.game.imgMainMouseUp(MouseButton::Left, cell.Left + 1, cell.Top + 1);
      QVERIFY(t.game.Score() > 0);
    }
  }

  void aGameOverBeforeItsSearchBeganStillGetsItsComparison() {
    Table t;
    t.solver.StartDealSearch();
    QVERIFY(t.solver.DealSearching());
    t.game.SetGameRunning(false);
    t.solver.GameEnded(57);
    QVERIFY(!t.solver.DealBest());
    t.solver.AskForAdvice();  // B after the end, while the deal is still searched
    QCOMPARE(t.host.current, kMsgSearchingDealBest);
    QTRY_VERIFY_WITH_TIMEOUT(t.solver.DealBest().has_value(), 5000);
    QVERIFY(!t.solver.DealSearching());
    QCOMPARE(t.solver.DealBest()->yours, std::int64_t{57});
    QCOMPARE(t.solver.DealBest()->best, std::int64_t{t.solver.DealSearchBest()->stonesLeft});
    QVERIFY(t.host.comparison.has_value());
    QCOMPARE(t.host.current, kDealBestCaption);  // "searching" gives way to the comparison
  }

  void aClearableDealIsDealtOffTheWindowThread() {
    GameSettings settings = Table::Quiet();
    settings.clearableDeals = true;
    // Three colours: nearly every deal clears within a blink, so the line is
    // found on a slow or busy machine too, and the test watches the threads.
    settings.colorCount = 3;
    Table t(settings);
    bool dealt = false;
    QVERIFY(t.solver.DealField(settings, {10, 16}, std::nullopt, [&dealt] { dealt = true; }));
    QVERIFY(t.solver.Dealing());
    QCOMPARE(t.host.current, kMsgDealing);
    QTRY_VERIFY_WITH_TIMEOUT(dealt, 10000);
    QVERIFY(!t.solver.Dealing());
    QVERIFY(!t.solver.ClearingLine().empty());
    // A deal number asked for is played as it is, at once.
    QVERIFY(!t.solver.DealField(settings, {10, 16}, DealNumber{77}, [] { QFAIL("nothing to wait for"); }));
    QCOMPARE(t.game.Deal(), std::optional<DealNumber>{77});
    QVERIFY(t.solver.ClearingLine().empty());
  }
};

QTEST_MAIN(GameSolverTest)
#include "game_solver_test.moc"

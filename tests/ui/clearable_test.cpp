// The option "only deals that can be cleared": every new game starts on a
// deal whose clearing line, played through the rules, empties the field.

#include <QtTest>
#include <memory>

#include "control/ui/tfrm_game.h"
#include "support/rules_replay.h"
#include "support/window_home.h"

using namespace pebble;
using namespace pebble::ui;

namespace {

// Plays the clicks on a copy of the window's field through the rules alone;
// returns the stones left.
std::int32_t StonesLeftAfter(const Game& window, const std::vector<std::int32_t>& clicks) {
  testing::RulesReplay rules(window);
  for (std::int32_t index : clicks) rules.Click(index);
  return rules.game.Counters().StonesLeft;
}

}  // namespace

class ClearableTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<testing::WindowHome> home_;

 private slots:
  void init() {
    home_ = std::make_unique<testing::WindowHome>();
  }

  void cleanup() { home_.reset(); }

  void everyNewGameIsADealTheSolversLineClears_data() {
    QTest::addColumn<QString>("specials");
    QTest::newRow("plain stones") << "action:no";
    QTest::newRow("with special stones") << "action:yes";
  }

  void everyNewGameIsADealTheSolversLineClears() {
    QFETCH(QString, specials);
    ProgramRandom().SetFixedSeed(std::nullopt);  // deals from the clock: every game a new one
    home_->Store().SaveRegBool(kConfigSection, kValueClearableDeals, true);
    auto w = std::make_unique<TfrmGame>(home_->Store(), std::vector<std::string>{"animations:no", "sounds:no", specials.toStdString()});
    w->show();
    std::vector<TStoneCell> previous;
    for (int game = 0; game < 3; ++game) {
      if (game > 0) QTest::keyClick(w.get(), Qt::Key_N);
      const Game& g = w->GetGame();
      QCOMPARE(g.Counters().StonesLeft, g.Counters().CellCount);  // a fresh deal
      QVERIFY(!w->ClearingLine().empty());
      QCOMPARE(StonesLeftAfter(g, w->ClearingLine()), 0);
      QVERIFY(g.GetField().Cells() != previous);
      previous = g.GetField().Cells();
    }
  }

  void aFixedSeedStaysTheGamesOwn() {
    ProgramRandom().SetFixedSeed(3);
    home_->Store().SaveRegBool(kConfigSection, kValueClearableDeals, true);
    auto w = std::make_unique<TfrmGame>(home_->Store(), std::vector<std::string>{"animations:no", "sounds:no"});
    QVERIFY(!w->ClearingLine().empty());
    QCOMPARE(ProgramRandom().FixedSeed(), std::optional<std::uint64_t>{3});
  }

  void withoutTheOptionNoDealIsSearched() {
    ProgramRandom().SetFixedSeed(3);
    auto w = std::make_unique<TfrmGame>(home_->Store(), std::vector<std::string>{"animations:no", "sounds:no"});
    QVERIFY(w->ClearingLine().empty());
    QCOMPARE(ProgramRandom().LastSeed(), std::uint64_t{3});
  }
};

QTEST_MAIN(ClearableTest)
#include "clearable_test.moc"

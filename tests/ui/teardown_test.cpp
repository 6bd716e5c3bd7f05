// What a command does when it comes in the middle of a move or a ramp drop:
// closing the window, a new game, open, undo, a language switch, the clock's
// time-out and quitting all wait until the work on the stack has settled. Also
// the undo rules of a count-down game and the report after a new game.

#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "config/settings_model.h"
#include "config/settings_store.h"
#include "control/ui/paint_box.h"
#include "control/ui/prompter.h"
#include "control/ui/status_main.h"
#include "control/ui/tfrm_game.h"
#include "control/ui/tool_button.h"
#include "scores/scores_ui_fixture.h"
#include "scores/ui/t_digit.h"
#include "scores/ui/tfrm_count_down.h"
#include "ui/window_fixture.h"

using namespace pebble;
using namespace pebble::ui;
using namespace pebble::testing;

namespace {

// Every message the status bar was painted with, in turn.
class MessageRecorder : public QObject {
 public:
  explicit MessageRecorder(TfrmGame& window) : window_(window) { window.statusMain()->installEventFilter(this); }
  QStringList painted;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && (painted.isEmpty() || painted.last() != window_.CurrentMessage()))
      painted << window_.CurrentMessage();
    return false;
  }

 private:
  TfrmGame& window_;
};

void MakeAMove(TfrmGame& w) {
  const Field& field = w.GetGame().GetField();
  QTest::mouseClick(w.imgMain(), Qt::LeftButton, {}, CellCentre(field, FirstMovable(field)));
}

// A stone on the ramp over column 1, whose top cell is emptied for it.
void StoneOverColumnOne(TfrmGame& w) {
  Field& field = w.GetGame().GetField();
  field[field.CellIndex(1, 1)].Occupied = 0;
  field.Recount();
  w.DrawWholeField();
  w.imgRamp()->GetRamp()->RampStones().push_back(RampStone{0, skNormal, w.Settings().stoneColors[0], 1});
  w.imgRamp()->RampPaint();
}

void ClickTheRampStone(TfrmGame& w) {
  QTest::mousePress(w.imgRamp(), Qt::LeftButton, {}, QPoint(w.Settings().stoneWidth / 2, w.Settings().stoneHeight / 2));
}

// Runs `during` from inside the first animation frame of the drop.
void DropWith(TfrmGame& w, const std::function<void()>& during) {
  StoneOverColumnOne(w);
  bool ran = false;
  QTimer::singleShot(1, &w, [&] {
    QVERIFY(w.imgRamp()->GetRamp() && w.imgRamp()->GetRamp()->DroppingStone());
    during();
    ran = true;
  });
  ClickTheRampStone(w);
  QVERIFY(ran);
}

}  // namespace

class TeardownTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> home_;
  std::unique_ptr<SettingsStore> store_;
  ScriptedPrompter prompter_;

  std::unique_ptr<TfrmGame> Open(std::vector<std::string> arguments) { return OpenWindow(*store_, std::move(arguments)); }

  // A count-down game whose clock runs and whose ramp moves only when told.
  std::unique_ptr<TfrmGame> OpenCountDownGame(std::vector<std::string> arguments = {"sounds:no"}) {
    arguments.push_back("autodrop:yes");
    auto w = Open(std::move(arguments));
    [&] { QTRY_VERIFY(w->CountDown() != nullptr); }();
    w->imgRamp()->DropTimer().stop();
    return w;
  }

  void AnimationsOf(int ms) { pebble::testing::AnimationsOf(*store_, ms); }

 private slots:
  void init() {
    home_ = std::make_unique<QTemporaryDir>();
    store_ = StoreInHome(*home_);
    prompter_ = ScriptedPrompter();
    SetPrompter(&prompter_);  // questions, names, file names and the report come from this test's script
    ProgramRandom().SetFixedSeed(20261211);
  }

  void cleanup() {
    SetPrompter(nullptr);
    store_.reset();
    home_.reset();
  }

  void closingDuringAClickAnimationWaitsForTheMoveThenLeaves() {
    AnimationsOf(20);
    auto w = Open({"sounds:no"});
    w->move(70, 80);
    Game& game = w->GetGame();
    const std::int32_t target = FirstMovable(game.GetField());
    const std::int32_t left = game.Counters().StonesLeft - game.GroupSize(target);
    bool busy = false, closedAtOnce = true, shownAfterClose = false;
    QTimer::singleShot(1, w.get(), [&] {
      busy = game.Busy();
      closedAtOnce = w->close();
      shownAfterClose = w->isVisible();
    });
    QTest::mouseClick(w->imgMain(), Qt::LeftButton, {}, CellCentre(game.GetField(), target));

    QVERIFY(busy);
    QVERIFY(!closedAtOnce);
    QVERIFY(shownAfterClose);
    QVERIFY(!w->isVisible());
    QCOMPARE(game.Counters().StonesLeft, left);
    QCOMPARE(store_->ReadRegInt(kRootSection, kValueMainLeft, 0), 70);
    QCOMPARE(store_->ReadRegInt(kRootSection, kValueMainTop, 0), 80);
  }

  void closingDuringARampDropWaitsForTheDropThenLeaves() {
    AnimationsOf(20);
    auto w = OpenCountDownGame();
    bool closedAtOnce = true, rampKept = false;
    DropWith(*w, [&] {
      closedAtOnce = w->close();
      closedAtOnce = w->close() || closedAtOnce;  // a second close asks nothing new
      rampKept = w->imgRamp()->GetRamp() != nullptr && w->isVisible();
    });

    QVERIFY(!closedAtOnce);
    QVERIFY(rampKept);
    QVERIFY(!w->isVisible());
    QVERIFY(w->imgRamp()->GetRamp() == nullptr);
    QVERIFY(!w->CountDown()->isVisible());
    const Field& field = w->GetGame().GetField();
    QVERIFY(field[field.CellIndex(1, 1)].Occupied);  // the stone landed before the window went
  }

  void everyCommandAskedDuringADropRunsAfterIt() {
    struct Case {
      const char* name;
      std::function<void(TfrmGame&)> ask;
      std::function<bool(TfrmGame&, int games)> done;
    };
    const auto newGame = [](TfrmGame& w, int games) { return w.SetUpCount() == games + 1; };
    const Case cases[] = {
        {"N", [](TfrmGame& w) { QTest::keyClick(&w, Qt::Key_N); }, newGame},
        {"new game from the configuration", [](TfrmGame& w) { w.StartNewGame(); }, newGame},
        {"O", [](TfrmGame& w) { QTest::keyClick(&w, Qt::Key_O); },
         [newGame](TfrmGame& w, int games) { return newGame(w, games) && w.CurrentMessage() == "Opened your game file!"; }},
        {"Z", [](TfrmGame& w) { QTest::keyClick(&w, Qt::Key_Z); },
         [](TfrmGame& w, int) { return w.GetGame().History().Empty(); }},
        {"language switch",
         [](TfrmGame& w) {
           GameSettings german = w.Settings();
           german.languageOffset = 0;
           w.UpdateSettings(german);
           w.LanguageChanged();
         },
         [](TfrmGame& w, int) { return w.Button(bttNew)->toolTip() == "Neues Spiel!"; }},
        {"time-out",
         [](TfrmGame& w) {
           w.CountDown()->Digit()->SetValue(1);
           w.CountDown()->TimerCDTimer();
         },
         [](TfrmGame& w, int) { return !w.GetGame().GameRunning() && w.CurrentMessage() == "Time is up!"; }},
    };
    AnimationsOf(20);
    for (const Case& c : cases) {
      auto w = OpenCountDownGame();
      prompter_.fileName = home_->filePath("deal.clk");
      w->SaveGame();
      MakeAMove(*w);
      const int games = w->SetUpCount();
      bool doneDuringDrop = true;
      DropWith(*w, [&] {
        c.ask(*w);
        doneDuringDrop = c.done(*w, games);
      });
      QVERIFY2(!doneDuringDrop, c.name);
      QVERIFY2(c.done(*w, games), c.name);
    }
  }

  void restartInACountDownGameEmptiesTheRamp() {
    auto w = OpenCountDownGame({"sounds:no", "animations:no"});
    MessageRecorder messages(*w);
    MakeAMove(*w);
    StoneOverColumnOne(*w);
    const QImage& ramp = w->imgRamp()->Image();
    const int y = w->Settings().stoneHeight / 2;
    auto plainRamp = [&] {
      for (int x = 0; x < ramp.width(); ++x)
        if (ramp.pixel(x, y) != ramp.pixel(0, 0)) return false;
      return true;
    };
    QVERIFY(!plainRamp());

    QTest::keyClick(w.get(), Qt::Key_Z, Qt::ShiftModifier);
    QVERIFY(w->imgRamp()->GetRamp()->RampStones().empty());
    QVERIFY(plainRamp());
    QVERIFY(w->GetGame().History().Empty());
    QVERIFY(messages.painted.contains("Restoring the game"));
    QCOMPARE(w->CurrentMessage(), QString());
  }

  void aConfirmedUndoAfterTheEndRunsTheClockAndTheRampOn() {
    auto w = OpenCountDownGame({"sounds:no", "animations:no"});
    w->imgRamp()->DropTimer().start();
    MakeAMove(*w);
    TfrmCountDown& clock = *w->CountDown();
    clock.StopCountDown();  // the game has ended as the last move ends it
    const std::int32_t secondsLeft = clock.Digit()->Value();
    QVERIFY(!w->GetGame().GameRunning());
    QVERIFY(!clock.TimerCD().isActive());
    QVERIFY(!w->imgRamp()->DropTimer().isActive());

    prompter_.answerYes = false;
    QTest::keyClick(w.get(), Qt::Key_Z);
    QVERIFY(prompter_.said.last().contains("Proceed?"));
    QVERIFY(!w->GetGame().GameRunning());
    QVERIFY(!clock.TimerCD().isActive());
    QVERIFY(!w->imgRamp()->DropTimer().isActive());
    QVERIFY(!w->GetGame().History().Empty());

    MessageRecorder messages(*w);
    prompter_.answerYes = true;
    QTest::keyClick(w.get(), Qt::Key_Z);
    QVERIFY(w->GetGame().GameRunning());
    QVERIFY(clock.TimerCD().isActive());
    QVERIFY(w->imgRamp()->DropTimer().isActive());
    QCOMPARE(clock.Digit()->Value(), secondsLeft);
    QVERIFY(w->GetGame().History().Empty());
    QVERIFY(messages.painted.contains("Undoing the last move..."));
    QCOMPARE(w->CurrentMessage(), QString());
  }

  void theReportAfterANewGameShowsTheLastFilesHistory() {
    const QString deal = home_->filePath("deal.clk");
    WriteSavedGame(deal.toStdString(), {Entry("Ann", 3)});
    auto w = Open({deal.toStdString(), "sounds:no"});
    QCOMPARE(w->CurrentMessage(), QString("Opened your game file!"));

    QTest::keyClick(w.get(), Qt::Key_N);
    QTest::keyClick(w.get(), Qt::Key_R);
    QCOMPARE(prompter_.shownModal.size(), 1);
    QCOMPARE(prompter_.said, QStringList());

    // A file that is no game takes the name: its bytes are nobody's history.
    QFile junk(home_->filePath("junk.clk"));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(9000, 'x'));
    junk.close();
    prompter_.fileName = junk.fileName();
    QTest::keyClick(w.get(), Qt::Key_O);
    QCOMPARE(prompter_.said.size(), 1);
    prompter_.said.clear();
    QTest::keyClick(w.get(), Qt::Key_R);
    QCOMPARE(prompter_.shownModal.size(), 1);
    QCOMPARE(prompter_.said.size(), 1);
    QVERIFY(prompter_.said.first().startsWith("info: "));
  }

  // Quitting ends the application's event loops for good, so this runs last.
  void quitFromTheConfigurationDuringADropWaitsForIt() {
    AnimationsOf(20);
    auto w = OpenCountDownGame();
    bool closedAtOnce = true;
    DropWith(*w, [&] {
      w->QuitProgram();
      closedAtOnce = !w->isVisible() || w->imgRamp()->GetRamp() == nullptr;
    });
    QVERIFY(!closedAtOnce);
    QVERIFY(!w->isVisible());
    QVERIFY(w->imgRamp()->GetRamp() == nullptr);
  }
};

int main(int argc, char** argv) {
  Q_INIT_RESOURCE(pebbledrome);
  QApplication app(argc, argv);
  TeardownTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "teardown_test.moc"

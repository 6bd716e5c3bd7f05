// Playing beyond the mouse: deal numbers, redo, and the keyboard's cursor,
// with real widgets and keys on the offscreen platform.

#include <QCheckBox>
#include <QRegularExpression>
#include <QTextEdit>
#include <QtTest>
#include <memory>
#include <optional>

#include "config/settings_model.h"
#include "config/settings_store.h"
#include "config/ui/tfrm_cfg.h"
#include "control/ui/paint_box.h"
#include "control/ui/prompter.h"
#include "control/ui/status_main.h"
#include "control/ui/keyboard_play.h"
#include "control/ui/tfrm_game.h"
#include "control/ui/tool_button.h"
#include "engine/deal.h"
#include "scores/score_store.h"
#include "scores/ui/tfrm_stats.h"
#include "scores/ui/tfrm_hints.h"
#include "ui/window_fixture.h"

using namespace pebble;
using namespace pebble::ui;
using pebble::testing::CellCentre;
using pebble::testing::FirstMovable;
using pebble::testing::OpenWindow;
using pebble::testing::WindowHome;

namespace {

// What the player sees of a position: the field, the counters, the score and
// the status bar's panels.
struct Seen {
  std::vector<TStoneCell> cells;
  FieldCounters counters;
  std::int32_t score = 0;
  QStringList panels;
  bool undoEnabled = false;
  bool operator==(const Seen&) const = default;
};

Seen SeenIn(TfrmGame& w) {
  QStringList panels;
  for (int p = 0; p < 4; ++p) panels << w.statusMain()->PanelText(p);
  return {w.GetGame().GetField().Cells(), w.GetGame().Counters(), w.GetGame().Score(), panels,
          w.Button(bttUndo)->isEnabled()};
}

}  // namespace

class PlayTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<WindowHome> home_;
  pebble::testing::ScriptedPrompter& Prompter() { return home_->Prompter(); }

  std::unique_ptr<TfrmGame> Open(std::vector<std::string> arguments) {
    for (const char* quiet : {"animations:no", "sounds:no", "resize:no"}) arguments.insert(arguments.begin(), quiet);
    return OpenWindow(home_->Store(), std::move(arguments));
  }

  void Click(TfrmGame& w, std::int32_t index) {
    QTest::mouseClick(w.imgMain(), Qt::LeftButton, {}, CellCentre(w.GetGame().GetField(), index));
  }

  // Moves the keyboard's cursor to a cell with the arrow keys (and Home/End
  // where they lead straight to the column).
  void KeysTo(TfrmGame& w, std::int32_t index) {
    const Field& field = w.GetGame().GetField();
    const CellPos target = field.CellPosition(index);
    if (!w.Keyboard().Cursor().Shown()) QTest::keyClick(&w, Qt::Key_Up);
    if (target.column == 1) QTest::keyClick(&w, Qt::Key_Home);
    if (target.column == field.Columns()) QTest::keyClick(&w, Qt::Key_End);
    while (w.Keyboard().Cursor().Position().row < target.row) QTest::keyClick(&w, Qt::Key_Down);
    while (w.Keyboard().Cursor().Position().row > target.row) QTest::keyClick(&w, Qt::Key_Up);
    while (w.Keyboard().Cursor().Position().column < target.column) QTest::keyClick(&w, Qt::Key_Right);
    while (w.Keyboard().Cursor().Position().column > target.column) QTest::keyClick(&w, Qt::Key_Left);
  }

 private slots:
  void initTestCase() { Q_INIT_RESOURCE(pebbledrome); }

  void init() {
    home_ = std::make_unique<WindowHome>();
    Prompter().textsLeftOver = QString("Keys");  // the winner's name, whenever a game ends
    ProgramRandom().SetFixedSeed(20261211);
  }

  void cleanup() { home_.reset(); }

  // --- deal numbers ----------------------------------------------------------

  void aDealOnTheCommandLineDealsItsFieldEveryTime() {
    auto a = Open({"deal:4242"});
    auto b = Open({"deal:4242"});
    auto c = Open({"deal:4243"});
    const Field& field = a->GetGame().GetField();
    QCOMPARE(a->GetGame().Deal(), std::optional<DealNumber>(4242));
    QCOMPARE(field.Cells(), b->GetGame().GetField().Cells());
    QVERIFY(field.Cells() != c->GetGame().GetField().Cells());
    QCOMPARE(field.Cells(),
             DealField(4242, a->GetGame().Settings(), {field.Columns(), field.Rows()}).Cells());
    QVERIFY(a->statusMain()->ToolTipText().contains("Deal number: 4242"));
    // The command line's deal is the first game only; N deals afresh.
    QTest::keyClick(a.get(), Qt::Key_N);
    QVERIFY(a->GetGame().Deal() != std::optional<DealNumber>(4242));
    QVERIFY(a->statusMain()->ToolTipText().contains(QString::number(*a->GetGame().Deal())));
  }

  void badDealsOnTheCommandLineDealAtRandom() {
    for (const char* bad : {"deal:0", "deal:abc", "deal:", "deal:1000000000"}) {
      auto w = Open({bad});
      QVERIFY2(w->GetGame().Deal().has_value(), bad);
      QVERIFY2(Prompter().said.isEmpty(), bad);
    }
  }

  void theDialogStartsTheDealTypedAndRefusesWhatIsNoDeal() {
    auto w = Open({"deal:99"});
    Prompter().texts = {" 123456 "};
    w->PlayDealNumber();
    QCOMPARE(Prompter().textQuestions.back().preset, QString("99"));
    QCOMPARE(w->GetGame().Deal(), std::optional<DealNumber>(123456));
    const Field& field = w->GetGame().GetField();
    QCOMPARE(field.Cells(), DealField(123456, w->GetGame().Settings(), {field.Columns(), field.Rows()}).Cells());

    const int games = w->SetUpCount();
    for (const QString& bad : {QString("12x"), QString("0"), QString(""), QString("-3"), QString(200, '9')}) {
      Prompter().said.clear();
      Prompter().texts = {bad};
      w->PlayDealNumber();
      QCOMPARE(Prompter().said.size(), 1);
      QVERIFY2(Prompter().said.front().startsWith("error: \"" + bad.left(20)), qPrintable(Prompter().said.front()));
      QVERIFY(Prompter().said.front().contains("is not a deal number"));
    }
    Prompter().texts = {std::nullopt};  // cancelled
    w->PlayDealNumber();
    QCOMPARE(w->SetUpCount(), games);
    QCOMPARE(w->GetGame().Deal(), std::optional<DealNumber>(123456));
  }

  // --- redo ------------------------------------------------------------------

  void yReplaysTheUndoneMoveAndANewMoveEndsIt() {
    auto w = Open({"deal:777", "score:high"});
    const Field& field = w->GetGame().GetField();
    Click(*w, FirstMovable(field));
    const Seen afterMove = SeenIn(*w);
    QTest::keyClick(w.get(), Qt::Key_Z);
    QVERIFY(!(SeenIn(*w) == afterMove));
    QTest::keyClick(w.get(), Qt::Key_Y, Qt::ControlModifier);  // modifiers are not looked at
    QVERIFY(SeenIn(*w) == afterMove);
    QTest::keyClick(w.get(), Qt::Key_Y);  // nothing more to redo
    QVERIFY(SeenIn(*w) == afterMove);

    QTest::keyClick(w.get(), Qt::Key_Z);
    // Another move: a group of another colour.
    const ColorValue undone = field[FirstMovable(field)].Color;
    std::int32_t other = field.Size() - 1;
    while (other >= 0 && !(field[other].SameColorCount > 0 && field[other].Color != undone)) --other;
    QVERIFY(other >= 0);
    Click(*w, other);
    const Seen afterNewMove = SeenIn(*w);
    QTest::keyClick(w.get(), Qt::Key_Y);
    QVERIFY(SeenIn(*w) == afterNewMove);
  }

  void restartWithShiftThenYStepsThroughTheWholeGame() {
    auto w = Open({"deal:2026", "score:high"});
    const Field& field = w->GetGame().GetField();
    std::vector<Seen> played{SeenIn(*w)};
    for (int move = 0; move < 5 && FirstMovable(field) >= 0; ++move) {
      Click(*w, FirstMovable(field));
      played.push_back(SeenIn(*w));
    }
    QTest::keyClick(w.get(), Qt::Key_Z, Qt::ShiftModifier);
    QCOMPARE(SeenIn(*w).cells, played.front().cells);
    QVERIFY(!w->Button(bttUndo)->isEnabled());
    for (std::size_t move = 1; move < played.size(); ++move) {
      QTest::keyClick(w.get(), Qt::Key_Y);
      QVERIFY2(SeenIn(*w) == played[move], qPrintable(QString("move %1").arg(move)));
    }
  }

  void aFinishedGameUndoneAndRedoneCountsOnce() {
    auto w = Open({"deal:31", "columns:7", "rows:5", "colors:3", "score:high"});
    const Field& field = w->GetGame().GetField();
    while (w->GetGame().GameRunning()) Click(*w, FirstMovable(field));
    const Seen atTheEnd = SeenIn(*w);
    const ScoreKeeper& keeper = w->Stats()->Keeper();
    QCOMPARE(keeper.Counters().GamesPlayed, 1);
    const ScoreTable table = keeper.Table();
    QCOMPARE(table[0].Name, std::string("Keys"));

    for (int round = 0; round < 2; ++round) {
      QTest::keyClick(w.get(), Qt::Key_Z);  // Yes at the cheat alarm
      QVERIFY(w->GetGame().GameRunning());
      QTest::keyClick(w.get(), Qt::Key_Y);
      QVERIFY(!w->GetGame().GameRunning());
      QCOMPARE(SeenIn(*w).cells, atTheEnd.cells);
      QCOMPARE(w->GetGame().Score(), atTheEnd.score);
    }
    QCOMPARE(Prompter().warnings.size(), 2);
    QCOMPARE(keeper.Counters().GamesPlayed, 1);
    QCOMPARE(keeper.Table(), table);
    QCOMPARE(Prompter().textQuestions.size(), std::size_t{1});  // one name query, at the first end
  }

  // A game played with advice, or dealt to be clearable, takes its place
  // with a mark; an ordinary game without one.
  void gamesWithHelpAreMarkedInTheTable() {
    const auto aided = [](const TfrmGame& w) {
      int marked = 0;
      for (const ScorePlace& place : w.Stats()->Keeper().Table()) marked += place.Aided ? 1 : 0;
      return marked;
    };
    const auto playToTheEnd = [this](TfrmGame& w) {
      QTRY_VERIFY_WITH_TIMEOUT(!w.GetGame().SettingUp(), 10000);
      const Field& field = w.GetGame().GetField();
      while (w.GetGame().GameRunning()) Click(w, FirstMovable(field));
    };
    const std::vector<std::string> small{"columns:7", "rows:5", "colors:3", "score:high"};
    auto plain = Open(small);
    playToTheEnd(*plain);
    QCOMPARE(aided(*plain), 0);

    auto advised = Open(small);
    QTRY_VERIFY_WITH_TIMEOUT(!advised->GetGame().SettingUp(), 10000);
    QTest::keyClick(advised.get(), Qt::Key_B);
    playToTheEnd(*advised);
    QCOMPARE(aided(*advised), 1);

    home_->Store().SaveRegBool(kConfigSection, kValueClearableDeals, true);
    auto clearable = Open(small);
    playToTheEnd(*clearable);
    QCOMPARE(aided(*clearable), 2);
    const QStringList names = clearable->Stats()->findChild<QTextEdit*>("listNames")->toPlainText().split('\n');
    QCOMPARE(names.filter(QRegularExpression(" \\*$")).size(), 2);
    QVERIFY(clearable->Stats()->findChild<QTextEdit*>("listNames")->toolTip().contains("played with advice"));
  }

  void undoSwitchedOffInTheConfigurationHoldsFromTheNextGame() {
    auto w = Open({"deal:12", "score:high"});
    const int games = w->SetUpCount();
    Click(*w, FirstMovable(w->GetGame().GetField()));
    QTest::keyClick(w.get(), Qt::Key_C);
    TfrmCfg* cfg = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
      if (auto* found = qobject_cast<TfrmCfg*>(top); found && found->isVisible()) cfg = found;
    QVERIFY(cfg);
    cfg->chkBackup->setChecked(false);
    cfg->bttSaveClick();
    QVERIFY(w->isVisible());
    QCOMPARE(w->SetUpCount(), games);  // the same game goes on, its move still undoable
    QVERIFY(w->Button(bttUndo)->isEnabled());
    QVERIFY(Prompter().informations.back().contains("next game"));
    QTest::keyClick(w.get(), Qt::Key_Z);
    QVERIFY(!w->Button(bttUndo)->isEnabled());

    QTest::keyClick(w.get(), Qt::Key_N);
    QVERIFY(!w->GetGame().Settings().undoInfo);
    Click(*w, FirstMovable(w->GetGame().GetField()));
    QVERIFY(!w->Button(bttUndo)->isEnabled());
  }

  // --- the keyboard's cursor -------------------------------------------------

  void theKeysPlayAWholeGameAndTheCursorStaysOnTheStones() {
    auto w = Open({"deal:31", "columns:7", "rows:5", "colors:3"});
    const Field& field = w->GetGame().GetField();
    QVERIFY(!w->imgMain()->Frame());
    QTest::keyClick(w.get(), Qt::Key_Right);  // the first key shows the cursor where it is
    QVERIFY(w->imgMain()->Frame());
    QCOMPARE(w->Keyboard().Cursor().Position(), (CellPos{5, 1}));
    QTest::keyClick(w.get(), Qt::Key_End);
    QCOMPARE(w->Keyboard().Cursor().Position(), (CellPos{5, 7}));

    int moves = 0;
    bool enter = false;
    while (w->GetGame().GameRunning()) {
      KeysTo(*w, FirstMovable(field));
      const std::int32_t left = field.Counters().StonesLeft;
      QTest::keyClick(w.get(), (enter = !enter) ? Qt::Key_Return : Qt::Key_Space);
      QVERIFY(field.Counters().StonesLeft < left);
      ++moves;
      const std::int32_t at = w->Keyboard().Cursor().Index(field);
      QVERIFY(field.Contains(at));
      QVERIFY(field[at].Occupied || field.Counters().StonesLeft == 0);
      const TStoneCell& cell = field[at];
      QCOMPARE(*w->imgMain()->Frame(), QRect(cell.Left, cell.Top, field.StoneWidth() + 1, field.StoneHeight() + 1));
    }
    QVERIFY(moves > 3);
    QCOMPARE(w->statusMain()->PanelText(1), QString::number(field.Counters().StonesLeft));

    // A mouse click hides the cursor; the next arrow key brings it back.
    QTest::mouseClick(w->imgMain(), Qt::LeftButton, {}, QPoint(1, 1));
    QVERIFY(!w->imgMain()->Frame());
    QTest::keyClick(w.get(), Qt::Key_Left);
    QVERIFY(w->imgMain()->Frame());
  }

  void anOpenHintsWindowFollowsTheCursor() {
    auto w = Open({"deal:8"});
    QTest::keyClick(w.get(), Qt::Key_H);
    TfrmHints* hints = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
      if (auto* found = qobject_cast<TfrmHints*>(top); found && found->isVisible()) hints = found;
    QVERIFY(hints);
    const Field& field = w->GetGame().GetField();
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Right, Qt::Key_End}) {
      QTest::keyClick(w.get(), key);
      QCOMPARE(hints->ShownIndex(), w->Keyboard().Cursor().Index(field));
    }
  }

  void theDropKeyDropsTheRampStoneAboveTheCursor() {
    auto w = Open({"deal:5", "autodrop:yes", "columns:8", "rows:6"});
    Game& game = w->GetGame();
    const Field& field = game.GetField();
    // Make room in the third column with clicks until its top cell is empty.
    while (field[field.CellIndex(1, 3)].Occupied && FirstMovable(field) >= 0) {
      const std::int32_t column3 = [&] {
        for (std::int32_t row = 1; row <= field.Rows(); ++row) {
          const std::int32_t i = field.CellIndex(row, 3);
          if (field[i].Occupied && field[i].Kind == skNormal && field[i].SameColorCount > 0) return i;
        }
        return FirstMovable(field);
      }();
      Click(*w, column3);
    }
    QVERIFY(!field[field.CellIndex(1, 3)].Occupied);
    KeysTo(*w, field.CellIndex(field.Rows(), 3));
    const std::int32_t left = field.Counters().StonesLeft;
    w->imgRamp()->GetRamp()->RampStones() = {RampStone{2 * field.StoneWidth() + 3, skNormal, kClassicPalette[0], 1}};
    QTest::keyClick(w.get(), Qt::Key_D);
    QCOMPARE(field.Counters().StonesLeft, left + 1);
    QVERIFY(w->imgRamp()->GetRamp()->RampStones().empty());
    QTest::keyClick(w.get(), Qt::Key_D);  // no stone above: nothing happens
    QCOMPARE(field.Counters().StonesLeft, left + 1);
  }
};

QTEST_MAIN(PlayTest)
#include "play_test.moc"

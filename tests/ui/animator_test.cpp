// The animation stages frame by frame: where falling, sliding and dropping
// stones stand at each tick of the animation clock, which strips they
// uncover, and which interval each stage of a real move runs at. The surface
// is caught at every tick, so nothing depends on when the screen repaints.

#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>
#include <utility>
#include <vector>

#include "config/settings_model.h"
#include "config/settings_store.h"
#include "control/ui/paint_box.h"
#include "control/ui/prompter.h"
#include "control/ui/tfrm_game.h"
#include "engine/ui/animator.h"
#include "render/ui/field_painter.h"
#include "ui/window_fixture.h"

using namespace pebble;
using namespace pebble::ui;

namespace {

constexpr int W = 20, H = 21;
constexpr QRgb kBackground = 0xFF406080u;
constexpr ColorValue kStone = 0x0000C0F0;  // 0x00BBGGRR
constexpr QRgb kMagenta = 0xFFFF00FFu;

using Ranges = std::vector<std::pair<int, int>>;  // [from, to) pixel runs

// The surface as it stood when a tick of the clock came, and the clock's interval.
struct Tick {
  QImage surface;
  int interval = 0;
};

// Where a line of the surface differs from the background: 'S' for a stone
// pixel, '.' for background. The field's outer frame lines are left out, since
// a stone's own frame there looks like the background's.
QString ColumnProfile(const QImage& surface, const QImage& background, int x) {
  QString profile;
  for (int y = 1; y < surface.height() - 1; ++y) profile += surface.pixel(x, y) == background.pixel(x, y) ? '.' : 'S';
  return profile;
}

QString RowProfile(const QImage& surface, const QImage& background, int y) {
  QString profile;
  for (int x = 1; x < surface.width() - 1; ++x) profile += surface.pixel(x, y) == background.pixel(x, y) ? '.' : 'S';
  return profile;
}

// The same profile written from the runs where stones are expected.
QString Expected(int length, const Ranges& stones) {
  QString profile(length - 2, '.');
  for (auto [from, to] : stones)
    for (int p = std::max(from, 1); p < std::min(to, length - 1); ++p) profile[p - 1] = 'S';
  return profile;
}

// A small field with plain, framed stones on a flat background, an animator
// drawing on it and every tick of its clock caught.
class AnimatorRig {
 public:
  AnimatorRig(int columns, int rows) : field(columns, rows, W, H) {
    settings.textured = false;
    settings.traceOutline = false;
    settings.animationsOn = true;
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(kBackground);
    GameRandom random;
    painter.Prepare(settings, QSize(field.PixelWidth(), field.PixelHeight()), picture, random);
    view.resize(field.PixelWidth(), field.PixelHeight());
    view.show();
    auto* clock = animator.findChild<QTimer*>("TimerAni");
    QVERIFY(clock);
    QObject::connect(clock, &QTimer::timeout, &view, [this, clock] { ticks.push_back({painter.Surface().copy(), clock->interval()}); });
  }

  void Put(int row, int column) {
    TStoneCell& cell = field[field.CellIndex(row, column)];
    cell.Occupied = 1;
    cell.Color = kStone;
    painter.DrawStone(field, cell, 0, painter.Surface(), 0, {});
  }

  QString Column(const QImage& surface, int column) const {
    return ColumnProfile(surface, painter.BackgroundBitmap(), (column - 1) * W + W / 2);
  }
  QString Row(const QImage& surface, int row) const {
    return RowProfile(surface, painter.BackgroundBitmap(), (row - 1) * H + H / 2);
  }

  GameSettings settings;
  Field field;
  FieldPainter painter;
  QWidget view;
  Animator animator{painter, [this](const QRect& changed) { view.update(changed); }};
  std::vector<Tick> ticks;
};

// A keyed picture over the background, composed here from the resource itself.
QImage Composed(const QImage& background, const QRect& cell, const QString& resource) {
  const QImage picture = QImage(resource).convertToFormat(QImage::Format_RGB32);
  QImage expected = background.copy(cell);
  for (int y = 0; y < cell.height(); ++y)
    for (int x = 0; x < cell.width(); ++x)
      if ((picture.pixel(x, y) | 0xFF000000u) != kMagenta) expected.setPixel(x, y, picture.pixel(x, y));
  return expected;
}

}  // namespace

class AnimatorTest : public QObject {
  Q_OBJECT
  pebble::testing::ScriptedPrompter quiet_;

 private slots:
  void initTestCase() {
    Q_INIT_RESOURCE(pebbledrome);
    SetPrompter(&quiet_);
  }
  void cleanupTestCase() { SetPrompter(nullptr); }

  void fallingStacksMoveAQuarterOfTheirWayPerTickAndUncoverTheirStrip() {
    AnimatorRig rig(4, 4);
    // Column 2: two stones over two emptied rows; column 3: one stone over one
    // emptied row, with two stones resting below it.
    for (auto [row, column] : {std::pair{1, 2}, {2, 2}, {1, 3}, {3, 3}, {4, 3}}) rig.Put(row, column);
    const FallList stacks{{rig.field.CellIndex(2, 2), 2, 2}, {rig.field.CellIndex(1, 3), 1, 1}};
    rig.animator.FallAnimation(rig.field, stacks, 40);

    QCOMPARE(rig.ticks.size(), std::size_t{4});
    const int height = rig.field.PixelHeight();
    const int twoRows[] = {11, 21, 32, 42}, oneRow[] = {5, 11, 16, 21};
    for (std::size_t j = 0; j < 4; ++j) {
      const QImage& frame = rig.ticks[j].surface;
      QCOMPARE(rig.Column(frame, 2), Expected(height, {{twoRows[j], twoRows[j] + 2 * H}}));
      QCOMPARE(rig.Column(frame, 3), Expected(height, {{oneRow[j], oneRow[j] + H}, {2 * H, 4 * H}}));
      QCOMPARE(rig.ticks[j].interval, 40);
    }
    QVERIFY(!rig.animator.ClockRunning());
  }

  void slidingColumnsMoveByTheirShiftAndUncoverTheirRightEdge() {
    AnimatorRig rig(5, 2);
    // Columns 1 and 3 are empty: column 2 slides one column, 4 and 5 slide two.
    for (int row = 1; row <= 2; ++row)
      for (int column : {2, 4, 5}) rig.Put(row, column);
    const GapList gaps{{1, 1, 1, 1}, {3, 1, 2, 2}};
    rig.animator.ColumnAnimation(rig.field, gaps, 45);

    QCOMPARE(rig.ticks.size(), std::size_t{4});
    const int width = rig.field.PixelWidth();
    const Ranges expected[] = {{{15, 35}, {50, 90}}, {{10, 30}, {40, 80}}, {{5, 25}, {30, 70}}, {{0, 20}, {20, 60}}};
    for (std::size_t j = 0; j < 4; ++j) {
      for (int row = 1; row <= 2; ++row) QCOMPARE(rig.Row(rig.ticks[j].surface, row), Expected(width, expected[j]));
      QCOMPARE(rig.ticks[j].interval, 45);
    }
  }

  void aDroppedStoneFallsFromAboveTheFieldAndLeavesItsCellToTheCaller() {
    // (landing row, first visible pixel row and end of the stone at each tick)
    const std::pair<int, Ranges> cases[] = {
        {1, {{0, 5}, {0, 10}, {0, 16}, {0, 21}}},          // drawn 16, 11, 5 and 0 pixels above its place
        {3, {{0, 16}, {10, 31}, {26, 47}, {42, 63}}},      // 47, 32, 16 and 0 above
    };
    for (const auto& [row, stones] : cases) {
      AnimatorRig rig(3, 3);
      const std::int32_t landing = rig.field.CellIndex(row, 2);
      rig.field[landing].Occupied = 1;
      rig.field[landing].Color = kStone;
      rig.animator.DropAnimation(rig.field, landing, 35, {});

      QCOMPARE(rig.ticks.size(), std::size_t{4});
      for (std::size_t k = 0; k < 4; ++k) {
        QCOMPARE(rig.Column(rig.ticks[k].surface, 2), Expected(rig.field.PixelHeight(), {stones[k]}));
        QCOMPARE(rig.ticks[k].interval, 35);
      }
      QCOMPARE(rig.Column(rig.painter.Surface(), 2), Expected(rig.field.PixelHeight(), {}));
    }
  }

  void removedStonesCrumbleOneFramePerTickThenVanish() {
    AnimatorRig rig(3, 3);
    for (int row = 1; row <= 3; ++row) rig.Put(row, 2);
    rig.Put(3, 3);
    // Rows 2 and 3 of column 2 as one run; row 3 of column 3 as another.
    const RemovalList runs{{rig.field.CellIndex(3, 2), 3, 2, 2}, {rig.field.CellIndex(3, 3), 3, 3, 1}};
    rig.animator.DeleteAnimation(rig.field, runs, 30);

    QCOMPARE(rig.ticks.size(), std::size_t{4});
    const QImage& background = rig.painter.BackgroundBitmap();
    for (int frame = 0; frame < 4; ++frame) {
      const QImage& surface = rig.ticks[static_cast<std::size_t>(frame)].surface;
      for (auto [row, column] : {std::pair{2, 2}, {3, 2}, {3, 3}}) {
        const QRect cell((column - 1) * W, (row - 1) * H, W, H);
        QCOMPARE(surface.copy(cell), Composed(background, cell, QString(":/res/BREAK%1").arg(frame)));
      }
      QCOMPARE(rig.ticks[static_cast<std::size_t>(frame)].interval, 30);
    }
    const QImage& after = rig.painter.Surface();
    QCOMPARE(rig.Column(after, 2), Expected(rig.field.PixelHeight(), {{0, H}}));
    QCOMPARE(rig.Column(after, 3), Expected(rig.field.PixelHeight(), {}));
  }

  void eachStageOfAMoveAndOfADropRunsAtItsOwnInterval() {
    QTemporaryDir home;
    const std::unique_ptr<SettingsStore> store = pebble::testing::StoreInHome(home);
    const std::pair<std::string_view, int> intervals[] = {{kValueAniIntervalDelete, 41},
                                                          {kValueAniIntervalMoveStone, 43},
                                                          {kValueAniIntervalMoveRow, 47},
                                                          {kValueAniIntervalDrop, 53}};
    for (auto [name, ms] : intervals) store->SaveRegInt(kConfigSection, name, ms);
    ProgramRandom().SetFixedSeed(20261220);  // the stones that come onto the ramp meanwhile
    auto w = std::make_unique<TfrmGame>(*store, std::vector<std::string>{"deal:2026", "autodrop:yes", "sounds:no"});
    w->show();
    QTRY_VERIFY(w->CountDown() != nullptr);
    w->imgRamp()->DropTimer().stop();  // no stone comes onto the ramp by itself

    // Column 1 and the bottom stone of column 2 form one group; the rest is a
    // chequer of two other colours. Clearing the group lets column 2 fall one
    // row, then every column slides left by one.
    Game& game = w->GetGame();
    std::vector<TStoneCell> cells = game.GetField().Cells();
    const Field& field = game.GetField();
    const auto& colours = game.Settings().stoneColors;
    for (TStoneCell& cell : cells) {
      const CellPos at = field.CellPosition(cell.Index);
      cell.Occupied = 1;
      cell.Kind = skNormal;
      cell.Color = colours[1 + (at.row + at.column) % 2];
      if (at.column == 1 || (at.column == 2 && at.row == field.Rows())) cell.Color = colours[0];
    }
    game.LoadField(game.Settings(), {field.Columns(), field.Rows()}, cells);
    w->DrawWholeField();

    std::vector<int> seen;
    auto* clock = w->imgMain()->GetAnimator().findChild<QTimer*>("TimerAni");
    QVERIFY(clock);
    connect(clock, &QTimer::timeout, w.get(), [&] { seen.push_back(clock->interval()); });
    QTest::mouseClick(w->imgMain(), Qt::LeftButton, {}, QPoint(W / 2, H / 2));
    QCOMPARE(seen, (std::vector<int>{41, 41, 41, 41, 43, 43, 43, 43, 47, 47, 47, 47}));

    seen.clear();
    const int lastColumnLeft = (field.Columns() - 1) * W;  // emptied by the slide
    w->imgRamp()->GetRamp()->RampStones().push_back(RampStone{lastColumnLeft, skNormal, colours[0], 1});
    QTest::mousePress(w->imgRamp(), Qt::LeftButton, {}, QPoint(lastColumnLeft + W / 2, H / 2));
    // A drop settles as a move of no stones: an empty removal stage follows its fall.
    QCOMPARE(seen, (std::vector<int>{53, 53, 53, 53, 41, 41, 41, 41}));
    QVERIFY(field[field.CellIndex(field.Rows(), field.Columns())].Occupied);
  }
};

QTEST_MAIN(AnimatorTest)
#include "animator_test.moc"

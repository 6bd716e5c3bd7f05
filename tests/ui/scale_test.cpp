// The field at every scale: the window resized, maximised and zoomed, clicks
// landing in the cell drawn under them, and the window kept within the
// screen's available area, on the offscreen platform.

#include <QScreen>
#include <QtTest>
#include <memory>

#include "config/settings_model.h"
#include "config/settings_store.h"
#include "config/string_ids.h"
#include "config/string_table.h"
#include "control/ui/field_view.h"
#include "control/ui/prompter.h"
#include "control/ui/tfrm_game.h"
#include "render/field_scale.h"
#include "support/save_shot.h"
#include "ui/window_fixture.h"

using namespace pebble;
using namespace pebble::ui;
using pebble::testing::FirstMovable;
using pebble::testing::OpenWindow;
using pebble::testing::WindowHome;

namespace {

// The window points just inside the corners of a stone as drawn, within its
// outline (a stone's first pixel row and column are the line it shares with
// its neighbours), and its centre.
QList<QPointF> PointsOfCell(const FieldView& view, const Field& field, std::int32_t index) {
  const FieldPlacement& at = view.Placement();
  const double ratio = at.scale * view.devicePixelRatioF(), device = view.devicePixelRatioF();
  const auto edge = [&](double start, int fieldPixel) { return start + DevicePixel(fieldPixel, ratio) / device; };
  const TStoneCell& cell = field[index];
  const double left = edge(at.left, cell.Left + 1), right = edge(at.left, cell.Left + field.StoneWidth());
  const double top = edge(at.top, cell.Top + 1), bottom = edge(at.top, cell.Top + field.StoneHeight());
  const double in = 0.5 / device;  // half a device pixel inside
  return {{left + in, top + in}, {right - in, top + in}, {left + in, bottom - in}, {right - in, bottom - in},
          {(left + right) / 2, (top + bottom) / 2}};
}

bool InsideScreen(const TfrmGame& w) {
  return w.screen()->availableGeometry().contains(w.frameGeometry());
}

}  // namespace

class ScaleTest : public QObject {
  Q_OBJECT

  std::unique_ptr<WindowHome> home_;

  std::unique_ptr<TfrmGame> Open(std::vector<std::string> arguments) {
    for (const char* quiet : {"animations:no", "sounds:no"}) arguments.insert(arguments.begin(), quiet);
    return OpenWindow(home_->Store(), std::move(arguments));
  }

  // Waits until the pictures are made for the scale shown.
  static void Settle(TfrmGame& w) {
    QCoreApplication::processEvents();
    QTRY_VERIFY(!w.imgMain()->NeedsRescale());
  }

 private slots:
  void initTestCase() { Q_INIT_RESOURCE(pebbledrome); }

  void init() {
    home_ = std::make_unique<WindowHome>();
    home_->Prompter().textsLeftOver = QString("Scale");
    ProgramRandom().SetFixedSeed(20261212);
  }

  void cleanup() { home_.reset(); }

  void aClickHitsTheCellDrawnUnderIt_data() {
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QSize>("resizedTo");  // empty: as the zoom sized it
    QTest::addColumn<QStringList>("options");
    QTest::newRow("100 %") << 100 << QSize() << QStringList{};
    QTest::newRow("150 %") << 150 << QSize() << QStringList{};
    QTest::newRow("75 %") << 75 << QSize() << QStringList{};
    QTest::newRow("resized wide") << 100 << QSize(700, 500) << QStringList{};
    QTest::newRow("resized tall and odd") << 100 << QSize(263, 580) << QStringList{};
    QTest::newRow("125 % with the ramp") << 125 << QSize() << QStringList{"autodrop:yes"};
    QTest::newRow("small stones, 200 %") << 200 << QSize() << QStringList{"stowi:12", "stohi:14", "columns:15", "resize:no"};
  }

  void aClickHitsTheCellDrawnUnderIt() {
    QFETCH(int, zoom);
    QFETCH(QSize, resizedTo);
    QFETCH(QStringList, options);
    home_->Store().SaveRegInt(kRootSection, kValueZoom, zoom);
    std::vector<std::string> arguments{"resize:no"};
    for (const QString& option : options) arguments.push_back(option.toStdString());
    auto w = Open(arguments);
    if (!resizedTo.isEmpty()) w->resize(resizedTo);
    Settle(*w);
    // As zoomed, unless the window had to be resized or kept within a small screen.
    if (resizedTo.isEmpty() && !w->FieldScaledDown()) QCOMPARE(w->imgMain()->Placement().scale, zoom / 100.0);

    pebble::testing::SaveShot(*w, QString("scale-%1").arg(QTest::currentDataTag()).replace(' ', '-'));
    const Field& field = w->GetGame().GetField();
    // Every cell, at its corners and centre.
    for (std::int32_t index = 0; index < field.Size(); ++index) {
      for (const QPointF& point : PointsOfCell(*w->imgMain(), field, index)) {
        const std::optional<QPoint> at = w->imgMain()->FieldPixelAt(point);
        QVERIFY2(at && field.CellAtPixel(at->x(), at->y()) == index,
                 qPrintable(QString("cell %1 at %2, %3").arg(index).arg(point.x()).arg(point.y())));
      }
    }
    // A real click near a corner of a stone that can go takes its group.
    const std::int32_t movable = FirstMovable(field);
    QVERIFY(movable >= 0);
    const std::int32_t stonesBefore = w->GetGame().Counters().StonesLeft;
    const QPointF corner = PointsOfCell(*w->imgMain(), field, movable)[3];
    QTest::mouseClick(w->imgMain(), Qt::LeftButton, {}, corner.toPoint());
    QTRY_VERIFY(w->GetGame().Counters().StonesLeft < stonesBefore);
    // A click on the band beside the field reaches no stone.
    if (w->imgMain()->Placement().left >= 2) {
      const std::int32_t stones = w->GetGame().Counters().StonesLeft;
      QTest::mouseClick(w->imgMain(), Qt::LeftButton, {}, QPoint(0, w->imgMain()->height() / 2));
      QCOMPARE(w->GetGame().Counters().StonesLeft, stones);
    }
  }

  // The specified window at the default zoom: 201 x 391 pixels with 20 x 21
  // stones, the field shown pixel for pixel.
  void theDefaultWindowKeepsItsSize() {
    auto w = Open({"resize:no"});
    QCOMPARE(w->size(), QSize(201, 391));
    QCOMPARE(w->imgMain()->geometry(), QRect(0, 0, 201, 337));
    QCOMPARE(w->imgMain()->Placement().scale, 1.0);
    QCOMPARE(w->imgMain()->Placement().left, 0.0);
    QCOMPARE(w->imgMain()->Placement().top, 0.0);
    Settle(*w);
    pebble::testing::SaveShot(*w, "scale-default");
  }

  // A new game on a field of the same size keeps the window the player
  // sized; a field of another size gets a window of its own.
  void aNewGameKeepsTheWindowSizedForTheSameField() {
    auto w = Open({"resize:no"});
    w->resize(400, 500);
    QCoreApplication::processEvents();
    QTest::keyClick(w.get(), Qt::Key_N);
    QTRY_COMPARE(w->SetUpCount(), 2);
    QCOMPARE(w->size(), QSize(400, 500));
  }

  void theZoomKeysStepStoreAndFitTheWindow() {
    auto w = Open({"resize:no"});
    QTest::keyClick(w.get(), Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(w->Zoom(), 125);
    QCOMPARE(home_->Store().ReadRegInt(kRootSection, kValueZoom, 0), 125);
    QCOMPARE(w->size(), QSize(252, 476));  // 201 x 337 at 125 %, rounded up, and the bars
    Settle(*w);
    QCOMPARE(w->imgMain()->Painter().Ratio(), 1.25 * w->devicePixelRatioF());
    QTest::keyClick(w.get(), Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(w.get(), Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(w->Zoom(), 75);
    QTest::keyClick(w.get(), Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(w->Zoom(), 100);
    QCOMPARE(w->size(), QSize(201, 391));
    QCOMPARE(w->CurrentMessage(), QString::fromStdString(FormatText(kMsgZoom, w->LanguageOffset(), {"100"})));
    // Without Ctrl the keys stay free: nothing zooms.
    QTest::keyClick(w.get(), Qt::Key_Plus);
    QCOMPARE(w->Zoom(), 100);
  }

  // A zoom that would not fit, a large field from the command line and a
  // stored zoom out of range: the window stays within the available area
  // and says when it shows the field smaller.
  void theWindowNeverExceedsTheAvailableArea_data() {
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("scaledDown");
    QTest::newRow("40 x 40 stones") << 100 << QStringList{"columns:40", "rows:40"} << true;
    QTest::newRow("400 %") << 400 << QStringList{} << true;
    QTest::newRow("stored zoom out of range") << 100000 << QStringList{"resize:no"} << true;
    QTest::newRow("fits") << 100 << QStringList{"resize:no"} << false;
  }

  void theWindowNeverExceedsTheAvailableArea() {
    QFETCH(int, zoom);
    QFETCH(QStringList, options);
    QFETCH(bool, scaledDown);
    home_->Store().SaveRegInt(kRootSection, kValueZoom, zoom);
    std::vector<std::string> arguments;
    for (const QString& option : options) arguments.push_back(option.toStdString());
    auto w = Open(arguments);
    Settle(*w);
    QVERIFY(InsideScreen(*w));
    QCOMPARE(w->FieldScaledDown(), scaledDown);
    if (scaledDown) {
      QCOMPARE(w->CurrentMessage(), QString::fromStdString(Text(kMsgFieldScaledDown, w->LanguageOffset())));
    }
    // The whole field is inside the field's widget.
    const QRectF drawn = w->imgMain()->ImageArea();
    QVERIFY(QRectF(w->imgMain()->rect()).adjusted(-0.5, -0.5, 0.5, 0.5).contains(drawn));
    // A zoom key at the largest zoom keeps to the area too.
    QTest::keyClick(w.get(), Qt::Key_Plus, Qt::ControlModifier);
    QVERIFY(InsideScreen(*w));
    const QString name = QString("scale-capped-%1").arg(QTest::currentDataTag()).replace(' ', '-');
    pebble::testing::SaveShot(*w, name);
    // With a window system, the whole screen: the window's frame within it.
    if (!pebble::testing::ShotFolder().isEmpty() && QGuiApplication::platformName() == "xcb") {
      QTest::qWait(300);
      w->screen()->grabWindow(0).save(pebble::testing::ShotFolder() + "/" + name + "-screen.png");
    }
  }

  void aMaximisedWindowShowsTheFieldLargerAndCentred() {
    auto w = Open({"resize:no"});
    w->showMaximized();
    QTRY_VERIFY(w->isMaximized());
    QTRY_VERIFY(w->width() > 201);
    Settle(*w);
    const FieldPlacement& at = w->imgMain()->Placement();
    QVERIFY(at.scale > 1.0);
    // A maximised window's frame may lie beyond the screen; its inside may not.
    QVERIFY(w->screen()->availableGeometry().contains(w->geometry()));
    // Centred: the bands either side differ by the rounding to whole pixels.
    const QRectF drawn = w->imgMain()->ImageArea();
    QVERIFY2(std::abs(drawn.left() - (w->imgMain()->width() - drawn.right())) < 2.0,
             qPrintable(QString("%1 %2 %3 %4 in %5").arg(drawn.left()).arg(drawn.top()).arg(drawn.width()).arg(drawn.height()).arg(w->imgMain()->width())));
    pebble::testing::SaveShot(*w, "scale-maximised");
  }
};

QTEST_MAIN(ScaleTest)
#include "scale_test.moc"

// The field on fine screens and for every eye: stones, textures and pictures
// drawn at the screen's own resolution, the symbols on the stones, and the
// bitmaps chosen by the screen's pixel ratio.
#include <QDir>
#include <QTemporaryDir>
#include <QPainter>
#include <QtTest>
#include <set>
#include <string>
#include <vector>

#include "config/color_blind_palette.h"
#include "engine/engine_fixture.h"
#include "render/color_vision.h"
#include "render/ui/background_picture.h"
#include "render/ui/bitmap_resource.h"
#include "render/ui/cell_marks.h"
#include "render/ui/field_painter.h"
#include "render/ui/stone_symbols.h"
#include "solver/ui/advice_overlay.h"
#include "solver/ui/game_solver.h"
#include "render_fixture.h"
#include "window_fixture.h"

using namespace pebble;
using namespace pebble::ui;
using pebble::testing::kH;
using pebble::testing::kW;
using pebble::testing::MakeField;

namespace {

using namespace pebble::testing;

// A look with special stones on the field, and with or without symbols.
GameSettings SpecialsLook(bool textured, bool traceOutline, bool voyeur = false, bool symbols = false) {
  GameSettings settings = Look(textured, traceOutline, voyeur, true);
  settings.stoneSymbols = symbols;
  return settings;
}

QImage Drawn(const Field& field, const GameSettings& settings, double ratio, const QImage& picture) {
  FieldPainter painter;
  GameRandom random;
  random.Seed(7);
  painter.Prepare(settings, QSize(field.PixelWidth(), field.PixelHeight()), picture, random, ratio);
  painter.DrawWholeField(field, DrawFlags{});
  return painter.Surface().copy();
}

// Share of the 2 x 2 blocks at even positions inside rect whose four pixels
// are not all alike: none for a picture merely doubled.
double UnevenBlocks(const QImage& image, const QRect& rect) {
  int uneven = 0, blocks = 0;
  for (int y = rect.top(); y + 1 <= rect.bottom(); y += 2) {
    for (int x = rect.left(); x + 1 <= rect.right(); x += 2) {
      const QRgb p = image.pixel(x, y);
      ++blocks;
      if (image.pixel(x + 1, y) != p || image.pixel(x, y + 1) != p || image.pixel(x + 1, y + 1) != p) ++uneven;
    }
  }
  return blocks ? static_cast<double>(uneven) / blocks : 0;
}

// The pixels of the stone at (0, 0) that differ from the same stone without a symbol.
std::vector<bool> SymbolMask(ColorValue color, const StoneColorTable& colors, double ratio) {
  Field field = MakeField({"a"});
  field[0].Color = color;
  GameSettings with = SpecialsLook(false, false, false, true), without = SpecialsLook(false, false);
  with.stoneColors = without.stoneColors = colors;
  const QImage a = Drawn(field, with, ratio, Plain({10, 16}, 0xFF808080u));
  const QImage b = Drawn(field, without, ratio, Plain({10, 16}, 0xFF808080u));
  std::vector<bool> mask;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) mask.push_back(a.pixel(x, y) != b.pixel(x, y));
  }
  return mask;
}

QImage Simulated(const QImage& image, Vision vision) {
  QImage seen = image.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < seen.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(seen.scanLine(y));
    for (int x = 0; x < seen.width(); ++x) {
      const Rgb8 c = SimulateVision({qRed(line[x]), qGreen(line[x]), qBlue(line[x])}, vision);
      line[x] = qRgb(c.red, c.green, c.blue);
    }
  }
  return seen;
}

}  // namespace

class LooksTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { Q_INIT_RESOURCE(pebbledrome); }

  // At a ratio of 2 the field has twice the pixels each way; a stone's inside
  // is its colour and a trace line two device pixels wide, at 1.5 too, and
  // neighbouring cells meet without a gap.
  void linesAndStonesAtFinerRatios() {
    const Field field = MakeField({"ab", "aa"});
    for (double ratio : {1.5, 2.0}) {
      const QImage s = Drawn(field, SpecialsLook(false, true), ratio, Plain({10, 16}, 0xFFFFFFFFu));
      const auto at = [ratio](int pixels) { return static_cast<int>(std::lround(pixels * ratio)); };
      QCOMPARE(s.size(), QSize(static_cast<int>(std::ceil(field.PixelWidth() * ratio)),
                               static_cast<int>(std::ceil(field.PixelHeight() * ratio))));
      QCOMPARE(s.devicePixelRatio(), ratio);
      const int line = at(kW);  // between the red stone and the blue one
      const int y = at(kH / 2);
      QCOMPARE(s.pixel(line, y), kBlack);
      QCOMPARE(s.pixel(line + 1, y), kBlack);
      QCOMPARE(s.pixel(line + 2, y), qRgb(0, 0, 255));
      QCOMPARE(s.pixel(line - 1, y), kRed);
      // The two red stones in the first column form one group: no line between them.
      QCOMPARE(s.pixel(at(kW / 2), at(kH)), kRed);
      QCOMPARE(s.pixel(at(kW / 2), at(kH) + 1), kRed);
    }
  }

  // Textures, special stones and crumbling frames come from pictures made for
  // the ratio, not from the small ones enlarged pixel by pixel.
  void picturesAreMadeForTheRatio() {
    const Field field = MakeField({"aaaaa", "aaaaa", "aaaaa"});
    const QImage textured = Drawn(field, SpecialsLook(true, false), 2.0, Plain({10, 16}, 0xFFFFFFFFu));
    QVERIFY(UnevenBlocks(textured, QRect(2, 2, 2 * field.PixelWidth() - 4, 2 * field.PixelHeight() - 4)) > 0.3);

    FieldPainter painter;
    GameRandom random;
    painter.Prepare(SpecialsLook(false, true), QSize(field.PixelWidth(), field.PixelHeight()), Plain({10, 16}, 0xFFFFFFFFu),
                    random, 2.0);
    const QImage& bomb = painter.SpecialPicture(skBomb);
    QCOMPARE(bomb.size(), QSize(42, 40));
    QVERIFY(UnevenBlocks(bomb, bomb.rect()) > 0.1);
    QCOMPARE(painter.SpecialPicture(skRocketDown).size(), QSize(42, 42));

    // A ratio with no pictures of its own gets the next finer ones, brought to its size.
    painter.Prepare(SpecialsLook(false, true), QSize(field.PixelWidth(), field.PixelHeight()), Plain({10, 16}, 0xFFFFFFFFu),
                    random, 1.25);
    QCOMPARE(painter.SpecialPicture(skBomb).size(), QSize(27, 25));  // 32 x 30 brought from 1.5 to 1.25
  }

  // The tool bar's glyphs: the finest needed, drawn at their own size.
  void bitmapsFollowTheScreensRatio() {
    struct Case {
      double ratio;
      QSize pixels;
      double madeFor;
    };
    for (const Case& c : {Case{1.0, {48, 16}, 1.0}, Case{1.25, {72, 24}, 1.5}, Case{1.5, {72, 24}, 1.5},
                          Case{2.0, {96, 32}, 2.0}, Case{3.0, {96, 32}, 2.0}}) {
      const QImage glyph = BitmapResourceFor("SB_NEU", c.ratio);
      QCOMPARE(glyph.size(), c.pixels);
      QCOMPARE(glyph.devicePixelRatio(), c.madeFor);
      QCOMPARE(glyph.deviceIndependentSize().toSize(), QSize(48, 16));
    }
    QVERIFY(BitmapResourceFor("NO_SUCH_PICTURE", 2).isNull());
  }

  // Every colour of the table has a shape of its own, inside its stone; a
  // colour that is not in the table, or symbols switched off, draw none.
  void everyColourHasItsOwnSymbol() {
    for (double ratio : {1.0, 2.0}) {
      std::set<std::vector<bool>> shapes;
      for (ColorValue color : kColorBlindPalette) {
        const std::vector<bool> mask = SymbolMask(color, kColorBlindPalette, ratio);
        QVERIFY(std::count(mask.begin(), mask.end(), true) > 10 * ratio * ratio);
        shapes.insert(mask);
      }
      QCOMPARE(shapes.size(), std::size_t{kMaxColors});
    }
    const std::vector<bool> none = SymbolMask(0x123456, kClassicPalette, 1.0);
    QCOMPARE(std::count(none.begin(), none.end(), true), 0);
    QVERIFY(SymbolPath(kSymbolShapes).isEmpty());
    QVERIFY(SymbolPath(-1).isEmpty());
  }

  // The symbol shows in every look and stays inside its stone: nothing
  // around the stone changes with it.
  void symbolsShowInEveryLookInsideTheirStone() {
    const Field field = MakeField({"...", ".a.", "..."});
    const QImage picture = BuiltInPicture();
    for (const GameSettings& look : {SpecialsLook(false, false), SpecialsLook(false, true), SpecialsLook(true, true), SpecialsLook(true, true, true)}) {
      for (double ratio : {1.0, 1.5, 2.0}) {
        GameSettings with = look;
        with.stoneSymbols = true;
        const QImage a = Drawn(field, with, ratio, picture), b = Drawn(field, look, ratio, picture);
        const auto at = [ratio](int pixels) { return static_cast<int>(std::lround(pixels * ratio)); };
        const QRect middle(QPoint(at(kW), at(kH)), QPoint(at(2 * kW) - 1, at(2 * kH) - 1));
        int changedInside = 0, changedOutside = 0;
        for (int y = 0; y < a.height(); ++y) {
          for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) ++(middle.contains(x, y) ? changedInside : changedOutside);
          }
        }
        const QString where = QString("look %1%2%3, ratio %4").arg(look.textured).arg(look.traceOutline).arg(look.voyeur).arg(ratio);
        QVERIFY2(changedInside > 10 * ratio * ratio, qPrintable(where));
        QVERIFY2(changedOutside == 0, qPrintable(where));
      }
    }
  }

  // The keyboard's cursor and the advice never look alike: the cursor is four
  // white corners with the middle of each side left free, the advice a golden
  // line all along the group's edge with no white in it.
  void cursorAndAdviceHaveLooksOfTheirOwn() {
    const QRgb kGold = qRgb(255, 196, 0), kStone = qRgb(0, 128, 0);
    const QRect cell(10, 10, kW + 1, kH + 1);
    QImage cursor = Plain({50, 50}, kStone);
    {
      QPainter painter(&cursor);
      DrawCursorMark(painter, cell);
    }
    QCOMPARE(cursor.pixel(cell.left() + 2, cell.top() + 2), 0xFFFFFFFFu);
    QCOMPARE(cursor.pixel(cell.right() - 2, cell.bottom() - 2), 0xFFFFFFFFu);
    QCOMPARE(cursor.pixel(cell.left(), cell.top()), kBlack);  // the dark edge
    QCOMPARE(cursor.pixel(cell.center().x(), cell.top() + 2), kStone);
    QCOMPARE(cursor.pixel(cell.left() + 2, cell.center().y()), kStone);
    QCOMPARE(cursor.pixel(cell.center()), kStone);

    QImage advice = Plain({50, 50}, kStone);
    {
      QPainter painter(&advice);
      const int l = cell.left(), t = cell.top(), r = l + kW, b = t + kH;
      DrawAdviceRing(painter, {QLine(l, t, r, t), QLine(l, b, r, b), QLine(l, t, l, b), QLine(r, t, r, b)});
    }
    QCOMPARE(advice.pixel(cell.center().x(), cell.top()), kGold);
    QCOMPARE(advice.pixel(cell.left(), cell.center().y()), kGold);
    for (int y = 0; y < advice.height(); ++y) {
      for (int x = 0; x < advice.width(); ++x) QVERIFY(advice.pixel(x, y) != 0xFFFFFFFFu);
    }
  }

  // The whole window at the scale factor of the run (QT_SCALE_FACTOR), with
  // symbols, the ramp, special stones, the cursor and the advice; only when
  // asked for.
  void writeWindowScreenshots() {
    const QByteArray folder = qgetenv("PEBBLE_LOOKS_SHOTS");
    if (folder.isEmpty()) QSKIP("set PEBBLE_LOOKS_SHOTS to a folder to write the pictures");
    QTemporaryDir home;
    const auto store = pebble::testing::StoreInHome(home);
    store->SaveRegBool(kConfigSection, kValueStoneSymbols, true);
    testing::ScriptedPrompter prompter;
    ui::SetPrompter(&prompter);
    const QString scale = qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR") ? "1" : qEnvironmentVariable("QT_SCALE_FACTOR");
    for (const auto& [name, arguments] :
         {std::pair<const char*, std::vector<std::string>>{"window", {"deal:123456"}},
          {"window-ramp", {"autodrop:yes", "action:yes", "deal:42"}}}) {
      auto w = testing::OpenWindow(*store, arguments);
      QTest::keyClick(w.get(), Qt::Key_Right);
      QTest::keyClick(w.get(), Qt::Key_Down);
      QTest::keyClick(w.get(), Qt::Key_B);
      QTRY_VERIFY_WITH_TIMEOUT(!w->Solver().Overlay().Cells().empty(), 5000);
      QTest::qWait(100);
      QVERIFY(w->grab().save(QString("%1/%2-x%3.png").arg(QString::fromLocal8Bit(folder), name, scale)));
    }
    ui::SetPrompter(nullptr);
  }

  // Pictures of the field for a person to look at; only when asked for.
  void writeScreenshots() {
    const QByteArray folder = qgetenv("PEBBLE_LOOKS_SHOTS");
    if (folder.isEmpty()) QSKIP("set PEBBLE_LOOKS_SHOTS to a folder to write the pictures");
    QDir().mkpath(QString::fromLocal8Bit(folder));
    const QImage picture = BuiltInPicture();
    std::vector<std::string> rows;
    GameRandom random;
    random.Seed(11);
    for (int row = 0; row < 8; ++row) {
      std::string line;
      for (int column = 0; column < 10; ++column) {
        line += random.Random(14) == 0 ? "BRDLX"[random.Random(5)] : static_cast<char>('a' + random.Random(5));
      }
      rows.push_back(line);
    }
    const Field field = MakeField(rows);
    struct Named {
      const char* name;
      GameSettings look;
    };
    const Named looks[] = {{"plain", SpecialsLook(false, false)},
                           {"trace-lines", SpecialsLook(false, true)},
                           {"textured", SpecialsLook(true, true)},
                           {"voyeur", SpecialsLook(true, true, true)}};
    for (const Named& look : looks) {
      for (bool symbols : {false, true}) {
        for (double ratio : {1.0, 1.5, 2.0}) {
          GameSettings settings = look.look;
          settings.stoneSymbols = symbols;
          const QString name = QString("%1/%2%3-x%4.png").arg(QString::fromLocal8Bit(folder), look.name,
                                                             symbols ? "-symbols" : "", QString::number(ratio));
          QVERIFY(Drawn(field, settings, ratio, picture).save(name));
        }
      }
    }
    // The colour-blind palette, all fifteen colours, as each vision sees it.
    std::vector<std::string> all;
    for (int row = 0; row < 8; ++row) {
      std::string line;
      for (int column = 0; column < 10; ++column) line += static_cast<char>('a' + (row * 10 + column + row) % 5);
      all.push_back(line);
    }
    Field five = MakeField(all);
    Field fifteen = MakeField(all);
    for (int i = 0; i < static_cast<int>(five.Cells().size()); ++i) {
      five[i].Color = kColorBlindPalette[static_cast<std::size_t>(i % 5)];
      fifteen[i].Color = kColorBlindPalette[static_cast<std::size_t>((i * 7) % kMaxColors)];
    }
    five.Recount(true);
    fifteen.Recount(true);
    const std::pair<const char*, Vision> visions[] = {{"normal", Vision::Normal},
                                                      {"protanopia", Vision::Protanopia},
                                                      {"deuteranopia", Vision::Deuteranopia},
                                                      {"tritanopia", Vision::Tritanopia}};
    for (const auto& [palette, colors, shown] :
         {std::tuple{"colorblind", kColorBlindPalette, &five}, std::tuple{"colorblind15", kColorBlindPalette, &fifteen},
          std::tuple{"classic", kClassicPalette, &five}}) {
      Field board = *shown;
      if (colors == kClassicPalette) {
        for (int i = 0; i < static_cast<int>(board.Cells().size()); ++i) board[i].Color = kClassicPalette[static_cast<std::size_t>(i % 5)];
        board.Recount(true);
      }
      for (bool symbols : {false, true}) {
        GameSettings settings = SpecialsLook(true, true, false, symbols);
        settings.stoneColors = colors;
        const QImage seen = Drawn(board, settings, 2.0, picture);
        for (const auto& [vision, kind] : visions) {
          QVERIFY(Simulated(seen, kind).save(QString("%1/palette-%2%3-%4.png")
                                                 .arg(QString::fromLocal8Bit(folder), palette,
                                                      symbols ? "-symbols" : "", vision)));
        }
      }
    }
  }
};

QTEST_MAIN(LooksTest)
#include "looks_test.moc"

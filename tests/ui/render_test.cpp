// The field as the player sees it: rendered pixels of the three stone looks,
// trace lines, special stones, the background bitmap and the pictures behind
// it, and pictures that must load safely whatever a file holds.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <cstdio>
#include <functional>
#include <vector>

#include "engine/engine_fixture.h"
#include "render/ui/background_picture.h"
#include "render/ui/field_painter.h"
#include "render/ui/pixel_blit.h"
#include "render_fixture.h"

extern "C" {
#include <jpeglib.h>
}

using namespace pebble;
using namespace pebble::ui;
using pebble::testing::kH;
using pebble::testing::kW;
using pebble::testing::MakeField;

namespace {

using namespace pebble::testing;

QSize PaintBox(const Field& field) { return {field.PixelWidth(), field.PixelHeight()}; }

// A painter prepared for the field and the field drawn whole.
void DrawField(FieldPainter& painter, const Field& field, const GameSettings& settings, const QImage& picture,
               DrawFlags flags = {}) {
  GameRandom random;
  random.Seed(7);
  painter.Prepare(settings, PaintBox(field), picture, random);
  painter.DrawWholeField(field, flags);
}

bool AllPixels(const QImage& image, const QRect& rect, const std::function<bool(QRgb)>& test) {
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    for (int x = rect.left(); x <= rect.right(); ++x) {
      if (!test(image.pixel(x, y))) return false;
    }
  }
  return true;
}

bool AllOf(const QImage& image, const QRect& rect, QRgb color) {
  return AllPixels(image, rect, [color](QRgb p) { return p == color; });
}

bool NoneOf(const QImage& image, const QRect& rect, QRgb color) {
  return AllPixels(image, rect, [color](QRgb p) { return p != color; });
}

QRect Column(int x, int top, int length) { return {x, top, 1, length}; }
QRect Row(int left, int y, int length) { return {left, y, length, 1}; }

// A JPEG made here with libjpeg, for colour spaces other programs write.
QByteArray EncodeJpeg(int width, int height, J_COLOR_SPACE space, int components,
                      const std::vector<unsigned char>& pixel) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &out, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = components;
  info.in_color_space = space;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row;
  for (int x = 0; x < width; ++x) row.insert(row.end(), pixel.begin(), pixel.end());
  while (info.next_scanline < info.image_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  QByteArray bytes(reinterpret_cast<const char*>(out), static_cast<qsizetype>(size));
  std::free(out);
  return bytes;
}

QByteArray ResourceBytes(const char* name) {
  QFile file(QString(":/res/") + name);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The built-in picture with the size in its frame header set to width x height.
QByteArray WithClaimedSize(QByteArray jpeg, quint16 width, quint16 height) {
  for (qsizetype i = 2; i + 9 < jpeg.size(); ++i) {
    const auto marker = static_cast<unsigned char>(jpeg[i + 1]);
    if (static_cast<unsigned char>(jpeg[i]) == 0xFF && (marker == 0xC0 || marker == 0xC2)) {
      jpeg[i + 5] = static_cast<char>(height >> 8);
      jpeg[i + 6] = static_cast<char>(height & 0xFF);
      jpeg[i + 7] = static_cast<char>(width >> 8);
      jpeg[i + 8] = static_cast<char>(width & 0xFF);
      return jpeg;
    }
  }
  return {};
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray BitmapBytes(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  return bytes;
}

// Stones of every colour and, when wanted, special stones scattered in.
Field RandomField(int columns, int rows, int colors, bool specials, std::uint64_t seed) {
  GameRandom random;
  random.Seed(seed);
  std::vector<std::string> letters(static_cast<std::size_t>(rows), std::string(static_cast<std::size_t>(columns), 'a'));
  for (std::string& row : letters) {
    for (char& letter : row) {
      letter = static_cast<char>('a' + random.Random(colors));
      if (specials && random.Random(12) == 0) letter = "BRDLX"[random.Random(5)];
    }
  }
  return MakeField(letters);
}

}  // namespace

class RenderTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { Q_INIT_RESOURCE(pebbledrome); }

  // With trace lines and no texture a 2 x 2 group of red stones shows one
  // square outline and no inner lines; while busy no lines at all.
  void traceLinesOutlineAGroupOnce() {
    const Field field = MakeField({"bbbb", "baab", "baab", "bbbb"});
    FieldPainter painter;
    DrawField(painter, field, Look(false, true), Plain({10, 16}, kWhite));
    const QImage& s = painter.Surface();
    QVERIFY(AllOf(s, Row(kW, kH, 2 * kW + 1), kBlack));
    QVERIFY(AllOf(s, Row(kW, 3 * kH, 2 * kW), kBlack));
    QVERIFY(AllOf(s, Column(kW, kH, 2 * kH), kBlack));
    QVERIFY(AllOf(s, Column(3 * kW, kH, 2 * kH), kBlack));
    QVERIFY(AllOf(s, QRect(kW + 1, kH + 1, 2 * kW - 1, 2 * kH - 1), kRed));

    DrawField(painter, field, Look(false, true), Plain({10, 16}, kWhite), DrawFlags{true, false, false});
    QVERIFY(NoneOf(painter.Surface(), QRect(kW, kH, 2 * kW, 2 * kH), kBlack));
  }

  // A normal stone next to a bomb gets a line inside its own cell on that
  // side; the bomb shows its picture over the background and no lines.
  void stoneBesideABombGetsTheLine() {
    const Field field = MakeField({"aBa"});
    FieldPainter painter;
    DrawField(painter, field, Look(false, true, false, true), Plain({10, 16}, kWhite));
    const QImage& s = painter.Surface();
    QVERIFY(AllOf(s, Column(kW - 1, 0, kH), kBlack));
    QVERIFY(AllOf(s, Column(kW * 2, 0, kH), kBlack));  // the right stone's left line

    const QImage& bomb = painter.SpecialPicture(skBomb);
    QCOMPARE(bomb.size(), QSize(21, 20));
    const QRgb key = bomb.pixel(0, bomb.height() - 1);
    for (int y = 1; y < kH - 1; ++y) {
      for (int x = kW + 1; x < 2 * kW; ++x) {
        const bool inPicture = y < bomb.height();
        const QRgb picture = inPicture ? bomb.pixel(x - kW, y) : key;
        const QRgb expected = picture == key ? painter.BackgroundBitmap().pixel(x, y) : picture;
        QVERIFY2(s.pixel(x, y) == expected, qPrintable(QString("bomb pixel %1,%2").arg(x).arg(y)));
      }
    }
  }

  // The plain look: every stone a rectangle in its colour with a black border.
  void plainStonesHaveTheirOwnBorder() {
    const Field field = MakeField({"aa"});
    FieldPainter painter;
    DrawField(painter, field, Look(false, false), Plain({10, 16}, kWhite));
    const QImage& s = painter.Surface();
    for (int left : {0, kW}) {
      QVERIFY(AllOf(s, Column(left, 0, kH), kBlack));
      QVERIFY(AllOf(s, Column(left + kW - 1, 0, kH), kBlack));
      QVERIFY(AllOf(s, QRect(left + 1, 1, kW - 2, kH - 2), kRed));
    }
  }

  // The voyeur look shows the stone's colour over white parts of the picture
  // and its complement over black ones; without the texture it does nothing.
  void voyeurMixesThePictureIn() {
    const Field field = MakeField({"a", "a"});
    FieldPainter painter;
    const QRect inside(2, 2, kW - 4, 2 * kH - 4);
    DrawField(painter, field, Look(true, false, true), Plain({10, 16}, kWhite));
    QVERIFY(AllOf(painter.Surface(), inside, kRed));
    DrawField(painter, field, Look(true, false, true), Plain({10, 16}, kBlack));
    QVERIFY(AllOf(painter.Surface(), inside, kCyan));

    DrawField(painter, field, Look(false, true, true), Plain({10, 16}, kBlack));
    const QImage withVoyeur = painter.Surface().copy();
    DrawField(painter, field, Look(false, true, false), Plain({10, 16}, kBlack));
    QCOMPARE(withVoyeur, painter.Surface());
  }

  // The texture tile KACHEL n is laid edge to edge from the top-left corner,
  // n drawn from the game's random generator.
  void textureTilesCoverTheField() {
    const Field field = MakeField({"aaaaaa", "aaaaaa", "aaaaaa"});
    GameRandom random, same;
    random.Seed(42);
    same.Seed(42);
    FieldPainter painter;
    painter.Prepare(Look(true, false), PaintBox(field), Plain({10, 16}, kWhite), random);
    const QImage tile = QImage(QString(":/res/KACHEL%1").arg(1 + same.Random(4))).convertToFormat(QImage::Format_RGB32);
    const QImage& texture = painter.TextureBitmap();
    for (const QPoint p : {QPoint(0, 0), QPoint(49, 49), QPoint(50, 0), QPoint(75, 60), QPoint(120, 62)}) {
      QCOMPARE(texture.pixel(p), tile.pixel(p.x() % 50, p.y() % 50));
    }
    // A stone takes the texture under it, mixed with its colour.
    painter.DrawWholeField(field, {});
    const QPoint p(65, 30);
    const QRgb t = texture.pixel(p);
    QCOMPARE(painter.Surface().pixel(p), qRgb(qRed(t), 255 - qGreen(t), 255 - qBlue(t)));
  }

  // An empty cell shows the background bitmap, whose frame is the field's
  // edge; the picture's pixel (1, 1) fills the bands a fitted picture leaves.
  void emptyCellsShowTheBackground() {
    const Field field = MakeField({"..", "..", "aa"});
    QImage wide = Plain({80, 10}, qRgb(0, 128, 0));
    wide.setPixel(1, 1, qRgb(10, 20, 30));
    GameSettings settings = Look(false, true);
    settings.fitToPicture = false;
    FieldPainter painter;
    DrawField(painter, field, settings, wide);
    const QImage& s = painter.Surface();
    QVERIFY(AllOf(s, Column(0, 0, 2 * kH), kBlack));
    QVERIFY(AllOf(s, Row(0, 0, 2 * kW), kBlack));
    QVERIFY(AllOf(s, Column(2 * kW, 0, 2 * kH), kBlack));
    // The picture is 8 : 1, so it fills a band in the middle of the 41 x 64 box.
    QCOMPARE(s.pixel(20, 3), qRgb(10, 20, 30));
    QCOMPARE(s.pixel(20, 31), qRgb(0, 128, 0));
    QCOMPARE(s.pixel(20, 38), qRgb(10, 20, 30));
  }

  // The stones of the ramp go to the ramp's picture; no trace line of theirs
  // lands on the field, and a white ramp stone draws nothing.
  void rampStonesStayOnTheRamp() {
    const Field field = MakeField({"aa", "aa"});
    FieldPainter painter;
    DrawField(painter, field, Look(false, true, false, true), Plain({10, 16}, kWhite));
    const QImage before = painter.Surface().copy();
    QImage ramp = Plain({field.PixelWidth(), kH + 2}, qRgb(1, 2, 3));
    TStoneCell stone;
    stone.Index = -1;
    stone.Left = 5;
    stone.Top = 1;
    stone.Occupied = 1;
    stone.Color = kClassicPalette[1];
    painter.DrawStone(field, stone, 0, ramp, 0, DrawFlags{false, true, false});
    QCOMPARE(painter.Surface(), before);
    QCOMPARE(ramp.pixel(10, 10), 0xFF0000FFu);  // blue
    QCOMPARE(ramp.pixel(4, 10), qRgb(1, 2, 3));

    stone.Color = 0x00FFFFFF;
    stone.Left = 30;
    painter.DrawStone(field, stone, 0, ramp, 0, DrawFlags{false, true, false});
    QCOMPARE(ramp.pixel(35, 10), qRgb(1, 2, 3));

    // A stone far off the ramp's edge is clipped, not drawn out of bounds.
    stone.Color = kClassicPalette[0];
    stone.Left = -15;
    painter.DrawStone(field, stone, 0, ramp, 0, DrawFlags{false, true, false});
    stone.Left = field.PixelWidth() - 3;
    painter.DrawStone(field, stone, 0, ramp, 0, DrawFlags{false, true, false});
    QCOMPARE(ramp.pixel(0, 10), kRed);
  }

  // Rockets flying down and left are the rocket picture turned; other stone
  // sizes get every picture stretched to the cell.
  void specialPicturesTurnedAndStretched() {
    const Field field = MakeField({"a"});
    GameSettings settings = Look(false, true, false, true);
    FieldPainter painter;
    GameRandom random;
    painter.Prepare(settings, PaintBox(field), Plain({10, 16}, kWhite), random);
    const QImage& right = painter.SpecialPicture(skRocketRight);
    const QImage& down = painter.SpecialPicture(skRocketDown);
    const QImage& left = painter.SpecialPicture(skRocketLeft);
    QCOMPARE(right.size(), QSize(21, 21));
    for (const QPoint p : {QPoint(0, 0), QPoint(3, 17), QPoint(10, 10), QPoint(20, 4)}) {
      QCOMPARE(down.pixel(20 - p.y(), p.x()), right.pixel(p));
      QCOMPARE(left.pixel(20 - p.x(), 20 - p.y()), right.pixel(p));
    }

    settings.stoneWidth = 30;
    settings.stoneHeight = 40;
    painter.Prepare(settings, QSize(31, 41), Plain({10, 16}, kWhite), random);
    for (std::uint8_t kind : {skBomb, skRocketRight, skRocketDown, skRocketLeft, skRock}) {
      QCOMPARE(painter.SpecialPicture(kind).size(), QSize(30, 40));
    }
  }

  // A moving ramp stone is wiped by its own cell only, so every picture of a
  // stone must draw inside that cell, turned rockets included; a pixel beyond
  // it would stay behind as a dot.
  void stonePicturesDrawInsideTheirCell() {
    const Field field = MakeField({"aaaa"});
    FieldPainter painter;
    DrawField(painter, field, Look(false, true, false, true), Plain({10, 16}, kWhite));
    const QRgb kRampColor = qRgb(1, 2, 3);
    const QRect cell(30, 1, kW, kH);
    const auto drawnOnlyInside = [&](const QImage& ramp) {
      bool inside = false;
      for (int y = 0; y < ramp.height(); ++y) {
        for (int x = 0; x < ramp.width(); ++x) {
          if (ramp.pixel(x, y) == kRampColor) continue;
          if (!cell.contains(x, y)) return false;
          inside = true;
        }
      }
      return inside;
    };
    for (std::uint8_t kind : {skBomb, skRocketRight, skRocketDown, skRocketLeft, skRock}) {
      QImage ramp = Plain({field.PixelWidth(), kH + 2}, kRampColor);
      TStoneCell stone;
      stone.Index = -1;
      stone.Left = cell.left();
      stone.Top = cell.top();
      stone.Occupied = 1;
      stone.Kind = kind;
      stone.Color = SpecialColor;
      painter.DrawStone(field, stone, 0, ramp, 0, DrawFlags{false, true, false});
      QVERIFY2(drawnOnlyInside(ramp), qPrintable(QString("kind %1").arg(kind)));
    }
    for (int frame = 0; frame < FieldPainter::kBreakFrames; ++frame) {
      QImage ramp = Plain({field.PixelWidth(), kH + 2}, kRampColor);
      painter.DrawBreak(frame, ramp, cell.topLeft());
      QVERIFY2(drawnOnlyInside(ramp), qPrintable(QString("BREAK%1").arg(frame)));
    }
  }

  // The pictures as stored: every pixel but the transparent ones (the colour of
  // the bottom-left pixel, magenta for the crumbling frames) lies in the
  // 20 x 21 stone from the top-left corner.
  void storedStonePicturesFitTheStone() {
    const std::pair<const char*, bool> pictures[] = {{"ACTBMP1", false}, {"ACTBMP2", false}, {"ACTBMP3", false},
                                                     {"BREAK0", true},   {"BREAK1", true},   {"BREAK2", true},
                                                     {"BREAK3", true}};
    for (const auto& [name, magentaKey] : pictures) {
      const QImage picture = QImage(QString(":/res/") + name).convertToFormat(QImage::Format_RGB32);
      QVERIFY2(!picture.isNull(), name);
      const QRgb key = magentaKey ? 0xFFFF00FFu : picture.pixel(0, picture.height() - 1);
      for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
          if (picture.pixel(x, y) == key) continue;
          QVERIFY2(x < kW && y < kH, qPrintable(QString("%1 at %2, %3").arg(name).arg(x).arg(y)));
        }
      }
    }
  }

  // The crumbling frames show what lies below through their magenta.
  void breakFramesAreTransparent() {
    const QImage frame = QImage(":/res/BREAK1").convertToFormat(QImage::Format_RGB32);
    FieldPainter painter;
    const Field field = MakeField({"a"});
    DrawField(painter, field, Look(false, true), Plain({10, 16}, kWhite));
    QImage canvas = Plain({kW, kH}, qRgb(1, 2, 3));
    painter.DrawBreak(1, canvas, QPoint(0, 0));
    for (int y = 0; y < kH; ++y) {
      for (int x = 0; x < kW; ++x) {
        const QRgb expected = frame.pixel(x, y) == 0xFFFF00FFu ? qRgb(1, 2, 3) : frame.pixel(x, y);
        QCOMPARE(canvas.pixel(x, y), expected);
      }
    }
    painter.DrawBreak(4, canvas, QPoint(0, 0));  // no such frame: nothing happens
  }

  // Corrupt, truncated and oversized JPEGs never end the program.
  void damagedJpegsLoadSafely() {
    const QByteArray good = ResourceBytes("JPG_BACK");
    QVERIFY(!good.isEmpty());
    bool ok = false;
    QCOMPARE(LoadJpegData(good, &ok).size(), QSize(201, 337));
    QVERIFY(ok);

    QByteArray noise("\xFF\xD8\xFF\xE0", 4);
    for (int i = 0; i < 2000; ++i) noise.append(static_cast<char>((i * 7919) % 251));
    for (const QByteArray& bytes : {noise, good.left(100), QByteArray("\xFF\xD8", 2), QByteArray(),
                                    WithClaimedSize(good, 60000, 60000)}) {
      const QImage picture = LoadJpegData(bytes, &ok);
      QVERIFY(!ok);
      QVERIFY(picture.isNull());
    }
    // Cut in the middle of the picture data: the part that is there shows.
    const QImage half = LoadJpegData(good.left(good.size() / 2), &ok);
    QVERIFY(ok);
    QCOMPARE(half.size(), QSize(201, 337));

    QVERIFY(LoadJpegFile("/no/such/picture.jpg", &ok).isNull());
    QVERIFY(!ok);
  }

  // A few kilobytes that claim 10,000 x 9,999 pixels would cost hundreds of
  // megabytes and many seconds: no real picture packs that much into its file.
  void aDecompressionBombIsRefusedUnopened() {
    const QByteArray good = ResourceBytes("JPG_BACK");
    bool ok = true;
    for (const QByteArray& bomb : {WithClaimedSize(good, 10000, 9999), WithClaimedSize(good, 6000, 6000)}) {
      QVERIFY(PlausiblePictureSize(10000, 9999, good.size()) == false);
      QVERIFY(LoadJpegData(bomb, &ok).isNull());
      QVERIFY(!ok);
    }
    QByteArray bitmap = BitmapBytes(Plain({30, 20}, kWhite));
    qToLittleEndian<qint32>(5000, bitmap.data() + 18);  // 25 million pixels in two kilobytes
    qToLittleEndian<qint32>(5000, bitmap.data() + 22);
    QVERIFY(LoadPictureData(bitmap, &ok).isNull());
    QVERIFY(!ok);
    QVERIFY(PlausiblePictureSize(201, 337, good.size()));  // a real photo
  }

  // A large JPEG is decoded at the scale that still fills the screen.
  void aLargePictureIsDecodedAtTheSizeTheScreenShows() {
    const QByteArray large = EncodeJpeg(2000, 1600, JCS_RGB, 3, {20, 200, 60});
    bool ok = false;
    QCOMPARE(LoadJpegData(large, &ok).size(), QSize(2000, 1600));
    const struct {
      QSize room, decoded;
    } cases[] = {
        {{1920, 1080}, {2000, 1600}}, {{1000, 700}, {1000, 800}}, {{400, 300}, {500, 400}},
        {{600, 190}, {1000, 800}},  // 1/4 would leave it narrower than the room
        {{100, 100}, {250, 200}},   // never below 1/8
    };
    for (const auto& c : cases) {
      const QImage picture = LoadJpegData(large, &ok, c.room);
      QVERIFY(ok);
      QCOMPARE(picture.size(), c.decoded);
      QVERIFY(qAbs(qGreen(picture.pixel(picture.width() / 2, picture.height() / 2)) - 200) <= 3);
    }
  }

  // The same picture file for game after game is decoded once; a file
  // changed on disk is read again.
  void aPictureFileIsKeptBetweenGames() {
    QTemporaryDir folder;
    const QString path = folder.filePath("strand.jpg");
    QVERIFY(WriteFile(path, EncodeJpeg(64, 48, JCS_RGB, 3, {250, 10, 10})));
    BackgroundPictures backgrounds;
    GameSettings settings;
    CommandLineState commandLine;
    const auto noSave = [](std::int32_t) {};
    settings.backgroundMode = static_cast<std::uint8_t>(BackgroundMode::PictureFile);
    settings.backgroundPicture = path.toStdString();
    const QImage first = backgrounds.LoadBackground(settings, commandLine, noSave);
    const QImage second = backgrounds.LoadBackground(settings, commandLine, noSave);
    QCOMPARE(first.size(), QSize(64, 48));
    QCOMPARE(second.constBits(), first.constBits());  // the same pixels, not a second decoding

    QVERIFY(WriteFile(path, EncodeJpeg(32, 24, JCS_RGB, 3, {10, 10, 250})));
    QFile(path).setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime);
    const QImage changed = backgrounds.LoadBackground(settings, commandLine, noSave);
    QCOMPARE(changed.size(), QSize(32, 24));
    QVERIFY(qBlue(changed.pixel(5, 5)) > 200);
  }

  // Grey and CMYK pictures arrive as RGB; CMYK as Photoshop writes it, inverted.
  void greyAndCmykBecomeRgb() {
    bool ok = false;
    const QImage grey = LoadJpegData(EncodeJpeg(16, 8, JCS_GRAYSCALE, 1, {200}), &ok);
    QVERIFY(ok);
    QVERIFY(qAbs(qRed(grey.pixel(4, 4)) - 200) <= 2);
    QCOMPARE(qRed(grey.pixel(4, 4)), qBlue(grey.pixel(4, 4)));

    // Red: cyan 0, magenta and yellow full, no black; stored inverted.
    const QImage cmyk = LoadJpegData(EncodeJpeg(16, 8, JCS_CMYK, 4, {255, 0, 0, 255}), &ok);
    QVERIFY(ok);
    const QRgb p = cmyk.pixel(4, 4);
    QVERIFY2(qRed(p) > 245 && qGreen(p) < 10 && qBlue(p) < 10, qPrintable(QString::number(p, 16)));
  }

  // Picture files are told apart by their content, not their name; what
  // cannot be decoded gives the built-in picture.
  void picturesByContent() {
    QTemporaryDir folder;
    const QImage photo = Plain({30, 20}, qRgb(0, 0, 255));
    const QString bmpInCapitals = folder.filePath("PHOTO.BMP");
    const QString bmpAsJpg = folder.filePath("photo.jpg");
    const QString broken = folder.filePath("broken.bmp");
    const QString huge = folder.filePath("huge.bmp");
    QVERIFY(WriteFile(bmpInCapitals, BitmapBytes(photo)));
    QVERIFY(WriteFile(bmpAsJpg, BitmapBytes(photo)));
    QVERIFY(WriteFile(broken, BitmapBytes(photo).left(40)));
    QByteArray hugeBytes = BitmapBytes(photo);
    qToLittleEndian<qint32>(40000, hugeBytes.data() + 18);  // claims 40000 x 40000 pixels
    qToLittleEndian<qint32>(40000, hugeBytes.data() + 22);
    QVERIFY(WriteFile(huge, hugeBytes));

    BackgroundPictures backgrounds;
    GameSettings settings;
    CommandLineState commandLine;
    const auto noSave = [](std::int32_t) {};
    settings.backgroundMode = static_cast<std::uint8_t>(BackgroundMode::PictureFile);
    for (const QString& path : {bmpInCapitals, bmpAsJpg}) {
      settings.backgroundPicture = path.toStdString();
      const QImage picture = backgrounds.LoadBackground(settings, commandLine, noSave);
      QCOMPARE(picture.size(), QSize(30, 20));
      QCOMPARE(picture.pixel(5, 5), qRgb(0, 0, 255));
    }
    for (const QString& path : {broken, huge, folder.filePath("missing.jpg"), folder.path(), QString()}) {
      settings.backgroundPicture = path.toStdString();
      QCOMPARE(backgrounds.LoadBackground(settings, commandLine, noSave).size(), QSize(201, 337));
    }
  }

  // Each mode gives its picture; the folder mode advances and saves.
  void backgroundModes() {
    QTemporaryDir folder;
    QVERIFY(WriteFile(folder.filePath("a.jpg"), ResourceBytes("JPG_BACK")));
    QVERIFY(WriteFile(folder.filePath("B.bmp"), BitmapBytes(Plain({12, 12}, kWhite))));
    BackgroundPictures backgrounds;
    GameSettings settings;
    CommandLineState commandLine;
    std::vector<std::int32_t> saved;
    const auto save = [&saved](std::int32_t index) { saved.push_back(index); };

    settings.backgroundMode = static_cast<std::uint8_t>(BackgroundMode::Standard);
    QCOMPARE(backgrounds.LoadBackground(settings, commandLine, save).size(), QSize(201, 337));
    settings.backgroundMode = static_cast<std::uint8_t>(BackgroundMode::Gray);
    const QImage grey = backgrounds.LoadBackground(settings, commandLine, save);
    QCOMPARE(grey.size(), QSize(10, 16));
    QCOMPARE(grey.pixel(3, 3), qRgb(128, 128, 128));

    settings.backgroundMode = static_cast<std::uint8_t>(BackgroundMode::Folder);
    settings.backgroundFolder = (folder.path() + "/").toStdString();
    settings.folderPictureIndex = 0;
    QCOMPARE(backgrounds.LoadBackground(settings, commandLine, save).size(), QSize(12, 12));
    QCOMPARE(backgrounds.LoadBackground(settings, commandLine, save).size(), QSize(201, 337));
    QCOMPARE(saved, (std::vector<std::int32_t>{1, 0}));

    QTemporaryDir empty;
    settings.backgroundFolder = (empty.path() + "/").toStdString();
    QCOMPARE(backgrounds.LoadBackground(settings, commandLine, save).size(), QSize(201, 337));
  }

};

QTEST_GUILESS_MAIN(RenderTest)
#include "render_test.moc"

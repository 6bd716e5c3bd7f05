// Every picture and sound the game loads by name is compiled in, with the size,
// depth, transparency key and wave format the drawing and sound code rely on.
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QtEndian>
#include <QtTest>

namespace {

constexpr QRgb kMagenta = 0xFFFF00FFu;

QByteArray ReadResource(const QString& name) {
  QFile file(":/res/" + name);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint32 U32(const QByteArray& bytes, int at) { return qFromLittleEndian<quint32>(bytes.constData() + at); }
quint16 U16(const QByteArray& bytes, int at) { return qFromLittleEndian<quint16>(bytes.constData() + at); }

}  // namespace

class ResourcesTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { Q_INIT_RESOURCE(pebbledrome); }

  void bitmaps_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("keyed");  // transparent colour magenta in the bottom-left pixel
    for (int i = 1; i <= 4; ++i) QTest::newRow(qPrintable(QString("KACHEL%1").arg(i))) << QString("KACHEL%1").arg(i) << 50 << 50 << false;
    QTest::newRow("ACTBMP1") << "ACTBMP1" << 21 << 20 << true;
    QTest::newRow("ACTBMP2") << "ACTBMP2" << 21 << 21 << true;
    QTest::newRow("ACTBMP3") << "ACTBMP3" << 21 << 20 << true;
    for (int i = 0; i <= 3; ++i) QTest::newRow(qPrintable(QString("BREAK%1").arg(i))) << QString("BREAK%1").arg(i) << 20 << 21 << true;
    for (const char* glyph : {"SB_NEU", "SB_FILE", "SB_UNDO", "SB_INFO", "SB_CFG", "SB_ABOUT", "SB_HELP"}) {
      QTest::newRow(glyph) << QString(glyph) << 48 << 16 << true;
    }
    for (const char* small : {"SB_ARROWUP", "SB_ARROWDOWN", "SB_SWITCHD", "SB_SWITCHL"}) {
      QTest::newRow(small) << QString(small) << 12 << 12 << true;
    }
    for (int d = 0; d <= 9; ++d) QTest::newRow(qPrintable(QString("DIGIT%1").arg(d))) << QString("DIGIT%1").arg(d) << 14 << 28 << false;
    QTest::newRow("DIGITLEER") << "DIGITLEER" << 14 << 28 << false;
    QTest::newRow("PEBBLESM") << "PEBBLESM" << 16 << 16 << true;
    QTest::newRow("PEBBLESMGR") << "PEBBLESMGR" << 16 << 16 << true;
  }

  void bitmaps() {
    QFETCH(QString, name);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, keyed);
    const QByteArray bytes = ReadResource(name);
    QVERIFY2(bytes.startsWith("BM"), qPrintable(name));
    QCOMPARE(U16(bytes, 28), quint16(24));  // bits per pixel
    const QImage picture = QImage::fromData(bytes, "BMP");
    QCOMPARE(picture.size(), QSize(width, height));
    if (keyed) QCOMPARE(picture.pixel(0, height - 1), kMagenta);
  }

  void pictures_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::newRow("JPG_BACK") << "JPG_BACK" << QSize(201, 337);
    QTest::newRow("MOREK") << "MOREK" << QSize(140, 90);
    QTest::newRow("MOREK2") << "MOREK2" << QSize(140, 90);
    for (const char* icon : {"Mainicon", "WordIcon", "ZFILEICO1"}) {
      QTest::newRow(icon) << QString(icon) << QSize(256, 256);
      QTest::newRow(qPrintable(QString(icon) + "-16")) << QString(icon) + "-16" << QSize(16, 16);
      QTest::newRow(qPrintable(QString(icon) + "-48")) << QString(icon) + "-48" << QSize(48, 48);
    }
  }

  void pictures() {
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QCOMPARE(QImage(":/res/" + name).size(), size);
  }

  void iconFilesHoldEverySize() {
    QImageReader reader(":/res/Mainicon.ico");
    if (!reader.canRead()) QSKIP("no .ico reader on this system");
    QCOMPARE(reader.imageCount(), 6);
  }

  void sounds_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("rate");
    for (const char* sound : {"SND_DROP", "SND_END", "SND_HIT", "SND_HITANI", "SND_MISSILE", "SND_NOHIT", "SND_UNDO", "SND_WON"}) {
      QTest::newRow(sound) << QString(sound) << 11025;
    }
    QTest::newRow("SND_EXPLODE") << "SND_EXPLODE" << 11000;
  }

  // PCM, mono, 8 bits at the given rate; short, never at full scale, and
  // starting and ending at the mid level so that playing it does not click.
  void sounds() {
    QFETCH(QString, name);
    QFETCH(int, rate);
    const QByteArray wave = ReadResource(name);
    QVERIFY(wave.startsWith("RIFF") && wave.mid(8, 8) == "WAVEfmt ");
    QCOMPARE(U32(wave, 4), quint32(wave.size() - 8));
    QCOMPARE(U16(wave, 20), quint16(1));   // PCM
    QCOMPARE(U16(wave, 22), quint16(1));   // mono
    QCOMPARE(U32(wave, 24), quint32(rate));
    QCOMPARE(U16(wave, 34), quint16(8));
    QCOMPARE(wave.mid(36, 4), QByteArray("data"));
    const quint32 count = U32(wave, 40);
    QVERIFY(44 + count <= quint32(wave.size()));
    const double seconds = double(count) / rate;
    QVERIFY2(seconds >= 0.1 && seconds <= 1.3, qPrintable(QString::number(seconds)));
    const auto* samples = reinterpret_cast<const uchar*>(wave.constData() + 44);
    int peak = 0;
    for (quint32 i = 0; i < count; ++i) peak = qMax(peak, qAbs(int(samples[i]) - 128));
    QVERIFY2(peak < 120 && peak > 40, qPrintable(QString::number(peak)));
    QVERIFY(qAbs(int(samples[0]) - 128) <= 2);
    QVERIFY(qAbs(int(samples[count - 1]) - 128) <= 2);
  }
};

QTEST_MAIN(ResourcesTest)
#include "resources_test.moc"

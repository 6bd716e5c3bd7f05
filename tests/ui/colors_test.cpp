// The stone colour dialog: the colours in play marked, colour names as hints,
// the refused and the taken colours, and the three palettes with OK and Cancel
// and their different effects on the game's settings and the store.

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <array>
#include <filesystem>
#include <set>

#include "cfg_fixture.h"
#include "config/string_ids.h"
#include "config/ui/cfg_palettes.h"
#include "config/ui/tfrm_sel_colors.h"
#include "engine/stone_cell.h"

using namespace pebble;
using namespace pebble::test;
using namespace pebble::ui;

namespace {

constexpr QRgb kPureRed = 0xFFFF0000u;
constexpr ColorValue kOwnColor = 0x00123456;

std::optional<StoneColorTable> StoredColors(SettingsStore& store) {
  StoneColorTable colors{};
  for (int i = 0; i < kMaxColors; ++i) {
    const std::int32_t value = store.ReadRegInt(kColorSection, ColorValueName(i), -1);
    if (value == -1) return std::nullopt;
    colors[static_cast<std::size_t>(i)] = static_cast<ColorValue>(value);
  }
  return colors;
}

}  // namespace

class ColorsTest : public QObject, public DialogSurroundings {
  Q_OBJECT

 private:

 private slots:
  void initTestCase() { Q_INIT_RESOURCE(pebbledrome); }

  void init() { MakeSurroundings(); }
  void cleanup() {
    DropSurroundings();
  }

  void theColoursInPlayAreMarkedAndNamed() {
    host_->settings.colorCount = 5;
    TfrmSelColors dialog(*host_);
    QCOMPARE(dialog.windowTitle(), English(kChooseColors));
    for (int i = 0; i < kMaxColors; ++i) {
      QLabel* label = dialog.ColorLabel(i);
      QCOMPARE(label->text(), QString("Tile # %1").arg(i + 1));
      QCOMPARE(label->palette().color(QPalette::WindowText).rgb() == kPureRed, i < 5);
      QCOMPARE(dialog.WorkingColor(i), kClassicPalette[static_cast<std::size_t>(i)]);
    }
    QCOMPARE(dialog.ColorButton(0)->toolTip(), QString("Red"));
    QCOMPARE(dialog.ColorButton(3)->toolTip(), QString("$000080FF"));  // orange has no name
    QCOMPARE(dialog.ColorButton(14)->toolTip(), QString("Gray"));
    QVERIFY(dialog.bttCancel->isDefault());
    QCOMPARE(dialog.bttOK->text(), QString("&OK"));

    // The glyph: the colour inside a black outline.
    const QImage glyph = dialog.ColorButton(1)->icon().pixmap(TfrmSelColors::kGlyphWidth, TfrmSelColors::kGlyphHeight).toImage();
    QCOMPARE(glyph.size(), QSize(16, 11));
    QCOMPARE(glyph.pixel(0, 0), QColor(Qt::black).rgb());
    QCOMPARE(glyph.pixel(15, 10), QColor(Qt::black).rgb());
    QCOMPARE(glyph.pixel(8, 5), QColor(0, 0, 255).rgb());
  }

  void colourNamesAndRefusals() {
    struct Case {
      ColorValue color;
      const char* name;
      bool refused;
    };
    const Case cases[] = {
        {0x000000, "Black", true},          {0xFFFFFF, "White", false},     {0x800000, "Navy", false},
        {0x00FFFF, "Yellow", false},        {0x000001, "$00000001", false}, {SpecialColor, "$02FFFFFE", true},
        {0xFFFFFFFFu, "$FFFFFFFF", true},   {kOwnColor, "$00123456", false},
    };
    for (const Case& c : cases) {
      QCOMPARE(ColorName(c.color), QString(c.name));
      QCOMPARE(IsRefusedStoneColor(c.color), c.refused);
    }
    for (Palette palette : {Palette::Classic, Palette::WinXP, Palette::Wild, Palette::ColorBlind}) {
      const StoneColorTable& colors = PaletteColors(palette);
      QCOMPARE(std::set<ColorValue>(colors.begin(), colors.end()).size(), std::size_t{kMaxColors});
      for (ColorValue color : colors) QVERIFY(!IsRefusedStoneColor(color));
    }
    QCOMPARE(PaletteColors(Palette::WinXP)[0], ColorValue{0x6F6FFF});  // 255, 111, 111
    QCOMPARE(PaletteColors(Palette::Wild)[2], ColorValue{0xFF1C1C});   // 28, 28, 255
    QCOMPARE(FromQColor(ToQColor(kOwnColor)), kOwnColor);
  }

  // The three palettes entry by entry, as red, green, blue.
  void palettesHoldTheirColours() {
    struct Rgb {
      unsigned red, green, blue;
    };
    using Table = std::array<Rgb, kMaxColors>;
    const Table classic = {{{255, 0, 0}, {0, 0, 255}, {0, 128, 0}, {255, 128, 0}, {192, 192, 192},
                            {128, 128, 0}, {0, 255, 0}, {0, 128, 128}, {0, 0, 128}, {128, 0, 0},
                            {255, 255, 0}, {255, 0, 255}, {128, 0, 128}, {0, 255, 255}, {128, 128, 128}}};
    const Table winXP = {{{255, 111, 111}, {108, 108, 255}, {111, 255, 111}, {255, 177, 100}, {192, 192, 192},
                          {128, 128, 0}, {0, 255, 0}, {0, 128, 128}, {0, 0, 128}, {33, 120, 224},
                          {242, 201, 119}, {255, 153, 51}, {19, 146, 13}, {155, 102, 0}, {255, 255, 0}}};
    const Table wild = {{{255, 128, 0}, {0, 64, 128}, {28, 28, 255}, {128, 0, 0}, {0, 0, 128},
                         {0, 64, 0}, {0, 64, 64}, {64, 0, 128}, {0, 0, 55}, {53, 0, 0},
                         {0, 45, 0}, {53, 0, 27}, {22, 22, 18}, {0, 55, 0}, {45, 45, 0}}};
    const std::pair<Palette, const Table*> palettes[] = {
        {Palette::Classic, &classic}, {Palette::WinXP, &winXP}, {Palette::Wild, &wild}};
    for (const auto& [palette, table] : palettes) {
      for (std::size_t i = 0; i < kMaxColors; ++i) {
        const Rgb& c = (*table)[i];
        QCOMPARE(PaletteColors(palette)[i], ColorValue{c.red | c.green << 8 | c.blue << 16});  // 0x00BBGGRR
      }
    }
  }

  void aChosenColourIsCheckedBeforeItIsTaken() {
    struct Case {
      const char* name;
      int entry;
      std::optional<ColorValue> chosen;
      int message;  // 0: none
      bool taken;
    };
    const Case cases[] = {
        {"black", 2, ColorValue{0}, 336, false},
        {"the marker of special stones", 2, SpecialColor, 336, false},
        {"no colour", 2, ColorValue{0xFFFFFFFFu}, 336, false},
        {"entry 0's colour for entry 14, not in play", 14, kClassicPalette[0], 325, false},
        {"the colour of entry 14, not in play, for entry 2", 2, kClassicPalette[14], 325, false},
        {"cancelled", 2, std::nullopt, 0, false},
        {"a colour of its own", 2, kOwnColor, 0, true},
    };
    for (const Case& c : cases) {
      cleanup();
      init();
      TfrmSelColors dialog(*host_);
      prompter_->colors.push_back(c.chosen);
      QTest::mouseClick(dialog.ColorButton(c.entry), Qt::LeftButton);
      QCOMPARE(prompter_->choices.size(), std::size_t{1});
      QCOMPARE(prompter_->choices[0].title, QString::number(kClassicPalette[static_cast<std::size_t>(c.entry)]));
      const QStringList expected = c.message ? QStringList{"error: " + English(c.message)} : QStringList{};
      QVERIFY2(Messages() == expected, c.name);
      const ColorValue now = c.taken ? *c.chosen : kClassicPalette[static_cast<std::size_t>(c.entry)];
      QVERIFY2(dialog.WorkingColor(c.entry) == now, c.name);
      QVERIFY2(dialog.ColorButton(c.entry)->toolTip() == ColorName(now), c.name);

      dialog.bttOKClick();
      QVERIFY2(StoredColors(store_->Store()).has_value() == c.taken, c.name);
      QVERIFY2(dialog.ColorsTouched() == c.taken, c.name);
      QVERIFY2((host_->settings.stoneColors[static_cast<std::size_t>(c.entry)] == kOwnColor) == c.taken, c.name);
    }
  }

  void cancelDropsTheChosenColours() {
    TfrmSelColors dialog(*host_);
    prompter_->colors.push_back(kOwnColor);
    dialog.Farbwahl(4);
    QTest::mouseClick(dialog.bttCancel, Qt::LeftButton);
    QVERIFY(!StoredColors(store_->Store()));
    QCOMPARE(host_->settings.stoneColors, kClassicPalette);
    QVERIFY(!dialog.ColorsTouched());
    QCOMPARE(host_->updates, 0);
  }

  void palettesChangeTheGameAtOnceAndTheStoreByTheirOwnRules() {
    StoneColorTable own = kClassicPalette;
    own[0] = kOwnColor;
    struct Case {
      const char* name;
      Palette palette;
      bool answer;
      bool ok;
      StoneColorTable settingsAfter;
      std::optional<StoneColorTable> storedAfter;
      bool touched;
    };
    const Case cases[] = {
        // The classic palette removes the stored colours, with OK or Cancel alike.
        {"classic, cancel", Palette::Classic, true, false, kClassicPalette, std::nullopt, true},
        {"classic, OK", Palette::Classic, true, true, kClassicPalette, std::nullopt, true},
        // The others change the game now and are stored by OK only.
        {"second, OK", Palette::WinXP, true, true, PaletteColors(Palette::WinXP), PaletteColors(Palette::WinXP), true},
        {"second, cancel", Palette::WinXP, true, false, PaletteColors(Palette::WinXP), own, true},
        {"third, OK", Palette::Wild, true, true, PaletteColors(Palette::Wild), PaletteColors(Palette::Wild), true},
        {"colour-blind, OK", Palette::ColorBlind, true, true, PaletteColors(Palette::ColorBlind),
         PaletteColors(Palette::ColorBlind), true},
        {"answered no", Palette::Wild, false, true, own, own, false},
    };
    for (const Case& c : cases) {
      cleanup();
      init();
      SaveStoneColors(store_->Store(), own);
      host_->settings.stoneColors = own;
      prompter_->answerYes = c.answer;
      TfrmSelColors dialog(*host_);
      QPushButton* button = c.palette == Palette::Classic      ? dialog.bttClassic
                            : c.palette == Palette::WinXP      ? dialog.bttWinXP
                            : c.palette == Palette::ColorBlind ? dialog.bttColorBlind
                                                               : dialog.bttWild;
      QTest::mouseClick(button, Qt::LeftButton);
      QVERIFY2(Messages() == QStringList{"warning: " + English(kPaletteWarning) + "\n\r" + English(kProceed)}, c.name);
      QTest::mouseClick(c.ok ? dialog.bttOK : dialog.bttCancel, Qt::LeftButton);

      QVERIFY2(host_->settings.stoneColors == c.settingsAfter, c.name);
      QVERIFY2(StoredColors(store_->Store()) == c.storedAfter, c.name);
      QVERIFY2(dialog.ColorsTouched() == c.touched, c.name);
      for (int i = 0; i < kMaxColors; ++i) {
        QVERIFY2(dialog.WorkingColor(i) == c.settingsAfter[static_cast<std::size_t>(i)], c.name);
      }
    }
  }

  void aStoreThatCannotBeWrittenKeepsTheDialogOpen() {
    store_->Store().SaveRegInt(kRootSection, kValueVersion, kSettingsVersion);
    std::filesystem::create_directories((store_->UserFile() + ".tmp").toStdString());
    TfrmSelColors dialog(*host_);
    dialog.show();
    prompter_->colors.push_back(kOwnColor);
    dialog.Farbwahl(0);
    dialog.bttOKClick();
    QCOMPARE(Messages(), QStringList{"error: " + English(kSaveFailed)});
    QVERIFY(dialog.isVisible());
    QCOMPARE(host_->settings.stoneColors, kClassicPalette);
    QVERIFY(!dialog.ColorsTouched());
  }
};

QTEST_MAIN(ColorsTest)
#include "colors_test.moc"

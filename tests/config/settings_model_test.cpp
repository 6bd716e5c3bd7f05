// Filling the settings record from the store and writing it back, with the
// store's own German value names.

#ifndef _WIN32

#include "config/settings_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "config/store_fixture.h"
#include "config/string_table.h"

namespace pebble {
namespace {

using test::MakeRecordedStore;
using test::ReadText;
using test::TempConfigDirs;

// The defaults value by value, written out rather than taken from a fresh record.
void ExpectTheDefaults(const GameSettings& s) {
  EXPECT_EQ(s.stoneHeight, 21);
  EXPECT_EQ(s.stoneWidth, 20);
  EXPECT_EQ(s.rowCount, 16);
  EXPECT_EQ(s.columnCount, 10);
  EXPECT_EQ(s.colorCount, 5);
  // red, blue, green, orange, silver, olive, lime, teal, navy, maroon, yellow,
  // fuchsia, purple, aqua, gray, as 0x00BBGGRR
  const StoneColorTable classic = {0x0000FF, 0xFF0000, 0x008000, 0x0080FF, 0xC0C0C0, 0x008080, 0x00FF00, 0x808000,
                                   0x800000, 0x000080, 0x00FFFF, 0xFF00FF, 0x800080, 0xFFFF00, 0x808080};
  EXPECT_EQ(s.stoneColors, classic);
  EXPECT_EQ(s.backgroundMode, 0);
  EXPECT_TRUE(s.fitToPicture);
  EXPECT_EQ(s.backgroundPicture, "");
  EXPECT_EQ(s.backgroundFolder, "");
  EXPECT_EQ(s.folderPictureIndex, 0);
  EXPECT_TRUE(s.soundsOn);
  EXPECT_TRUE(s.textured);
  EXPECT_FALSE(s.voyeur);
  EXPECT_TRUE(s.traceOutline);
  EXPECT_FALSE(s.actionsOn);
  EXPECT_EQ(s.actionFrequency, 30);
  EXPECT_TRUE(s.animationsOn);
  EXPECT_FALSE(s.autoDrop);
  EXPECT_TRUE(s.undoInfo);
  EXPECT_TRUE(s.lowScore);
  EXPECT_EQ(s.playTime, 90);
  EXPECT_EQ(s.aniIntervalDelete, 50);
  EXPECT_EQ(s.aniIntervalMoveStone, 30);
  EXPECT_EQ(s.aniIntervalMoveRow, 50);
  EXPECT_EQ(s.aniIntervalDrop, 150);
  EXPECT_EQ(s.newStoneEvery, 7);
  EXPECT_EQ(s.dropInterval, 400);
  EXPECT_EQ(s.dropStoneOffset, 5);
  EXPECT_EQ(s.languageOffset, 0);
}

// Before anything is read, and after reading a store that holds nothing, the
// record holds the defaults.
TEST(SettingsModel, EveryDefaultHoldsItsValue) {
  {
    SCOPED_TRACE("a record nothing has filled");
    const GameSettings fresh;
    ExpectTheDefaults(fresh);
    EXPECT_FALSE(fresh.newVersionStart);
  }
  {
    SCOPED_TRACE("read from an empty store");
    TempConfigDirs dirs;
    auto store = dirs.MakeStore();
    GameSettings loaded;
    loaded.stoneColors.fill(0x123456);
    loaded.playTime = 7;
    LoadSettings(*store, loaded);
    ExpectTheDefaults(loaded);
  }
}

TEST(SettingsModel, AnEmptyStoreGivesTheDefaultsAndWritesTheVersion) {
  TempConfigDirs dirs;
  auto store = dirs.MakeStore();
  GameSettings settings;
  settings.rowCount = 3;  // whatever was there before is replaced
  const auto load = LoadSettings(*store, settings);

  GameSettings expected;
  expected.newVersionStart = true;
  EXPECT_EQ(settings, expected);
  EXPECT_FALSE(load.storedLanguage.has_value());
  EXPECT_FALSE(load.repaired);
  EXPECT_EQ(store->ReadRegInt(kRootSection, kValueVersion, -1), kSettingsVersion);
}

TEST(SettingsModel, OnlyTheCurrentVersionEndsTheFirstRun) {
  struct Case {
    std::optional<int> stored;
    bool newVersionStart;
  };
  const Case cases[] = {{std::nullopt, true}, {40, true}, {42, true}, {-1, true}, {41, false}};
  for (const auto& c : cases) {
    TempConfigDirs dirs;
    auto store = dirs.MakeStore();
    if (c.stored) store->SaveRegInt("", "Version", *c.stored);
    const std::string before = std::filesystem::exists(dirs.UserFile()) ? ReadText(dirs.UserFile()) : "";
    GameSettings settings;
    LoadSettings(*store, settings);
    EXPECT_EQ(settings.newVersionStart, c.newVersionStart) << c.stored.value_or(-99);
    EXPECT_EQ(store->ReadRegInt("", "Version", 0), 41);
    if (!c.newVersionStart) EXPECT_EQ(ReadText(dirs.UserFile()), before) << "nothing written";
  }
  TempConfigDirs dirs;
  auto store = dirs.MakeStore();
  store->SaveRegStr("", "Version", "41");  // of the wrong type: no version at all
  GameSettings settings;
  LoadSettings(*store, settings);
  EXPECT_TRUE(settings.newVersionStart);
}

TEST(SettingsModel, ReadsEveryValueInItsOrder) {
  TempConfigDirs dirs;
  auto recorded = MakeRecordedStore();
  GameSettings settings;
  LoadSettings(*recorded.store, settings);

  std::vector<std::string> expected = {"Version", "Stein Höhe", "Stein Breite", "Anzahl Zeilen", "Anzahl Spalten",
                                       "Farben"};
  for (int i = 0; i < 15; ++i) expected.push_back("Farbe" + std::to_string(i));
  for (const char* name :
       {"Hintergrund-Modus", "Fenster anpassen", "Hintergrund-Bildchen", "Hintergrund-Verzeichnis", "JPEG-Position",
        "Klänge", "Texturiert", "Voyeur", "Rahmen zeichnen", "Actions", "Action-Häufigkeit", "Animationen",
        "Auto-Drop", "Undo-Infos", "Low-Score", "Spielzeit", "Ani-Interval Delete", "Ani-Interval MoveStone",
        "Ani-Interval MoveRow", "Ani-Interval Drop", "Neuer Stein alle", "Interval Drop", "DropStone Offset",
        "Nur lösbare Spiele", "Symbole", "Gruppe zeigen", "Sprache"}) {
    expected.push_back(name);
  }
  EXPECT_EQ(recorded.recorder->reads, expected);
}

TEST(SettingsModel, StoredValuesFillTheRecord) {
  TempConfigDirs dirs;
  auto store = dirs.MakeStore();
  GameSettings stored;
  stored.stoneHeight = 30;
  stored.stoneWidth = 25;
  stored.rowCount = 12;
  stored.columnCount = 3;  // playable, though the field comes out narrow
  stored.colorCount = 15;
  stored.backgroundMode = 2;
  stored.fitToPicture = false;
  stored.backgroundPicture = "/home/p/Bilder/Möwe.jpg";
  stored.backgroundFolder = "/home/p/Bilder/";
  stored.soundsOn = false;
  stored.textured = false;
  stored.voyeur = true;
  stored.traceOutline = false;
  stored.actionsOn = true;
  stored.animationsOn = false;
  stored.autoDrop = true;
  stored.playTime = 5;
  stored.undoInfo = false;
  stored.lowScore = false;
  stored.stoneColors[3] = 0x123456;
  SaveConfiguration(*store, stored);
  SaveStoneColors(*store, stored.stoneColors);
  SaveFolderPictureIndex(*store, 7);
  store->SaveRegInt("Konfiguration", "Action-Häufigkeit", 3);
  store->SaveRegInt("Konfiguration", "Ani-Interval Drop", 1);
  store->SaveRegInt("Konfiguration", "DropStone Offset", 9);
  SaveStoredLanguage(*store, 5);

  GameSettings settings;
  const auto load = LoadSettings(*store, settings);

  GameSettings expected = stored;
  expected.folderPictureIndex = 7;
  expected.actionFrequency = 3;
  expected.aniIntervalDrop = 1;
  expected.dropStoneOffset = 9;
  expected.newVersionStart = true;
  EXPECT_EQ(settings, expected);
  EXPECT_EQ(load.storedLanguage, 5);
  EXPECT_FALSE(load.repaired);
}

TEST(SettingsModel, MissingStoneColoursTakeTheirClassicColourOneByOne) {
  TempConfigDirs dirs;
  auto store = dirs.MakeStore();
  store->SaveRegInt("User-Farben", "Farbe0", 0x010203);
  store->SaveRegInt("User-Farben", "Farbe14", 0x0A0B0C);
  GameSettings settings;
  LoadSettings(*store, settings);
  StoneColorTable expected = kClassicPalette;
  expected[0] = 0x010203;
  expected[14] = 0x0A0B0C;
  EXPECT_EQ(settings.stoneColors, expected);

  EXPECT_TRUE(RemoveStoneColors(*store));
  LoadSettings(*store, settings);
  EXPECT_EQ(settings.stoneColors, kClassicPalette);
}

TEST(SettingsModel, ValuesTheGameCannotPlayFallBackToTheirDefaults) {
  struct Case {
    const char* section;
    const char* name;
    std::int32_t stored;
    bool playable;
  };
  const Case cases[] = {
      {"Konfiguration", "Farben", 0, false},          {"Konfiguration", "Farben", 16, false},
      {"Konfiguration", "Farben", 261, false},        {"Konfiguration", "Farben", -1, false},
      {"Konfiguration", "Farben", 2, true},           {"Konfiguration", "Hintergrund-Modus", 4, false},
      {"Konfiguration", "Hintergrund-Modus", 256, false}, {"Konfiguration", "Hintergrund-Modus", 3, true},
      {"Konfiguration", "Action-Häufigkeit", 0, false}, {"Konfiguration", "Action-Häufigkeit", 1, true},
      {"Konfiguration", "Neuer Stein alle", -3, false}, {"Konfiguration", "Interval Drop", 0, false},
      {"Konfiguration", "Ani-Interval Delete", 0, false}, {"Konfiguration", "Ani-Interval MoveStone", -1, false},
      {"Konfiguration", "Ani-Interval MoveRow", 0, false}, {"Konfiguration", "Ani-Interval Drop", -50, false},
      {"Konfiguration", "Anzahl Zeilen", 0, false},   {"Konfiguration", "Anzahl Zeilen", -4, false},
      {"Konfiguration", "Anzahl Zeilen", 2000000, false}, {"Konfiguration", "Anzahl Spalten", 1, true},
      {"Konfiguration", "Stein Höhe", 0, false},      {"Konfiguration", "Stein Breite", -20, false},
      {"Konfiguration", "Stein Breite", 1, true},     {"Konfiguration", "JPEG-Position", -7, false},
      {"Konfiguration", "JPEG-Position", -1, true},   {"Konfiguration", "JPEG-Position", 2147483647, false},
      {"Konfiguration", "Spielzeit", 0, false},       {"Konfiguration", "Spielzeit", 5000, true},
  };
  for (const auto& c : cases) {
    TempConfigDirs dirs;
    auto store = dirs.MakeStore();
    store->SaveRegInt(c.section, c.name, c.stored);
    GameSettings settings;
    const auto load = LoadSettings(*store, settings);
    GameSettings defaults;
    defaults.newVersionStart = true;
    EXPECT_EQ(load.repaired, !c.playable) << c.name << " " << c.stored;
    EXPECT_EQ(settings == defaults, !c.playable) << c.name << " " << c.stored;
    EXPECT_EQ(store->ReadRegInt(c.section, c.name, 0), c.stored) << "the store is left as it is";
  }
}

TEST(SettingsModel, StoneColoursAreRgbOnly) {
  TempConfigDirs dirs;
  auto store = dirs.MakeStore();
  store->SaveRegInt("User-Farben", "Farbe1", 0x02FFFFFE);  // the special stones' mark
  store->SaveRegInt("User-Farben", "Farbe2", -1);
  GameSettings settings;
  EXPECT_TRUE(LoadSettings(*store, settings).repaired);
  EXPECT_EQ(settings.stoneColors[1], 0xFFFFFEu);
  EXPECT_EQ(settings.stoneColors[2], 0xFFFFFFu);
}

TEST(SettingsModel, TheDialogsSaveWritesItsValuesInOrderAsOneChange) {
  TempConfigDirs dirs;
  auto recorded = MakeRecordedStore();
  SaveConfiguration(*recorded.store, GameSettings{});
  EXPECT_EQ(recorded.recorder->WrittenNames(),
            (std::vector<std::string>{"Stein Höhe", "Stein Breite", "Anzahl Zeilen", "Anzahl Spalten", "Farben",
                                      "Hintergrund-Modus", "Fenster anpassen", "Hintergrund-Bildchen",
                                      "Hintergrund-Verzeichnis", "Klänge", "Texturiert", "Voyeur",
                                      "Rahmen zeichnen", "Actions", "Animationen", "Auto-Drop", "Spielzeit",
                                      "Undo-Infos", "Low-Score", "Nur lösbare Spiele", "Symbole", "Gruppe zeigen"}));
  const std::string text = ReadText(dirs.UserFile());
  EXPECT_NE(text.find("[HKEY_CURRENT_USER\\SOFTWARE\\Varnex-Soft\\Pebbledrome\\Konfiguration]\n"
                      "\"Stein Höhe\"=dword:00000015\n"),
            std::string::npos)
      << text;
}

// Each value the dialog saves, changed alone: whether the running game takes it
// at once, and whether it deals a new game for it.
TEST(SettingsModel, SavedValuesTheRunningGameTakesAndThoseThatNeedANewGame) {
  struct Case {
    const char* what;
    std::function<void(GameSettings&)> change;
    bool taken;
    bool newGame;
  };
  const Case cases[] = {
      {"rows", [](GameSettings& s) { s.rowCount = 20; }, true, true},
      {"columns", [](GameSettings& s) { s.columnCount = 12; }, true, true},
      {"colours", [](GameSettings& s) { s.colorCount = 7; }, true, true},
      {"count-down", [](GameSettings& s) { s.playTime = 120; }, true, true},
      {"special stones", [](GameSettings& s) { s.actionsOn = true; }, true, true},
      {"auto-drop", [](GameSettings& s) { s.autoDrop = true; }, true, true},
      {"count mode", [](GameSettings& s) { s.lowScore = false; }, true, true},
      {"stone width", [](GameSettings& s) { s.stoneWidth = 30; }, false, true},
      {"stone height", [](GameSettings& s) { s.stoneHeight = 30; }, false, true},
      {"window fits the picture", [](GameSettings& s) { s.fitToPicture = false; }, true, false},
      {"picture", [](GameSettings& s) { s.backgroundPicture = "/pictures/a.jpg"; }, true, false},
      {"folder", [](GameSettings& s) { s.backgroundFolder = "/pictures"; }, true, false},
      {"sounds", [](GameSettings& s) { s.soundsOn = false; }, true, false},
      {"textured", [](GameSettings& s) { s.textured = false; }, true, false},
      {"voyeur", [](GameSettings& s) { s.voyeur = true; }, true, false},
      {"trace lines", [](GameSettings& s) { s.traceOutline = false; }, true, false},
      {"symbols on the stones", [](GameSettings& s) { s.stoneSymbols = true; }, true, false},
      {"animations", [](GameSettings& s) { s.animationsOn = false; }, true, false},
      {"background mode", [](GameSettings& s) { s.backgroundMode = 3; }, false, false},
      {"undo", [](GameSettings& s) { s.undoInfo = false; }, false, false},
      {"only clearable deals", [](GameSettings& s) { s.clearableDeals = true; }, false, false},
  };
  GameSettings current;
  current.languageOffset = kFrenchOffset;  // never a saved value: the running game keeps its own
  for (const Case& c : cases) {
    GameSettings saved = current;
    saved.languageOffset = kGermanOffset;
    c.change(saved);
    GameSettings expected = current;
    if (c.taken) c.change(expected);
    const SavedSettingsEffect effect = TakeSavedValues(current, saved);
    EXPECT_EQ(effect.updated, expected) << c.what;
    EXPECT_EQ(effect.newGame, c.newGame) << c.what;
    EXPECT_EQ(effect.countModeChanged, c.what == std::string("count mode")) << c.what;
  }
  const SavedSettingsEffect unchanged = TakeSavedValues(current, current);
  EXPECT_EQ(unchanged.updated, current);
  EXPECT_FALSE(unchanged.newGame);
}

TEST(SettingsModel, MainWindowPositionAndLanguage) {
  TempConfigDirs dirs;
  auto store = dirs.MakeStore();
  EXPECT_EQ(ReadMainWindowPos(*store).left, 10);
  EXPECT_EQ(ReadMainWindowPos(*store).top, 10);
  SaveMainWindowPos(*store, {-1200, 40});
  EXPECT_EQ(store->ReadRegInt("", "Pos Links", 0), -1200);
  EXPECT_EQ(store->ReadRegInt("", "Pos Top", 0), 40);

  EXPECT_FALSE(ReadStoredLanguage(*store).has_value());
  SaveStoredLanguage(*store, 2000);
  EXPECT_EQ(store->ReadRegInt("", "Sprache", 0), 2000);
  GameSettings settings;
  EXPECT_EQ(LoadSettings(*store, settings).storedLanguage, 2000);
  EXPECT_EQ(settings.languageOffset, 0) << "the language choice is made elsewhere";
}

}  // namespace
}  // namespace pebble

#else

#include <gtest/gtest.h>

TEST(SettingsModelFiles, OnlyOutsideWindows) {
  GTEST_SKIP() << "the settings record checked against the settings file text; the registry tests round-trip it on Windows";
}

#endif  // _WIN32

// Typed reads and writes below the program root key, their defaults, removal,
// the first-start flag and where the hive files live.

#ifndef _WIN32

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "config/store_fixture.h"

namespace pebble {
namespace {

using test::ReadText;
using test::TempConfigDirs;
using test::WriteText;

constexpr std::string_view kRootLine = "[HKEY_CURRENT_USER\\SOFTWARE\\Varnex-Soft\\Pebbledrome]";

TEST(SettingsStore, ValuesReadBackAsWritten) {
  TempConfigDirs dirs;
  auto store = dirs.MakeStore();
  store->SaveRegStr("Konfiguration", "Hintergrund-Bildchen", "/home/jörg/Bilder/Strand.jpg");
  store->SaveRegInt("Konfiguration", "Stein Höhe", -21);
  store->SaveRegFloat("Stats", "Schnitt", 12.375);
  store->SaveRegBool("Konfiguration", "Klänge", false);
  store->SaveRegStr("Konfiguration", "Leer", "");

  auto again = dirs.MakeStore();  // nothing is cached: a new store reads the file
  EXPECT_EQ(again->ReadRegStr("Konfiguration", "Hintergrund-Bildchen", "x"), "/home/jörg/Bilder/Strand.jpg");
  EXPECT_EQ(again->ReadRegInt("Konfiguration", "Stein Höhe", 0), -21);
  EXPECT_EQ(again->ReadRegFloat("Stats", "Schnitt", 0), 12.375);
  EXPECT_FALSE(again->ReadRegBool("Konfiguration", "Klänge", true));
  EXPECT_EQ(again->ReadRegStr("Konfiguration", "Leer", "x"), "");
  EXPECT_EQ(again->ReadRegInt("KONFIGURATION", "stein höhe", 0), -21) << "names ignore letter case";
  EXPECT_EQ(again->ReadRegInt("Konfiguration", "STEIN HÖHE", 0), 0) << "but only of ASCII letters";
}

TEST(SettingsStore, AValueOfTheWrongTypeReadsAsTheDefault) {
  TempConfigDirs dirs;
  WriteText(dirs.UserFile(), std::string("Windows Registry Editor Version 5.00\n\n") + std::string(kRootLine) +
                                 "\n"
                                 "\"Text\"=\"21\"\n"
                                 "\"Zahl\"=dword:00000015\n"
                                 "\"Vier Bytes\"=hex:15,00,00,00\n"
                                 "\"Sieben Bytes\"=hex:00,00,00,00,00,00,00\n"
                                 "\"Dword mit Typ\"=hex(4):15,00,00\n"
                                 "\"Erweitert\"=hex(2):41,00,00,00\n");
  auto store = dirs.MakeStore();
  struct Case {
    const char* name;
    bool asInt, asBool, asFloat, asString;  // whether each typed read takes the stored value
  };
  const Case cases[] = {
      {"Text", false, false, false, true},         {"Zahl", true, true, false, false},
      {"Vier Bytes", false, false, false, false},  {"Sieben Bytes", false, false, false, false},
      {"Dword mit Typ", false, false, false, false}, {"Erweitert", false, false, false, false},
      {"Fehlt", false, false, false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(store->ReadRegInt("", c.name, -7) != -7, c.asInt) << c.name;
    EXPECT_EQ(store->ReadRegBool("", c.name, false), c.asBool) << c.name;
    EXPECT_EQ(store->ReadRegFloat("", c.name, -7.5) != -7.5, c.asFloat) << c.name;
    EXPECT_EQ(store->ReadRegStr("", c.name, "default") != "default", c.asString) << c.name;
  }
  EXPECT_EQ(store->ReadRegInt("Fehlender Abschnitt", "Zahl", 3), 3);
}

TEST(SettingsStore, EmptySectionIsTheProgramRootKey) {
  TempConfigDirs dirs;
  auto store = dirs.MakeStore();
  store->SaveRegInt("", "Version", 41);
  store->SaveRegInt("Konfiguration", "Version", 7);
  EXPECT_EQ(store->ReadRegInt("", "Version", -1), 41);
  const std::string text = ReadText(dirs.UserFile());
  EXPECT_NE(text.find(std::string(kRootLine) + "\n\"Version\"=dword:00000029\n"), std::string::npos) << text;
}

TEST(SettingsStore, ReadingCreatesNothing) {
  TempConfigDirs dirs;
  auto store = dirs.MakeStore();
  EXPECT_EQ(store->ReadRegInt("Konfiguration", "Farben", 5), 5);
  EXPECT_FALSE(store->RemoveValue("Konfiguration", "Farben"));
  EXPECT_FALSE(std::filesystem::exists(dirs.UserFile()));
}

TEST(SettingsStore, RemovingKeysAndValues) {
  TempConfigDirs dirs;
  auto store = dirs.MakeStore();
  store->SaveRegInt("Highscores", "Punkte", 1);
  store->SaveRegInt("Statistik", "Spiele", 2);
  store->SaveRegInt("", "Version", 41);

  EXPECT_TRUE(store->RemoveValue("Statistik", "Spiele"));
  EXPECT_FALSE(store->RemoveValue("Statistik", "Spiele"));
  EXPECT_TRUE(store->RemoveKey("Highscores"));
  EXPECT_FALSE(store->RemoveKey("Highscores"));
  EXPECT_EQ(store->ReadRegInt("Highscores", "Punkte", 0), 0);
  EXPECT_FALSE(store->RemoveKey("")) << "a key with subkeys stays";
  EXPECT_EQ(store->ReadRegInt("", "Version", 0), 41);

  EXPECT_TRUE(store->RemoveAppsRegInfo());
  EXPECT_EQ(store->ReadRegInt("", "Version", 0), 0);
  EXPECT_EQ(store->ReadRegInt("Statistik", "Spiele", 0), 0);
  EXPECT_FALSE(store->RemoveAppsRegInfo());
  EXPECT_TRUE(dirs.MakeStore()->FirstStart());
}

TEST(SettingsStore, FirstStartTellsWhetherThePlayerHadStoredAnything) {
  TempConfigDirs dirs;
  auto store = dirs.MakeStore(kDefaultProgRoot);
  EXPECT_EQ(store->ProgRoot(), "\\SOFTWARE\\Varnex-Soft\\Neues Projekt");
  EXPECT_TRUE(store->FirstStart());
  store->SetProgRoot(kPebbledromeProgRoot);
  store->SaveRegInt("", "Version", 41);
  EXPECT_TRUE(store->FirstStart()) << "decided when the root was set";
  store->SetProgRoot(kPebbledromeProgRoot);
  EXPECT_FALSE(store->FirstStart());
  EXPECT_TRUE(dirs.MakeStore("\\SOFTWARE\\Varnex-Soft\\Anderes")->FirstStart());
}

TEST(SettingsStore, BatchStoresAllOrNothing) {
  TempConfigDirs dirs;
  auto store = dirs.MakeStore();
  {
    SettingsBatch batch(*store);
    store->SaveRegInt("Score", "Punkte0", 10);
    store->SaveRegInt("Score", "Punkte1", 20);
    EXPECT_EQ(store->ReadRegInt("Score", "Punkte1", 0), 20) << "a batch reads its own writes";
    EXPECT_FALSE(std::filesystem::exists(dirs.UserFile())) << "nothing stored before the commit";
    batch.Commit();
  }
  EXPECT_EQ(dirs.MakeStore()->ReadRegInt("Score", "Punkte1", 0), 20);
  {
    SettingsBatch batch(*store);
    store->SaveRegInt("Score", "Punkte0", 99);
    store->RemoveValue("Score", "Punkte1");
  }  // abandoned
  EXPECT_EQ(store->ReadRegInt("Score", "Punkte0", 0), 10);
  EXPECT_EQ(store->ReadRegInt("Score", "Punkte1", 0), 20);
  {
    SettingsBatch outer(*store);
    store->SaveRegInt("Score", "Punkte0", 11);
    {
      SettingsBatch inner(*store);
      store->SaveRegInt("Score", "Punkte1", 21);
      inner.Commit();
    }
    EXPECT_EQ(dirs.MakeStore()->ReadRegInt("Score", "Punkte1", 0), 20) << "only the outer commit stores";
    outer.Commit();
  }
  EXPECT_EQ(store->ReadRegInt("Score", "Punkte1", 0), 21);
  {
    SettingsBatch outer(*store);
    store->SaveRegInt("Score", "Punkte0", 12);
    { SettingsBatch inner(*store); }  // abandoned inside
    outer.Commit();
  }
  EXPECT_EQ(store->ReadRegInt("Score", "Punkte0", 0), 11);
}

TEST(SettingsStore, AStoreThatCannotBeOpenedSkipsWritesSilently) {
  TempConfigDirs dirs;
  WriteText(dirs.Root() / "home", "a file where the folder should be");
  auto store = dirs.MakeStore();
  EXPECT_NO_THROW(store->SaveRegInt("", "Version", 41));
  EXPECT_EQ(store->ReadRegInt("", "Version", -1), -1);
  EXPECT_FALSE(store->RemoveAppsRegInfo());
}

TEST(SettingsStore, AFailingWriteIsReportedAndLeavesTheFileAsItWas) {
  TempConfigDirs dirs;
  auto store = dirs.MakeStore();
  store->SaveRegInt("", "Version", 41);
  const std::string before = ReadText(dirs.UserFile());
  std::filesystem::create_directories(dirs.UserFile().string() + ".tmp");  // the new file cannot be made
  EXPECT_THROW(store->SaveRegInt("", "Version", 42), SettingsStoreError);
  EXPECT_EQ(ReadText(dirs.UserFile()), before);
  EXPECT_FALSE(store->RemoveValue("", "Version"));
  EXPECT_EQ(store->ReadRegInt("", "Version", 0), 41);
}

// The file is parsed once and kept; whatever changes it on disk is seen at the
// next read: another running game's write, a hand edit, a file removed.
TEST(SettingsStore, EveryChangeOnDiskIsSeenAtTheNextRead) {
  TempConfigDirs dirs;
  auto game = dirs.MakeStore();
  auto otherGame = dirs.MakeStore();
  game->SaveRegInt("Konfiguration", "Spalten", 10);
  EXPECT_EQ(otherGame->ReadRegInt("Konfiguration", "Spalten", 0), 10);
  for (int columns = 11; columns < 14; ++columns) {  // writes quicker than the clock of the file times
    game->SaveRegInt("Konfiguration", "Spalten", columns);
    EXPECT_EQ(otherGame->ReadRegInt("Konfiguration", "Spalten", 0), columns);
    EXPECT_EQ(game->ReadRegInt("Konfiguration", "Spalten", 0), columns);
  }

  // A hand edit in place keeps the file's inode; its size tells.
  std::string text = ReadText(dirs.UserFile());
  text.replace(text.find("dword:0000000d"), 14, "\"zwanzig\"");
  { std::ofstream(dirs.UserFile(), std::ios::binary | std::ios::in | std::ios::out | std::ios::trunc) << text; }
  EXPECT_EQ(game->ReadRegStr("Konfiguration", "Spalten", ""), "zwanzig");

  std::filesystem::remove(dirs.UserFile());
  EXPECT_EQ(game->ReadRegInt("Konfiguration", "Spalten", -1), -1);
  otherGame->SaveRegInt("Konfiguration", "Zeilen", 16);
  EXPECT_EQ(game->ReadRegInt("Konfiguration", "Zeilen", 0), 16);
  EXPECT_EQ(game->ReadRegInt("Konfiguration", "Spalten", -1), -1);
}

TEST(SettingsStore, HiveFilesFollowTheXdgRules) {
  using Env = std::map<std::string, std::string>;
  struct Case {
    Env env;
    const char* user;
    const char* machine;
  };
  const Case cases[] = {
      {{{"HOME", "/home/p"}}, "/home/p/.config/pebbledrome/settings.reg", "/etc/xdg/pebbledrome/settings.reg"},
      {{{"HOME", "/home/p"}, {"XDG_CONFIG_HOME", "/cfg"}, {"XDG_CONFIG_DIRS", "/a:/b"}},
       "/cfg/pebbledrome/settings.reg", "/a/pebbledrome/settings.reg"},
      {{{"HOME", "/home/p"}, {"XDG_CONFIG_HOME", "relative"}, {"XDG_CONFIG_DIRS", "rel:/b"}},
       "/home/p/.config/pebbledrome/settings.reg", "/b/pebbledrome/settings.reg"},
      {{{"HOME", "/home/p"}, {"XDG_CONFIG_HOME", ""}, {"XDG_CONFIG_DIRS", ""}},
       "/home/p/.config/pebbledrome/settings.reg", "/etc/xdg/pebbledrome/settings.reg"},
  };
  for (const auto& c : cases) {
    const auto files = XdgHiveFiles([&](const char* name) -> std::optional<std::string> {
      auto it = c.env.find(name);
      return it == c.env.end() ? std::nullopt : std::optional<std::string>(it->second);
    });
    EXPECT_EQ(files.user, c.user);
    EXPECT_EQ(files.machine, c.machine);
  }
}

TEST(SettingsStore, DefaultStoreUsesTheEnvironmentsFolders) {
  TempConfigDirs dirs;
  dirs.MakeStore()->SaveRegInt("", "Version", 41);
  EXPECT_TRUE(std::filesystem::exists(dirs.UserFile()));
  EXPECT_FALSE(std::filesystem::exists(dirs.MachineFile()));
}

}  // namespace
}  // namespace pebble

#else

#include <gtest/gtest.h>

TEST(StoreFiles, OnlyOutsideWindows) {
  GTEST_SKIP() << "the settings file and its XDG folders; the registry tests cover the store on Windows";
}

#endif  // _WIN32

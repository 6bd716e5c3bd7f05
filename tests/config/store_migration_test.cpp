// Moving an older machine-wide settings tree into the player's own.

#ifndef _WIN32

#include <gtest/gtest.h>

#include "config/store_fixture.h"

namespace pebble {
namespace {

using test::ReadText;
using test::TempConfigDirs;
using test::WriteText;

const std::string kMachineTree =
    "Windows Registry Editor Version 5.00\n\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Varnex-Soft\\Pebbledrome]\n"
    "\"Version\"=dword:00000028\n"
    "\"Name\"=\"Alte Zeiten\"\n\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Varnex-Soft\\Pebbledrome\\Konfiguration]\n"
    "\"Stein Höhe\"=dword:00000018\n"
    "\"Schnitt\"=hex:00,00,00,00,00,00,29,40\n"
    "\"Pfad\"=hex(2):25,00,00,00\n"
    "\"Liste\"=hex(7):61,00,00,00,00,00\n\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Varnex-Soft\\Pebbledrome\\Score\\Tief]\n"
    "\"Punkte\"=dword:00000007\n\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Varnex-Soft\\Anderes Spiel]\n"
    "\"Bleibt\"=dword:00000001\n\n";

TEST(Migration, CopiesTheOlderTreeWhenThePlayerHasNone) {
  TempConfigDirs dirs;
  WriteText(dirs.MachineFile(), kMachineTree);
  auto store = dirs.MakeStore();
  ASSERT_TRUE(store->FirstStart());
  ASSERT_TRUE(store->MigrationNeeded());

  EXPECT_TRUE(store->MigrateRegistry());

  EXPECT_EQ(store->ReadRegInt("", "Version", -1), 40);
  EXPECT_EQ(store->ReadRegStr("", "Name", ""), "Alte Zeiten");
  EXPECT_EQ(store->ReadRegInt("Konfiguration", "Stein Höhe", 0), 24);
  EXPECT_EQ(store->ReadRegFloat("Konfiguration", "Schnitt", 0), 12.5);
  EXPECT_EQ(store->ReadRegInt("Score\\Tief", "Punkte", 0), 7);
  const std::string user = ReadText(dirs.UserFile());
  EXPECT_EQ(user.find("Pfad"), std::string::npos) << "expandable strings are not copied";
  EXPECT_EQ(user.find("Liste"), std::string::npos) << "multi-strings are not copied";

  EXPECT_FALSE(store->MigrationNeeded());
  EXPECT_TRUE(store->FirstStart()) << "still the first start of this run";
  const std::string machine = ReadText(dirs.MachineFile());
  EXPECT_EQ(machine.find("Pebbledrome"), std::string::npos) << "moved, not copied:\n" << machine;
  EXPECT_NE(machine.find("Anderes Spiel"), std::string::npos);
}

TEST(Migration, NeverOverTheTreeThePlayerAlreadyHas) {
  TempConfigDirs dirs;
  WriteText(dirs.MachineFile(), kMachineTree);
  auto store = dirs.MakeStore();
  store->SaveRegInt("Konfiguration", "Stein Höhe", 30);
  store->SetProgRoot(kPebbledromeProgRoot);
  EXPECT_FALSE(store->FirstStart());
  EXPECT_FALSE(store->MigrationNeeded());

  EXPECT_TRUE(store->MigrateRegistry());  // even when asked, it copies nothing

  EXPECT_EQ(store->ReadRegInt("Konfiguration", "Stein Höhe", 0), 30);
  EXPECT_EQ(store->ReadRegInt("", "Version", -1), -1);
  EXPECT_EQ(ReadText(dirs.MachineFile()), kMachineTree) << "the machine-wide tree stays untouched";
}

TEST(Migration, NothingToMoveWithoutAnOlderTree) {
  TempConfigDirs dirs;
  auto store = dirs.MakeStore();
  EXPECT_FALSE(store->MigrationNeeded());
  EXPECT_TRUE(store->MigrateRegistry());
  EXPECT_FALSE(std::filesystem::exists(dirs.UserFile()));
}

TEST(Migration, AMachineHiveThatCannotBeWrittenKeepsItsTree) {
  TempConfigDirs dirs;
  WriteText(dirs.MachineFile(), kMachineTree);
  std::filesystem::create_directories(dirs.MachineFile().string() + ".tmp");
  auto store = dirs.MakeStore();
  EXPECT_TRUE(store->MigrateRegistry());
  EXPECT_EQ(store->ReadRegInt("Konfiguration", "Stein Höhe", 0), 24);
  EXPECT_EQ(ReadText(dirs.MachineFile()), kMachineTree);
}

TEST(Migration, AFailureToStoreTheCopyIsReported) {
  TempConfigDirs dirs;
  WriteText(dirs.MachineFile(), kMachineTree);
  std::filesystem::create_directories(dirs.UserFile().string() + ".tmp");
  auto store = dirs.MakeStore();
  EXPECT_FALSE(store->MigrateRegistry());
  EXPECT_EQ(ReadText(dirs.MachineFile()), kMachineTree) << "nothing moved, nothing lost";
}

}  // namespace
}  // namespace pebble

#else

#include <gtest/gtest.h>

TEST(StoreFileMigration, OnlyOutsideWindows) {
  GTEST_SKIP() << "migration between the two settings files; the registry tests migrate from HKEY_LOCAL_MACHINE";
}

#endif  // _WIN32

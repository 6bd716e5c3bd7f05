// A game killed in the middle of a write, and a settings file that cannot be
// read: the player's settings survive both.

#ifndef _WIN32

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "config/reg_file_format.h"
#include "config/store_fixture.h"

namespace pebble {
namespace {

using test::ReadText;
using test::TempConfigDirs;
using test::WriteText;

constexpr int kTableSize = 30;

std::vector<std::filesystem::path> KeptAside(const TempConfigDirs& dirs) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(dirs.UserFile().parent_path())) {
    if (entry.path().filename().string().starts_with("settings.reg.broken-")) files.push_back(entry.path());
  }
  return files;
}

TEST(StoreCrash, AWriterKilledJustBeforeTheReplaceLeavesTheOldFileWhole) {
  TempConfigDirs dirs;
  dirs.MakeStore()->SaveRegInt("", "Version", 41);
  const std::string before = ReadText(dirs.UserFile());

  const pid_t pid = fork();
  if (pid == 0) {
    auto backend = std::make_unique<FileRegistryBackend>(XdgHiveFiles());
    backend->SetBeforeReplaceHookForTesting([] { raise(SIGKILL); });
    SettingsStore store(std::move(backend), kPebbledromeProgRoot);
    store.SaveRegInt("", "Version", 42);
    _exit(0);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

  EXPECT_EQ(ReadText(dirs.UserFile()), before);
  auto store = dirs.MakeStore();
  EXPECT_EQ(store->ReadRegInt("", "Version", 0), 41);
  store->SaveRegInt("", "Version", 43);  // the leftover of the killed writer is no obstacle
  EXPECT_EQ(store->ReadRegInt("", "Version", 0), 43);
  EXPECT_FALSE(std::filesystem::exists(dirs.UserFile().string() + ".tmp"));
  EXPECT_TRUE(KeptAside(dirs).empty());
}

// Each round starts a game that stores whole tables over and over and kills it
// at a random moment; the file must always read clean and hold a whole table.
TEST(StoreCrash, KillingAWriterAtAnyMomentNeverLeavesHalfATable) {
  TempConfigDirs dirs;
  std::mt19937 random(20261210);
  int lastSeen = 0;
  for (int round = 0; round < 15; ++round) {
    int commits[2];
    ASSERT_EQ(pipe(commits), 0);
    const pid_t pid = fork();
    if (pid == 0) {
      close(commits[0]);
      auto store = MakeDefaultSettingsStore(kPebbledromeProgRoot);
      for (int n = store->ReadRegInt("Score", "Wert0", 0) + 1;; ++n) {
        SettingsBatch batch(*store);
        for (int j = 0; j < kTableSize; ++j) store->SaveRegInt("Score", "Wert" + std::to_string(j), n);
        batch.Commit();
        if (write(commits[1], &n, sizeof n) != sizeof n) _exit(1);
      }
    }
    close(commits[1]);
    std::this_thread::sleep_for(std::chrono::milliseconds(5 + random() % 40));
    // On a busy machine the writer may not have stored one table yet: until
    // some round has, wait for its first before the kill.
    int committed = 0;
    if (lastSeen == 0 && read(commits[0], &committed, sizeof committed) != sizeof committed)
      ADD_FAILURE() << "the writer stored nothing";
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    close(commits[0]);

    if (!std::filesystem::exists(dirs.UserFile())) continue;
    const auto parsed = ParseRegFile(ReadText(dirs.UserFile()));
    ASSERT_TRUE(parsed.clean) << "round " << round;
    auto store = dirs.MakeStore();
    const int first = store->ReadRegInt("Score", "Wert0", -1);
    for (int j = 1; j < kTableSize; ++j) {
      ASSERT_EQ(store->ReadRegInt("Score", "Wert" + std::to_string(j), -1), first) << "round " << round;
    }
    EXPECT_GE(first, lastSeen) << "no stored table is lost";
    lastSeen = first;
  }
  EXPECT_GT(lastSeen, 0);
  EXPECT_TRUE(KeptAside(dirs).empty());
}

TEST(StoreDamage, AFileThatCannotBeReadIsKeptAsideBeforeItIsReplaced) {
  TempConfigDirs dirs;
  const std::string garbage = "\x7f" "ELF not a settings file \x01\x02";
  WriteText(dirs.UserFile(), garbage);
  auto store = dirs.MakeStore();
  EXPECT_EQ(store->ReadRegInt("", "Version", -1), -1);
  EXPECT_EQ(ReadText(dirs.UserFile()), garbage) << "reading changes nothing";

  store->SaveRegInt("", "Version", 41);

  const auto aside = KeptAside(dirs);
  ASSERT_EQ(aside.size(), 1u);
  EXPECT_EQ(ReadText(aside[0]), garbage);
  EXPECT_TRUE(ParseRegFile(ReadText(dirs.UserFile())).clean);
  EXPECT_EQ(store->ReadRegInt("", "Version", -1), 41);
  store->SaveRegInt("", "Version", 42);
  EXPECT_EQ(KeptAside(dirs).size(), 1u) << "a clean file is simply replaced";
}

TEST(StoreDamage, ADamagedLineCostsOnlyItsOwnValue) {
  TempConfigDirs dirs;
  const std::string damaged =
      "Windows Registry Editor Version 5.00\n\n"
      "[HKEY_CURRENT_USER\\SOFTWARE\\Varnex-Soft\\Pebbledrome\\Konfiguration]\n"
      "\"Stein Höhe\"=dword:00000018\n"
      "\"Farben\"=dword:0000000\x01\n"
      "\"Anzahl Zeilen\"=dword:0000000c\n";
  WriteText(dirs.UserFile(), damaged);
  auto store = dirs.MakeStore();
  EXPECT_EQ(store->ReadRegInt("Konfiguration", "Stein Höhe", 0), 24);
  EXPECT_EQ(store->ReadRegInt("Konfiguration", "Farben", 5), 5);
  EXPECT_EQ(store->ReadRegInt("Konfiguration", "Anzahl Zeilen", 0), 12);

  store->SaveRegInt("Konfiguration", "Spielzeit", 60);

  const auto aside = KeptAside(dirs);
  ASSERT_EQ(aside.size(), 1u);
  EXPECT_EQ(ReadText(aside[0]), damaged);
  EXPECT_EQ(store->ReadRegInt("Konfiguration", "Stein Höhe", 0), 24) << "the readable values were kept";
  EXPECT_EQ(store->ReadRegInt("Konfiguration", "Spielzeit", 0), 60);
}

// A key nested far deeper than the registry allows once killed every start
// (the stack ran out while the file was rewritten): now it is damage like any
// other, kept aside, and the game's own values are still read.
TEST(StoreDamage, AKeyNestedTooDeepIsKeptAsideAndCostsOnlyItself) {
  TempConfigDirs dirs;
  std::string deep = "[HKEY_CURRENT_USER\\SOFTWARE";
  for (int i = 0; i < 100000; ++i) deep += "\\k";
  const std::string damaged =
      "Windows Registry Editor Version 5.00\n\n"
      "[HKEY_CURRENT_USER\\SOFTWARE\\Varnex-Soft\\Pebbledrome\\Konfiguration]\n"
      "\"Stein Höhe\"=dword:00000018\n\n" + deep + "]\n\"Stein Höhe\"=dword:00000001\n";
  WriteText(dirs.UserFile(), damaged);
  auto store = dirs.MakeStore();
  EXPECT_EQ(store->ReadRegInt("Konfiguration", "Stein Höhe", 0), 24);

  store->SaveRegInt("Konfiguration", "Spielzeit", 60);

  const auto aside = KeptAside(dirs);
  ASSERT_EQ(aside.size(), 1u);
  EXPECT_EQ(ReadText(aside[0]), damaged);
  const std::string rewritten = ReadText(dirs.UserFile());
  EXPECT_TRUE(ParseRegFile(rewritten).clean);
  EXPECT_LT(rewritten.size(), 1000u);
  EXPECT_EQ(store->ReadRegInt("Konfiguration", "Stein Höhe", 0), 24);
}

}  // namespace
}  // namespace pebble

#else

#include <gtest/gtest.h>

TEST(StoreFileCrash, OnlyOutsideWindows) {
  GTEST_SKIP() << "a writer killed while it replaces the settings file; the registry has no such file";
}

#endif  // _WIN32

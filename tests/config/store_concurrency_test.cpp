// Several running games writing the same settings file at once: real processes,
// and no update may get lost.

#ifndef _WIN32

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <vector>

#include "config/store_fixture.h"

namespace pebble {
namespace {

using test::TempConfigDirs;

// Runs work in `count` child processes at once; true when all ended well.
bool RunInChildren(int count, const std::function<void(int child)>& work) {
  std::vector<pid_t> children;
  for (int k = 0; k < count; ++k) {
    const pid_t pid = fork();
    if (pid == 0) {
      int code = 0;
      try {
        work(k);
      } catch (...) {
        code = 1;
      }
      _exit(code);
    }
    if (pid < 0) return false;
    children.push_back(pid);
  }
  bool allWell = true;
  for (pid_t pid : children) {
    int status = 0;
    waitpid(pid, &status, 0);
    allWell = allWell && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  return allWell;
}

constexpr int kGames = 4;
constexpr int kRounds = 40;

TEST(StoreConcurrency, TwoGamesWritingAtOnceLoseNoUpdate) {
  TempConfigDirs dirs;
  ASSERT_TRUE(RunInChildren(kGames, [](int child) {
    auto store = MakeDefaultSettingsStore(kPebbledromeProgRoot);
    for (int i = 0; i < kRounds; ++i) {
      // Single writes of different values must all arrive ...
      store->SaveRegInt("Einzeln", "Spiel" + std::to_string(child) + "-" + std::to_string(i), i);
      // ... and a read-modify-write in a batch must count every game.
      SettingsBatch batch(*store);
      store->SaveRegInt("Stats", "Spiele", store->ReadRegInt("Stats", "Spiele", 0) + 1);
      batch.Commit();
    }
  }));

  auto store = dirs.MakeStore();
  EXPECT_EQ(store->ReadRegInt("Stats", "Spiele", 0), kGames * kRounds);
  for (int child = 0; child < kGames; ++child) {
    for (int i = 0; i < kRounds; ++i) {
      EXPECT_EQ(store->ReadRegInt("Einzeln", "Spiel" + std::to_string(child) + "-" + std::to_string(i), -1), i);
    }
  }
}

}  // namespace
}  // namespace pebble

#else

#include <gtest/gtest.h>

TEST(StoreFileLocking, OnlyOutsideWindows) {
  GTEST_SKIP() << "two processes sharing the settings file; on Windows the registry serialises writers itself";
}

#endif  // _WIN32

// The player history of a saved game shared by several running games, written
// by real processes that run at once, get killed, or may not write the file.

#include <gtest/gtest.h>
#ifndef _WIN32
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <chrono>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "control/saved_game_file.h"
#include "control/saved_game_fixture.h"
#include "engine/field.h"

namespace pebble {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::FileBytes;
using test::PutFile;
using test::ScratchFolder;

// A 5 x 4 deal in five colours, laid out as the game lays out its cells.
SavedGame Deal() {
  Field field(5, 4, 20, 21);
  for (TStoneCell& cell : field.Cells()) {
    cell.Kind = skNormal;
    cell.Color = kClassicPalette[static_cast<std::size_t>(cell.Index % 5)];
    cell.Occupied = 1;
  }
  field.Recount(true);
  SavedGame game;
  game.computerName = "PEBBLE-8";
  game.savedAt = 45000.75;
  game.settings.columnCount = 5;
  game.settings.rowCount = 4;
  game.stonesLeft = field.Counters().StonesLeft;
  game.movableStones = field.Counters().MovableStones;
  game.activeSpecials = field.Counters().ActiveSpecials;
  game.cells = field.Cells();
  return game;
}

TReportInfo Entry(const std::string& name, std::int32_t score) { return {name, 45001.5, "PC", "", score}; }

std::vector<TReportInfo> History(const fs::path& file) {
  const ParsedSavedGame game = ReadGameFile(file);
  EXPECT_EQ(game.status, SavedGameStatus::Ok);
  const ParsedPlayerHistory history = ReadPlayerHistory(file, game.playerHistoryOffset);
  EXPECT_TRUE(history.ok);
  return history.entries;
}

#ifndef _WIN32
constexpr uid_t kNobody = 65534;

// Runs work in a child process; its exit code is 0 when work returned true.
pid_t StartChild(const std::function<bool()>& work) {
  const pid_t pid = fork();
  if (pid == 0) _exit(work() ? 0 : 1);
  return pid;
}

bool EndedWell(pid_t pid) {
  int status = 0;
  return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Runs work as an ordinary player: the administrator may write any file, a
// player only those the permissions allow.
bool AsPlayer(const std::function<bool()>& work) {
  return EndedWell(StartChild([&] {
    if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) return false;
    return work();
  }));
}

// The player owns what a game of theirs would have written.
void HandToPlayer(const fs::path& path) {
  if (geteuid() == 0) {
    ASSERT_EQ(chown(path.c_str(), kNobody, kNobody), 0);
  }
}

struct stat StatusOf(const fs::path& path) {
  struct stat status {};
  EXPECT_EQ(stat(path.c_str(), &status), 0);
  return status;
}

// One byte each way between processes: a child tells that it has reached a
// point, another waits until it has.
class Signal {
 public:
  Signal() { EXPECT_EQ(pipe(ends_), 0); }
  ~Signal() {
    close(ends_[0]);
    close(ends_[1]);
  }
  bool Give() const { return write(ends_[1], "!", 1) == 1; }
  bool Await() const {
    char byte = 0;
    return read(ends_[0], &byte, 1) == 1;
  }

 private:
  int ends_[2] = {-1, -1};
};

TEST(PlayerHistoryShared, TwoGamesAppendingAtOnceLoseNoEntryWhileAThirdSaves) {
  const ScratchFolder folder;
  const fs::path file = folder / "deal.clk";
  ASSERT_TRUE(WriteGameFile(file, Deal()).saved);
  constexpr int kEntries = 100;
  // Both games stop half-way and the saving starts there: the first save
  // replaces a file that holds half of every game's entries, and the games
  // append the rest while the saves go on.
  const Signal halfWay, saving;
  const auto appender = [&](const std::string& player) {
    return StartChild([&file, &halfWay, &saving, player] {
      alarm(60);  // a partner that never signals fails the test instead of hanging it
      for (int i = 0; i < kEntries; ++i) {
        if (i == kEntries / 2 && !(halfWay.Give() && saving.Await())) return false;
        if (AppendPlayerHistoryEntry(file, Entry(player, i)) != AppendOutcome::Appended) return false;
      }
      return true;
    });
  };
  // Saving the same deal again keeps the history; an entry appended to the
  // file it replaces must not be lost with it.
  const pid_t saver = StartChild([&file, &halfWay, &saving] {
    alarm(60);
    if (!(halfWay.Await() && halfWay.Await())) return false;
    for (int i = 0; i < 30; ++i) {
      if (!WriteGameFile(file, Deal()).saved) return false;
      if (i == 0 && !(saving.Give() && saving.Give())) return false;
    }
    return true;
  });
  const pid_t ann = appender("Ann");
  const pid_t bo = appender("Bo");
  ASSERT_TRUE(EndedWell(ann));
  ASSERT_TRUE(EndedWell(bo));
  ASSERT_TRUE(EndedWell(saver));

  std::vector<int> next = {0, 0};
  const std::vector<TReportInfo> history = History(file);
  ASSERT_EQ(history.size(), 2u * kEntries);
  for (const TReportInfo& entry : history) {
    int& expected = next[entry.Name == "Ann" ? 0 : 1];
    EXPECT_EQ(entry.Score, expected++) << entry.Name << ": each game's entries arrive once, in order";
  }
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"deal.clk"});
}

// Each round starts a game that appends entry after entry and kills it at a
// random moment. Every entry it reported finished must be in the file, the
// file must read clean, and the next game continues behind them.
TEST(PlayerHistoryShared, AGameKilledAtAnyMomentLosesNoFinishedEntry) {
  const ScratchFolder folder;
  const fs::path file = folder / "deal.clk";
  ASSERT_TRUE(WriteGameFile(file, Deal()).saved);
  std::mt19937 random(20261210);
  std::size_t finished = 0;
  for (int round = 0; round < 12; ++round) {
    int reports[2];
    ASSERT_EQ(pipe(reports), 0);
    const pid_t pid = StartChild([&] {
      close(reports[0]);
      for (std::int32_t n = static_cast<std::int32_t>(History(file).size());; ++n) {
        if (AppendPlayerHistoryEntry(file, Entry("Kim", n)) != AppendOutcome::Appended) return false;
        if (write(reports[1], &n, sizeof n) != sizeof n) return false;
      }
    });
    close(reports[1]);
    std::this_thread::sleep_for(std::chrono::milliseconds(2 + random() % 30));
    // On a busy machine the child may not have finished one entry yet: until
    // some round has, wait for its first before the kill.
    std::int32_t n = 0;
    if (finished == 0 && read(reports[0], &n, sizeof n) == sizeof n) finished = static_cast<std::size_t>(n) + 1;
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    while (read(reports[0], &n, sizeof n) == sizeof n) finished = static_cast<std::size_t>(n) + 1;
    close(reports[0]);

    const std::vector<TReportInfo> history = History(file);
    ASSERT_GE(history.size(), finished) << "round " << round;
    for (std::size_t i = 0; i < history.size(); ++i) ASSERT_EQ(history[i].Score, static_cast<std::int32_t>(i));
  }
  EXPECT_GT(finished, 0u);
}

#endif  // _WIN32

// A crash in the middle of an append leaves a torn entry; the reader keeps
// the entries before it, and the next append cuts it away first.
TEST(PlayerHistoryShared, TheNextAppendRepairsATornEntry) {
  const ScratchFolder folder;
  const fs::path file = folder / "deal.clk";
  const std::vector<TReportInfo> before = {Entry("Ann", 3), Entry("Bo", 0)};
  const Bytes whole = SavedGameBytes(Deal(), before);
  const Bytes torn = PlayerHistoryEntryBytes(Entry("Cut", 9));
  for (const std::size_t tornSize : {std::size_t{1}, std::size_t{4}, std::size_t{9}, torn.size() - 1}) {
    Bytes bytes = whole;
    bytes.insert(bytes.end(), torn.begin(), torn.begin() + static_cast<std::ptrdiff_t>(tornSize));
    PutFile(file, bytes);
    EXPECT_EQ(History(file), before) << tornSize;

    ASSERT_EQ(AppendPlayerHistoryEntry(file, Entry("Dee", 1)), AppendOutcome::Appended);
    EXPECT_EQ(FileBytes(file), SavedGameBytes(Deal(), {Entry("Ann", 3), Entry("Bo", 0), Entry("Dee", 1)}))
        << tornSize;
  }
  // Saving the same deal again leaves a torn entry behind as well.
  Bytes bytes = whole;
  bytes.insert(bytes.end(), torn.begin(), torn.begin() + 5);
  PutFile(file, bytes);
  ASSERT_TRUE(WriteGameFile(file, Deal()).saved);
  EXPECT_EQ(FileBytes(file), whole);
}

TEST(PlayerHistoryShared, AHistoryDamagedInsideGetsNoEntry) {
  const ScratchFolder folder;
  const fs::path file = folder / "deal.clk";
  Bytes bytes = SavedGameBytes(Deal(), {Entry("Ann", 3), Entry("Bo", 0)});
  const std::size_t offset = GameBlockBytes(Deal()).size();
  bytes[offset + 3] = 0x80;  // the first name claims a negative length
  PutFile(file, bytes);
  EXPECT_EQ(AppendPlayerHistoryEntry(file, Entry("Dee", 1)), AppendOutcome::Failed);
  EXPECT_EQ(FileBytes(file), bytes);
}

#ifndef _WIN32

// A file the player made read-only is refused, by an ordinary player's game
// and by one the administrator runs, and stays exactly as it was.
TEST(PlayerHistoryShared, AReadOnlyFileIsLeftUntouched) {
  ScratchFolder folder;
  fs::permissions(folder.Path(), fs::perms::all);  // the folder does not protect it
  const fs::path file = folder / "deal.clk";
  ASSERT_TRUE(WriteGameFile(file, Deal()).saved);
  ASSERT_EQ(AppendPlayerHistoryEntry(file, Entry("Ann", 3)), AppendOutcome::Appended);
  ASSERT_EQ(chmod(file.c_str(), 0444), 0);
  const Bytes bytes = FileBytes(file);
  const struct stat before = StatusOf(file);

  EXPECT_EQ(AppendPlayerHistoryEntry(file, Entry("Bo", 0)), AppendOutcome::Failed);
  EXPECT_FALSE(WriteGameFile(file, Deal()).saved);
  EXPECT_TRUE(AsPlayer([&] {
    return AppendPlayerHistoryEntry(file, Entry("Bo", 0)) == AppendOutcome::Failed &&
           !WriteGameFile(file, Deal()).saved;
  }));

  const struct stat after = StatusOf(file);
  EXPECT_EQ(FileBytes(file), bytes);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_uid, before.st_uid);
  EXPECT_EQ(after.st_mode, before.st_mode);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"deal.clk"});
}

TEST(PlayerHistoryShared, AWritableFileInAReadOnlyFolderTakesTheEntry) {
  ScratchFolder folder;
  const fs::path file = folder / "deal.clk";
  ASSERT_TRUE(WriteGameFile(file, Deal()).saved);
  HandToPlayer(file);
  fs::permissions(folder.Path(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                     fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);

  EXPECT_TRUE(AsPlayer([&] { return AppendPlayerHistoryEntry(file, Entry("Ann", 3)) == AppendOutcome::Appended; }));
  fs::permissions(folder.Path(), fs::perms::owner_all, fs::perm_options::add);
  EXPECT_EQ(History(file), std::vector<TReportInfo>{Entry("Ann", 3)});
}

TEST(PlayerHistoryShared, SavingOverAFileKeepsItsPermissionsAndOwner) {
  ScratchFolder folder;
  fs::permissions(folder.Path(), fs::perms::all);
  const fs::path file = folder / "deal.clk";
  ASSERT_TRUE(WriteGameFile(file, Deal()).saved);
  HandToPlayer(file);
  ASSERT_EQ(chmod(file.c_str(), 0640), 0);
  const struct stat before = StatusOf(file);

  const auto expectUnchanged = [&before, &file](const char* who) {
    const struct stat after = StatusOf(file);
    EXPECT_EQ(after.st_mode, before.st_mode) << who;
    EXPECT_EQ(after.st_uid, before.st_uid) << who;
    EXPECT_EQ(after.st_gid, before.st_gid) << who;
  };
  ASSERT_TRUE(WriteGameFile(file, Deal()).saved);
  expectUnchanged("a save of the administrator's game");
  EXPECT_TRUE(AsPlayer([&] { return WriteGameFile(file, Deal()).saved; }));
  expectUnchanged("a save of the player's game");
}

#else  // _WIN32

// On Windows the read-only attribute protects the file.
TEST(PlayerHistoryShared, AReadOnlyFileIsLeftUntouched) {
  const ScratchFolder folder;
  const fs::path file = folder / "deal.clk";
  ASSERT_TRUE(WriteGameFile(file, Deal()).saved);
  ASSERT_EQ(AppendPlayerHistoryEntry(file, Entry("Ann", 3)), AppendOutcome::Appended);
  const auto writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  fs::permissions(file, writable, fs::perm_options::remove);
  const Bytes bytes = FileBytes(file);

  EXPECT_EQ(AppendPlayerHistoryEntry(file, Entry("Bo", 0)), AppendOutcome::Failed);
  EXPECT_FALSE(WriteGameFile(file, Deal()).saved);
  EXPECT_EQ(FileBytes(file), bytes);
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::owner_write, fs::perms::none) << "still read-only";
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"deal.clk"});
  fs::permissions(file, writable, fs::perm_options::add);
}

TEST(PlayerHistoryShared, OwnersAndFolderRightsOnlyOutsideWindows) {
  GTEST_SKIP() << "games of other users and folder permissions are checked on Linux";
}

#endif  // _WIN32

}  // namespace
}  // namespace pebble

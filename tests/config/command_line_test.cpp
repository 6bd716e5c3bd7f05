#include "config/command_line.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>

namespace pebble {
namespace {

namespace fs = std::filesystem;

// A scratch folder with a few real files: the saved games and pictures that the
// arguments below name. Capital letters show that paths keep their case.
class CommandLineFiles {
 public:
  CommandLineFiles() {
    root_ = fs::temp_directory_path() / ("pebble-cmdline-" + std::to_string(std::random_device{}()));
    fs::create_directories(root_ / "Pictures");
    for (const char* name : {"Game.clk", "Other.clk", "LOUD.CLK", "Pic.JPG", "night:sky.jpeg", "notes.txt"})
      std::ofstream(root_ / name) << "x";
  }
  ~CommandLineFiles() {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  // "@" stands for the scratch folder.
  std::string Expand(std::string text) const {
    for (std::size_t at = text.find('@'); at != std::string::npos; at = text.find('@'))
      text.replace(at, 1, root_.string());
    return text;
  }

 private:
  fs::path root_;
};

#ifdef _WIN32
// Windows finds a file by a name in other letters, and ends folders with its
// own separator.
constexpr bool kFileNamesIgnoreCase = true;
constexpr const char* kFolderEnd = "\\";
#else
constexpr bool kFileNamesIgnoreCase = false;
constexpr const char* kFolderEnd = "/";
#endif

struct CommandLineCase {
  const char* what;
  std::vector<std::string> args;
  std::function<void(GameSettings&)> expected;  // applied to the defaults
  std::string taken;                            // saved game taken at start-up
};

const std::vector<CommandLineCase> kCases = {
    {"three prefixes are equivalent", {"/rows:20", "-columns:12", "\\colors:7"},
     [](GameSettings& s) { s.rowCount = 20; s.columnCount = 12; s.colorCount = 7; }, ""},
    {"no prefix", {"rows:20"}, [](GameSettings& s) { s.rowCount = 20; }, ""},
    {"names and yes/no ignore case", {"ROWS:20", "Voyeur:YES", "SOUNDS:No"},
     [](GameSettings& s) { s.rowCount = 20; s.voyeur = true; s.soundsOn = false; }, ""},
    {"out of range changes nothing", {"rows:0", "rows:41", "colors:16", "colors:1", "stohi:51", "columns:-3"},
     [](GameSettings&) {}, ""},
    {"missing or bad number counts as 1", {"rows:abc", "columns", "stohi:", "stowi:2x"},
     [](GameSettings& s) { s.rowCount = 1; s.columnCount = 1; s.stoneHeight = 1; s.stoneWidth = 1; }, ""},
    {"fallback of 1 is out of range for colours and play time", {"colors", "playtime:x"}, [](GameSettings&) {}, ""},
    {"huge number is not a number", {"rows:99999999999"}, [](GameSettings& s) { s.rowCount = 1; }, ""},
    {"play time switches auto drop on", {"playtime:60"},
     [](GameSettings& s) { s.playTime = 60; s.autoDrop = true; }, ""},
    {"play time out of range", {"playtime:5", "playtime:1000"}, [](GameSettings&) {}, ""},
    {"every yes/no option",
     {"texturized:no", "trace:no", "resize:no", "action:yes", "animations:no", "autodrop:yes", "undo:no",
      "sounds:maybe", "voyeur"},
     [](GameSettings& s) {
       s.textured = false; s.traceOutline = false; s.fitToPicture = false; s.actionsOn = true;
       s.animationsOn = false; s.autoDrop = true; s.undoInfo = false;
     }, ""},
    {"score low and high; other words change nothing", {"score:high", "score:medium"},
     [](GameSettings& s) { s.lowScore = false; }, ""},
    {"score low", {"score:high", "SCORE:LOW"}, [](GameSettings&) {}, ""},
    {"picture file keeps its case", {"backpic:@/Pic.JPG"},
     [](GameSettings& s) { s.backgroundMode = 1; s.backgroundPicture = "@/Pic.JPG"; }, ""},
    {"picture path keeps its own colon", {"-backpic:@/night:sky.jpeg"},
     [](GameSettings& s) { s.backgroundMode = 1; s.backgroundPicture = "@/night:sky.jpeg"; }, ""},
    {"folder gets its trailing separator", {"backpic:@/Pictures"},
     [](GameSettings& s) { s.backgroundMode = 2; s.backgroundFolder = std::string("@/Pictures") + kFolderEnd; }, ""},
    {"folder with separator stays as given", {"backpic:@/Pictures/"},
     [](GameSettings& s) { s.backgroundMode = 2; s.backgroundFolder = "@/Pictures/"; }, ""},
    {"grey and gray", {"backpic:grey"}, [](GameSettings& s) { s.backgroundMode = 3; }, ""},
    {"gray in capitals", {"backpic:GRAY"}, [](GameSettings& s) { s.backgroundMode = 3; }, ""},
    {"none is the standard picture; the last wins", {"backpic:gray", "backpic:none"}, [](GameSettings&) {}, ""},
    {"backpic that fits no case (other letters fit where names ignore case)",
     {"backpic:", "backpic:@/missing.jpg", "backpic:@/notes.txt", "backpic:@/pic.jpg"},
     [](GameSettings& s) {
       if (!kFileNamesIgnoreCase) return;
       s.backgroundMode = 1;
       s.backgroundPicture = "@/pic.jpg";
     }, ""},
    {"saved game keeps its case", {"@/Game.clk"}, [](GameSettings&) {}, "@/Game.clk"},
    {"saved game given twice is taken once", {"@/Game.clk", "rows:7", "@/Game.clk"},
     [](GameSettings& s) { s.rowCount = 7; }, "@/Game.clk"},
    {"extension in capitals", {"@/LOUD.CLK"}, [](GameSettings&) {}, "@/LOUD.CLK"},
    {"the last of several saved games", {"@/Game.clk", "@/Other.clk"}, [](GameSettings&) {}, "@/Other.clk"},
    {"missing saved game is an unknown option", {"@/Missing.clk", "@/game.clk"}, [](GameSettings&) {},
     kFileNamesIgnoreCase ? "@/game.clk" : ""},
    {"unknown names and empty arguments", {"", "-", "foo:bar", "rowsx:5", ":5"}, [](GameSettings&) {}, ""},
};

// Each case runs as two set-ups of one program run: the options apply both
// times, a saved game only the first time, and a folder from the command line
// keeps its in-memory position across new games.
TEST(CommandLine, AppliesOptionsAtEveryNewGameAndOpensSavedGameOnce) {
  const CommandLineFiles files;
  for (const CommandLineCase& c : kCases) {
    SCOPED_TRACE(c.what);
    std::vector<std::string> args;
    for (const std::string& arg : c.args) args.push_back(files.Expand(arg));
    GameSettings expected;
    c.expected(expected);
    expected.backgroundPicture = files.Expand(expected.backgroundPicture);
    expected.backgroundFolder = files.Expand(expected.backgroundFolder);
    const bool folder = !expected.backgroundFolder.empty();

    CommandLineState state;
    GameSettings first;
    const CommandLineResult atStart = ApplyCommandLine(args, first, state);
    EXPECT_EQ(first, expected);
    EXPECT_EQ(atStart.gameFileTaken, !c.taken.empty());
    EXPECT_EQ(atStart.gameFileName, files.Expand(c.taken));
    EXPECT_EQ(state.LastCommandLineFile, files.Expand(c.taken));
    EXPECT_EQ(atStart.folderGiven, folder);
    EXPECT_EQ(state.commandLineFolder, folder);
    EXPECT_EQ(state.commandLineFolderIndex, -1);

    state.commandLineFolderIndex = 3;  // the folder has moved on meanwhile
    GameSettings later;
    const CommandLineResult newGame = ApplyCommandLine(args, later, state);
    EXPECT_EQ(later, expected);
    EXPECT_FALSE(newGame.gameFileTaken);
    EXPECT_EQ(state.commandLineFolderIndex, 3);
  }
}

// Each number is taken at both ends of its range and refused one step beyond.
TEST(CommandLine, EveryNumberIsTakenUpToItsBoundsAndNoFurther) {
  const struct {
    const char* option;
    std::int32_t lowest, highest;
    std::function<std::int32_t(const GameSettings&)> read;
  } cases[] = {
      {"stohi", 1, 50, [](const GameSettings& s) { return s.stoneHeight; }},
      {"stowi", 1, 50, [](const GameSettings& s) { return s.stoneWidth; }},
      {"rows", 1, 40, [](const GameSettings& s) { return s.rowCount; }},
      {"columns", 1, 40, [](const GameSettings& s) { return s.columnCount; }},
      {"colors", 2, kMaxColors, [](const GameSettings& s) { return std::int32_t{s.colorCount}; }},
      {"playtime", 10, 999, [](const GameSettings& s) { return s.playTime; }},
  };
  const auto apply = [](const std::string& option, std::int32_t value) {
    GameSettings settings;
    CommandLineState state;
    ApplyCommandLine({option + ":" + std::to_string(value)}, settings, state);
    return settings;
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.option);
    const std::int32_t untouched = c.read(GameSettings{});
    EXPECT_EQ(c.read(apply(c.option, c.lowest)), c.lowest);
    EXPECT_EQ(c.read(apply(c.option, c.highest)), c.highest);
    EXPECT_EQ(c.read(apply(c.option, c.lowest - 1)), untouched);
    EXPECT_EQ(c.read(apply(c.option, c.highest + 1)), untouched);
  }
}

// A deal on the command line is the first game of the run, like a saved game;
// a number that is no deal is ignored, as other bad values are.
TEST(CommandLine, DealNumberIsTakenForTheFirstGameOnly) {
  const struct {
    std::vector<std::string> args;
    std::optional<DealNumber> deal;
  } cases[] = {
      {{"deal:12345"}, 12345},
      {{"/DEAL:999999999", "rows:7"}, 999999999},
      {{"deal:5", "-deal:6"}, 6},
      {{"deal:7", "deal:x"}, 7},
      {{"deal"}, std::nullopt},
      {{"deal:"}, std::nullopt},
      {{"deal:0"}, std::nullopt},
      {{"deal:1000000000"}, std::nullopt},
      {{"deal:-4"}, std::nullopt},
      {{"deal:12ab"}, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.front());
    CommandLineState state;
    GameSettings settings;
    EXPECT_EQ(ApplyCommandLine(c.args, settings, state).dealNumber, c.deal);
    EXPECT_EQ(ApplyCommandLine(c.args, settings, state).dealNumber, std::nullopt);
  }
}

}  // namespace
}  // namespace pebble

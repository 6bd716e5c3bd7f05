#pragma once
// Options on the command line override the stored settings for one run, and a
// saved game named there is opened with the first game of the run.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/game_settings.h"
#include "engine/deal.h"

namespace pebble {

// What the command line asks of the main window's set-up.
struct CommandLineResult {
  bool gameFileTaken = false;  // set LoadPending and FileGame, open gameFileName
  std::string gameFileName;    // UTF-8, exactly as given
  bool folderGiven = false;    // backpic named a folder in this pass
  std::optional<DealNumber> dealNumber;  // deal:N, for the first game of the run only
};

// State that lives for the whole run; the main window owns one and passes it to
// every set-up, so a saved game is opened once and a folder keeps its position.
struct CommandLineState {
  std::string LastCommandLineFile;  // the saved game taken last, as given
  std::vector<std::string> takenFiles;  // every saved game taken in this run
  bool commandLineFolder = false;       // the background folder came from here
  std::int32_t commandLineFolderIndex = -1;  // used instead of folderPictureIndex
  bool dealTaken = false;  // deal:N has been handed to a game: later games are fresh deals
};

// Lays the options of args (UTF-8, the program path excluded) over settings.
// Unknown names, bad values and missing files are ignored without a message.
CommandLineResult ApplyCommandLine(const std::vector<std::string>& args, GameSettings& settings,
                                   CommandLineState& state);

// A path from its UTF-8 text, on every platform.
std::filesystem::path PathFromUtf8(std::string_view utf8);
// A folder text that ends in the platform's separator, so names can be appended.
std::string EnsureTrailingSeparator(std::string folder);

}  // namespace pebble

#include "config/command_line.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <system_error>

namespace pebble {
namespace {

constexpr std::size_t kMaxValueCharacters = 1000;

// Option names, yes/no and extensions are compared without regard to case;
// paths are never lower-cased, since Linux file names are case-sensitive.
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && EqualsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

bool IsFile(std::string_view utf8) {
  std::error_code ec;
  return !utf8.empty() && std::filesystem::is_regular_file(PathFromUtf8(utf8), ec);
}

bool IsFolder(std::string_view utf8) {
  std::error_code ec;
  return !utf8.empty() && std::filesystem::is_directory(PathFromUtf8(utf8), ec);
}

bool SameFile(std::string_view a, std::string_view b) {
  if (a == b) return true;
  std::error_code ec;
  return std::filesystem::equivalent(PathFromUtf8(a), PathFromUtf8(b), ec);
}

// Keeps at most max characters; a cut never splits a UTF-8 sequence.
std::string_view CutToCharacters(std::string_view text, std::size_t max) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool startsCharacter = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
    if (startsCharacter && characters++ == max) return text.substr(0, i);
  }
  return text;
}

// An empty or non-numeric value counts as 1.
std::int32_t NumberOr1(std::string_view value) {
  if (!value.empty() && value.front() == '+') value.remove_prefix(1);
  std::int32_t number = 0;
  const char* end = value.data() + value.size();
  const auto [ptr, ec] = std::from_chars(value.data(), end, number);
  return (value.empty() || ec != std::errc{} || ptr != end) ? 1 : number;
}

std::optional<bool> YesNo(std::string_view value) {
  if (EqualsNoCase(value, "yes")) return true;
  if (EqualsNoCase(value, "no")) return false;
  return std::nullopt;
}

void SetIfYesNo(bool& field, std::string_view value) {
  if (const auto yes = YesNo(value)) field = *yes;
}

template <typename T>
void SetIfInRange(T& field, std::int32_t number, std::int32_t lo, std::int32_t hi) {
  if (number >= lo && number <= hi) field = static_cast<T>(number);
}

bool IsPictureFileName(std::string_view value) {
  return EndsWithNoCase(value, ".jpg") || EndsWithNoCase(value, ".bmp") || EndsWithNoCase(value, ".jpeg");
}

void ApplyBackpic(std::string_view value, GameSettings& settings, CommandLineState& state,
                  CommandLineResult& result) {
  if (value.empty()) return;
  if (EqualsNoCase(value, "none")) {
    settings.backgroundMode = static_cast<std::uint8_t>(BackgroundMode::Standard);
  } else if (EqualsNoCase(value, "gray") || EqualsNoCase(value, "grey")) {
    settings.backgroundMode = static_cast<std::uint8_t>(BackgroundMode::Gray);
  } else if (IsPictureFileName(value) && IsFile(value)) {
    settings.backgroundMode = static_cast<std::uint8_t>(BackgroundMode::PictureFile);
    settings.backgroundPicture = std::string(value);
  } else if (IsFolder(value)) {
    settings.backgroundMode = static_cast<std::uint8_t>(BackgroundMode::Folder);
    settings.backgroundFolder = EnsureTrailingSeparator(std::string(value));
    // The first folder of the run starts at its first picture; later passes
    // keep the position the game has reached.
    if (!state.commandLineFolder) state.commandLineFolderIndex = -1;
    state.commandLineFolder = true;
    result.folderGiven = true;
  }
}

void ApplyOption(std::string_view name, std::string_view value, GameSettings& s, CommandLineState& state,
                 CommandLineResult& result) {
  const std::int32_t number = NumberOr1(value);
  const auto is = [name](std::string_view option) { return EqualsNoCase(name, option); };
  if (is("stohi")) SetIfInRange(s.stoneHeight, number, 1, 50);
  else if (is("stowi")) SetIfInRange(s.stoneWidth, number, 1, 50);
  else if (is("rows")) SetIfInRange(s.rowCount, number, 1, 40);
  else if (is("columns")) SetIfInRange(s.columnCount, number, 1, 40);
  else if (is("colors")) SetIfInRange(s.colorCount, number, 2, kMaxColors);
  else if (is("backpic")) ApplyBackpic(value, s, state, result);
  else if (is("sounds")) SetIfYesNo(s.soundsOn, value);
  else if (is("texturized")) SetIfYesNo(s.textured, value);
  else if (is("voyeur")) SetIfYesNo(s.voyeur, value);
  else if (is("trace")) SetIfYesNo(s.traceOutline, value);
  else if (is("resize")) SetIfYesNo(s.fitToPicture, value);
  else if (is("action")) SetIfYesNo(s.actionsOn, value);
  else if (is("animations")) SetIfYesNo(s.animationsOn, value);
  else if (is("autodrop")) SetIfYesNo(s.autoDrop, value);
  else if (is("undo")) SetIfYesNo(s.undoInfo, value);
  else if (is("playtime")) {
    if (number >= 10 && number <= 999) {
      s.playTime = number;
      s.autoDrop = true;
    }
  } else if (is("score")) {
    if (EqualsNoCase(value, "low")) s.lowScore = true;
    else if (EqualsNoCase(value, "high")) s.lowScore = false;
  } else if (is("deal")) {
    // Not a count: a missing or bad number deals at random rather than deal 1.
    if (const auto deal = ParseDealNumber(value); deal && !state.dealTaken) result.dealNumber = deal;
  }
}

// A saved game is taken once per run, so later new games are fresh deals.
bool TakeSavedGame(std::string_view arg, CommandLineState& state, CommandLineResult& result) {
  if (!EndsWithNoCase(arg, ".clk") || !IsFile(arg)) return false;
  const bool takenBefore = std::any_of(state.takenFiles.begin(), state.takenFiles.end(),
                                       [arg](const std::string& taken) { return SameFile(taken, arg); });
  if (!takenBefore) {
    result.gameFileTaken = true;
    result.gameFileName = std::string(arg);
    state.LastCommandLineFile = result.gameFileName;
    state.takenFiles.push_back(result.gameFileName);
  }
  return true;
}

}  // namespace

std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string EnsureTrailingSeparator(std::string folder) {
#ifdef _WIN32
  const bool endsInSeparator = !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
  if (!endsInSeparator) folder += '\\';
#else
  if (folder.empty() || folder.back() != '/') folder += '/';
#endif
  return folder;
}

CommandLineResult ApplyCommandLine(const std::vector<std::string>& args, GameSettings& settings,
                                   CommandLineState& state) {
  CommandLineResult result;
  for (std::string_view arg : args) {
    if (TakeSavedGame(arg, state, result)) continue;
    if (!arg.empty() && (arg.front() == '-' || arg.front() == '/' || arg.front() == '\\')) arg.remove_prefix(1);
    const std::size_t colon = arg.find(':');
    const std::string_view name = arg.substr(0, colon);
    const std::string_view value =
        colon == std::string_view::npos ? std::string_view{} : CutToCharacters(arg.substr(colon + 1), kMaxValueCharacters);
    ApplyOption(name, value, settings, state, result);
  }
  // Like a saved game, the deal is the first game of the run; N deals afresh.
  if (result.dealNumber) state.dealTaken = true;
  return result;
}

}  // namespace pebble

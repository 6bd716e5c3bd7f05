// A command line from anywhere (one argument per line): the settings it leaves
// are playable, and a game of them takes clicks on every edge of its field.
#include <string>
#include <vector>

#include "config/command_line.h"
#include "fuzz_support.h"
#include "game_support.h"

namespace {

using namespace pebble;

std::vector<std::string> Arguments(std::string_view text) {
  std::vector<std::string> args;
  while (!text.empty()) {
    const auto cut = text.find('\n');
    args.emplace_back(text.substr(0, cut));
    if (cut == std::string_view::npos) break;
    text.remove_prefix(cut + 1);
  }
  return args;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  GameSettings settings;
  settings.animationsOn = false;
  CommandLineState state;
  ApplyCommandLine(Arguments(fuzz::Text(data, size)), settings, state);
  GameSettings checked = settings;
  fuzz::Require(!MakePlayable(checked), "the command line leaves playable settings");
  fuzz::QuietGame quiet;
  quiet.game.NewField(settings, ChooseFieldSize(settings, std::nullopt));
  fuzz::ClickTheEdges(quiet.game);
  return 0;
}

// A settings file from anywhere: it is read in time linear in its size, and
// what was read is written to a text that reads back whole and writes again to
// the same text, however often the game rewrites it.
#include "config/reg_file_format.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pebble;
  const RegParseResult parsed = ParseRegFile(fuzz::Text(data, size));
  const std::string written = WriteRegFile(parsed.tree);
  const RegParseResult again = ParseRegFile(written);
  fuzz::Require(again.clean, "a written settings file reads back whole");
  fuzz::Require(WriteRegFile(again.tree) == written, "a settings file rewrites unchanged");
  return 0;
}

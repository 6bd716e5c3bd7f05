// A player history from anywhere: read or refused; the entries read write
// back to the very bytes they came from when no text had to be cut.
#include "control/cp1252.h"
#include "control/saved_game.h"
#include "control/saved_game_bytes.h"
#include "fuzz_support.h"

namespace {

using namespace pebble;

bool FitsUncut(const TReportInfo& entry) {
  for (const std::string* text : {&entry.Name, &entry.Computer, &entry.Address}) {
    if (Utf8ToCp1252(*text).size() > kMaxWrittenStringBytes) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto bytes = fuzz::Bytes(data, size);
  const ParsedPlayerHistory history = ParsePlayerHistory(bytes, 0);
  if (!history.ok) {
    fuzz::Require(history.entries.empty(), "a refused history yields no entries");
    return 0;
  }
  std::vector<std::uint8_t> written;
  bool uncut = true;
  for (const TReportInfo& entry : history.entries) {
    uncut = uncut && FitsUncut(entry);
    const auto entryBytes = PlayerHistoryEntryBytes(entry);
    written.insert(written.end(), entryBytes.begin(), entryBytes.end());
  }
  const ParsedPlayerHistory again = ParsePlayerHistory(written, 0);
  fuzz::Require(again.ok && again.entries.size() == history.entries.size(), "written entries read back");
  // A torn last entry is left out; every entry before it is kept byte for byte.
  const bool ownBytes = written.size() == history.wholeEntriesEnd &&
                        std::equal(written.begin(), written.end(), bytes.begin());
  if (uncut) fuzz::Require(ownBytes, "entries write back to their own bytes");
  return 0;
}

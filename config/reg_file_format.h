#pragma once
// The registry editor's export format ("Windows Registry Editor Version 5.00"),
// read and written as UTF-8 text: the settings file a player can read, edit and
// import into a real registry.

#include <string>
#include <string_view>

#include "config/reg_tree.h"

namespace pebble {

constexpr std::string_view kRegFileHeader = "Windows Registry Editor Version 5.00";

struct RegParseResult {
  RegTree tree;       // everything that could be read
  bool clean = true;  // false when any line (or the header) could not be read
  int firstBadLine = 0;  // 1-based; 0 when clean
};

// Reads as much of the text as makes sense: a line that cannot be read is
// skipped (and the values below an unreadable key line with it), so one damaged
// line does not cost the player every other setting. A text without the header
// yields an empty tree.
RegParseResult ParseRegFile(std::string_view text);

// The text of the whole tree; full key paths as they are in the tree (the first
// component is the hive's name, such as HKEY_CURRENT_USER).
std::string WriteRegFile(const RegTree& tree);

}  // namespace pebble

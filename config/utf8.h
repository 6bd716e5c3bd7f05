#pragma once
// UTF-8, the encoding of every text the game keeps in memory.

#include <string>

namespace pebble {

// Appends the UTF-8 form of one character.
void AppendUtf8(std::string& out, char32_t c);

}  // namespace pebble

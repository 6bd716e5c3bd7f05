#pragma once
// UTF-8, the encoding of every text the game keeps in memory.

#include <cstddef>
#include <string>
#include <string_view>

namespace pebble {

// Appends the UTF-8 form of one character.
void AppendUtf8(std::string& out, char32_t c);

// Decodes one UTF-8 character at text[pos] (pos < text.size()) and advances
// pos. A broken sequence yields false and skips its first byte; an overlong
// one, a surrogate or one beyond U+10FFFF yields false and is skipped whole.
bool NextCodePoint(std::string_view text, std::size_t& pos, char32_t& c);

// The text with every sequence NextCodePoint refuses replaced by U+FFFD, so it
// survives a trip through UTF-16 unchanged.
std::string ValidUtf8(std::string_view text);

}  // namespace pebble

#pragma once
// Saved games hold their texts in Windows-1252, the 8-bit code page of the
// machines that wrote the first files; in memory every text is UTF-8.

#include <string>
#include <string_view>

namespace pebble {

// Characters without a Windows-1252 form, and broken UTF-8, become "?".
std::string Utf8ToCp1252(std::string_view utf8);
std::string Cp1252ToUtf8(std::string_view cp1252);

}  // namespace pebble

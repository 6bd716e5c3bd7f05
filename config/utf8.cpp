#include "config/utf8.h"

namespace pebble {

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool NextCodePoint(std::string_view text, std::size_t& pos, char32_t& c) {
  const auto lead = static_cast<unsigned char>(text[pos++]);
  if (lead < 0x80) {
    c = lead;
    return true;
  }
  int extra = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) { extra = 1; minimum = 0x80; c = lead & 0x1F; }
  else if ((lead & 0xF0) == 0xE0) { extra = 2; minimum = 0x800; c = lead & 0x0F; }
  else if ((lead & 0xF8) == 0xF0) { extra = 3; minimum = 0x10000; c = lead & 0x07; }
  else return false;
  if (pos + extra > text.size()) return false;
  for (int i = 0; i < extra; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) return false;
    c = (c << 6) | (next & 0x3F);
  }
  pos += extra;
  const bool surrogate = c >= 0xD800 && c < 0xE000;
  return c >= minimum && c <= 0x10FFFF && !surrogate;
}

std::string ValidUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    char32_t c = 0;
    AppendUtf8(out, NextCodePoint(text, pos, c) ? c : U'\uFFFD');
  }
  return out;
}

}  // namespace pebble

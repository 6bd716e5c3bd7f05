#include "control/cp1252.h"

#include "config/utf8.h"

#include <array>
#include <cstdint>

namespace pebble {
namespace {

// Bytes 0x80..0x9F; the five bytes Windows-1252 leaves free map to the C1
// controls of the same number, as Windows itself does, so they round-trip.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char kUnmappable = '?';

char32_t FromCp1252(unsigned char byte) {
  return (byte >= 0x80 && byte <= 0x9F) ? kHighControls[byte - 0x80] : char32_t{byte};
}

bool ToCp1252(char32_t c, char& out) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
    out = static_cast<char>(c);
    return true;
  }
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == c) {
      out = static_cast<char>(0x80 + i);
      return true;
    }
  }
  return false;
}

}  // namespace

std::string Utf8ToCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    char32_t c = 0;
    char byte = kUnmappable;
    if (!NextCodePoint(utf8, pos, c) || !ToCp1252(c, byte)) byte = kUnmappable;
    out += byte;
  }
  return out;
}

std::string Cp1252ToUtf8(std::string_view cp1252) {
  std::string out;
  out.reserve(cp1252.size() * 2);
  for (const char byte : cp1252) AppendUtf8(out, FromCp1252(static_cast<unsigned char>(byte)));
  return out;
}

}  // namespace pebble

#include "control/saved_game_bytes.h"

#include <bit>
#include <limits>

#include "control/cp1252.h"

namespace pebble {
namespace {

static_assert(std::numeric_limits<double>::is_iec559 && sizeof(double) == 8,
              "saved games store dates as IEEE 754 doubles");

template <typename Unsigned>
void PutLittleEndian(std::vector<std::uint8_t>& out, Unsigned value) {
  for (std::size_t i = 0; i < sizeof(Unsigned); ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

template <typename Unsigned>
Unsigned GetLittleEndian(std::span<const std::uint8_t> in) {
  Unsigned value = 0;
  for (std::size_t i = 0; i < sizeof(Unsigned); ++i) value |= static_cast<Unsigned>(in[i]) << (8 * i);
  return value;
}

}  // namespace

void ByteWriter::PutI32(std::int32_t value) { PutLittleEndian(bytes_, static_cast<std::uint32_t>(value)); }

void ByteWriter::PutF64(double value) { PutLittleEndian(bytes_, std::bit_cast<std::uint64_t>(value)); }

void ByteWriter::PutCountedString(std::string_view utf8, std::size_t maxBytes) {
  std::string text = Utf8ToCp1252(utf8);
  if (text.size() > maxBytes) text.resize(maxBytes);
  PutI32(static_cast<std::int32_t>(text.size()));
  for (const char c : text) PutU8(static_cast<std::uint8_t>(c));
}

bool ByteReader::ReadBytes(std::size_t count, std::span<const std::uint8_t>& out) {
  if (count > Remaining()) {
    ranShort_ = true;
    return false;
  }
  out = bytes_.subspan(position_, count);
  position_ += count;
  return true;
}

bool ByteReader::ReadI32(std::int32_t& value) {
  std::span<const std::uint8_t> raw;
  if (!ReadBytes(4, raw)) return false;
  value = static_cast<std::int32_t>(GetLittleEndian<std::uint32_t>(raw));
  return true;
}

bool ByteReader::ReadU8(std::uint8_t& value) {
  std::span<const std::uint8_t> raw;
  if (!ReadBytes(1, raw)) return false;
  value = raw[0];
  return true;
}

bool ByteReader::ReadFlag(bool& value) {
  std::uint8_t raw = 0;
  if (!ReadU8(raw)) return false;
  value = raw != 0;
  return true;
}

bool ByteReader::ReadF64(double& value) {
  std::span<const std::uint8_t> raw;
  if (!ReadBytes(8, raw)) return false;
  value = std::bit_cast<double>(GetLittleEndian<std::uint64_t>(raw));
  return true;
}

bool ByteReader::ReadCountedString(std::string& utf8) {
  const std::size_t start = position_;
  std::int32_t length = 0;
  std::span<const std::uint8_t> text;
  if (!ReadI32(length) || length < 0 || length > kMaxReadStringBytes ||
      !ReadBytes(static_cast<std::size_t>(length), text)) {
    position_ = start;
    return false;
  }
  utf8 = Cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
  return true;
}

}  // namespace pebble

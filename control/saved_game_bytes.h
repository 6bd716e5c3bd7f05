#pragma once
// Little-endian fields and counted strings of a saved-game file. The reader
// checks every length against what is left of its buffer, so a damaged file
// can make a read fail but never reach outside the bytes it was given.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pebble {

// A counted string is written with at most this many bytes of text (longer
// texts are cut) and refused on reading when it claims more than the second.
constexpr std::size_t kMaxWrittenStringBytes = 250;
constexpr std::int32_t kMaxReadStringBytes = 1000;

class ByteWriter {
 public:
  void PutI32(std::int32_t value);
  void PutU8(std::uint8_t value) { bytes_.push_back(value); }
  void PutFlag(bool value) { PutU8(value ? 1 : 0); }
  void PutF64(double value);
  void PutBytes(std::span<const std::uint8_t> bytes) { bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); }
  // Writes a UTF-8 text as a Windows-1252 counted string of at most maxBytes.
  void PutCountedString(std::string_view utf8, std::size_t maxBytes = kMaxWrittenStringBytes);

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  std::vector<std::uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
};

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes, std::size_t position = 0)
      : bytes_(bytes), position_(position) {}

  // Each read returns false, and leaves the position where it was, when the
  // buffer holds too few bytes.
  bool ReadI32(std::int32_t& value);
  bool ReadU8(std::uint8_t& value);
  bool ReadFlag(bool& value);
  bool ReadF64(double& value);
  bool ReadBytes(std::size_t count, std::span<const std::uint8_t>& out);
  // Reads a Windows-1252 counted string into UTF-8; a negative length or one
  // above kMaxReadStringBytes fails.
  bool ReadCountedString(std::string& utf8);

  std::size_t Position() const { return position_; }
  std::size_t Remaining() const { return position_ < bytes_.size() ? bytes_.size() - position_ : 0; }
  bool AtEnd() const { return Remaining() == 0; }
  // True once a read has failed because the bytes ended too soon, as against
  // a value that no file of this game holds.
  bool RanShort() const { return ranShort_; }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t position_;
  bool ranShort_ = false;
};

}  // namespace pebble

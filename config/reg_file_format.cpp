#include "config/reg_file_format.h"

#include "config/utf8.h"

#include <cstdio>
#include <optional>
#include <vector>

namespace pebble {
namespace {

constexpr std::string_view kOldRegFileHeader = "REGEDIT4";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::size_t kHexLineWidth = 76;

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const auto cut = text.find('\n');
    auto line = text.substr(0, cut);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (cut == std::string_view::npos) break;
    text.remove_prefix(cut + 1);
  }
  return lines;
}

// --- UTF-8 and UTF-16 (hex(1) strings carry UTF-16LE, as the registry does) ---

std::vector<std::uint8_t> Utf16LeWithTerminator(std::string_view utf8) {
  std::vector<std::uint8_t> bytes;
  auto put = [&](char16_t unit) {
    bytes.push_back(static_cast<std::uint8_t>(unit));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  };
  for (std::size_t pos = 0; pos < utf8.size();) {
    char32_t c = 0;
    if (!NextCodePoint(utf8, pos, c)) c = U'\uFFFD';
    if (c >= 0x10000) {
      c -= 0x10000;
      put(static_cast<char16_t>(0xD800 + (c >> 10)));
      put(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      put(static_cast<char16_t>(c));
    }
  }
  put(0);
  return bytes;
}

// Only the last unit is taken for the terminator: a text may hold NUL
// characters of its own, and they must come back as they were written.
std::string Utf8FromUtf16Le(const std::vector<std::uint8_t>& bytes) {
  std::string out;
  std::size_t end = bytes.size() & ~std::size_t{1};
  if (end >= 2 && bytes[end - 2] == 0 && bytes[end - 1] == 0) end -= 2;
  for (std::size_t i = 0; i < end; i += 2) {
    char32_t c = bytes[i] | (bytes[i + 1] << 8);
    if (c >= 0xD800 && c < 0xDC00 && i + 3 < end) {
      const char32_t low = bytes[i + 2] | (bytes[i + 3] << 8);
      if (low >= 0xDC00 && low < 0xE000) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    AppendUtf8(out, (c >= 0xD800 && c < 0xE000) ? U'\uFFFD' : c);
  }
  return out;
}

// --- reading ---

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::uint32_t> ParseHexNumber(std::string_view s, std::size_t maxDigits) {
  if (s.empty() || s.size() > maxDigits) return std::nullopt;
  std::uint32_t v = 0;
  for (char c : s) {
    const int d = HexDigit(c);
    if (d < 0) return std::nullopt;
    v = v << 4 | static_cast<std::uint32_t>(d);
  }
  return v;
}

// A quoted text at the start of s; pos is set to the character after the
// closing quote. Only \\ and \" are escapes; any other backslash stays as it is.
std::optional<std::string> ParseQuoted(std::string_view s, std::size_t& pos) {
  if (s.empty() || s[0] != '"') return std::nullopt;
  std::string out;
  for (std::size_t i = 1; i < s.size(); ++i) {
    if (s[i] == '"') {
      pos = i + 1;
      return out;
    }
    if (s[i] == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) ++i;
    out += s[i];
  }
  return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> ParseHexBytes(std::string_view s) {
  std::vector<std::uint8_t> bytes;
  s = Trim(s);
  while (!s.empty()) {
    const auto cut = s.find(',');
    const auto item = Trim(s.substr(0, cut));
    const auto byte = ParseHexNumber(item, 2);
    if (!byte) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(*byte));
    if (cut == std::string_view::npos) break;
    s.remove_prefix(cut + 1);
    if (Trim(s).empty()) return std::nullopt;  // a trailing comma
  }
  return bytes;
}

std::optional<RegValue> ParseData(std::string_view data) {
  data = Trim(data);
  if (!data.empty() && data[0] == '"') {
    std::size_t end = 0;
    auto text = ParseQuoted(data, end);
    if (!text || !Trim(data.substr(end)).empty()) return std::nullopt;
    // A text that must be written as UTF-16 (hex(1)) has to be valid UTF-8 to
    // come back unchanged; the file is UTF-8, so only damage is replaced.
    return RegValue::String(ValidUtf8(*text));
  }
  if (data.starts_with("dword:")) {
    const auto v = ParseHexNumber(Trim(data.substr(6)), 8);
    if (!v) return std::nullopt;
    return RegValue::Dword(*v);
  }
  std::uint32_t type = kRegBinary;
  if (data.starts_with("hex(")) {
    const auto close = data.find(')');
    if (close == std::string_view::npos) return std::nullopt;
    const auto t = ParseHexNumber(data.substr(4, close - 4), 8);
    if (!t) return std::nullopt;
    type = *t;
    data.remove_prefix(close + 1);
  } else if (data.starts_with("hex")) {
    data.remove_prefix(3);
  } else {
    return std::nullopt;
  }
  if (data.empty() || data[0] != ':') return std::nullopt;
  auto bytes = ParseHexBytes(data.substr(1));
  if (!bytes) return std::nullopt;
  if (type == kRegSz) return RegValue::String(Utf8FromUtf16Le(*bytes));
  RegValue v;
  v.type = type;
  v.data = std::move(*bytes);
  return v;
}

struct ParsedValueLine {
  std::string name;
  RegValue value;
};

std::optional<ParsedValueLine> ParseValueLine(std::string_view line) {
  std::string name;
  std::size_t pos = 0;
  if (line[0] == '@') {
    pos = 1;
  } else {
    auto quoted = ParseQuoted(line, pos);
    if (!quoted) return std::nullopt;
    name = std::move(*quoted);
  }
  auto rest = Trim(line.substr(pos));
  if (rest.empty() || rest[0] != '=') return std::nullopt;
  auto value = ParseData(rest.substr(1));
  if (!value) return std::nullopt;
  return ParsedValueLine{std::move(name), std::move(*value)};
}

// A key line: "[path]". A deletion ("[-path]") has no place in a stored file,
// and a key nested deeper than the registry allows marks a damaged one.
std::optional<std::string_view> ParseKeyLine(std::string_view line) {
  if (line.size() < 3 || line.back() != ']') return std::nullopt;
  const auto path = line.substr(1, line.size() - 2);
  const auto parts = SplitRegPath(path);
  if (parts.empty() || parts.size() > kMaxRegKeyDepth || parts.front().front() == '-') return std::nullopt;
  return path;
}

bool IsHexValueStart(std::string_view line) {
  const auto eq = line.find("=hex");
  return eq != std::string_view::npos && (line[0] == '"' || line[0] == '@');
}

// --- writing ---

std::string Quote(std::string_view s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  out += '"';
  return out;
}

bool HasControlCharacter(std::string_view s) {
  for (char c : s) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
  }
  return false;
}

std::string HexList(std::string line, const std::vector<std::uint8_t>& bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    char item[4];
    std::snprintf(item, sizeof item, "%02x", bytes[i]);
    line += item;
    if (i + 1 < bytes.size()) {
      line += ',';
      if (line.size() >= kHexLineWidth) {  // wrapped as the registry editor does
        out += line + "\\\n";
        line = "  ";
      }
    }
  }
  return out + line;
}

std::string ValueLine(const std::string& name, const RegValue& value) {
  std::string line = name.empty() ? "@=" : Quote(name) + "=";
  if (value.type == kRegSz && !HasControlCharacter(value.text)) return line + Quote(value.text);
  if (value.type == kRegSz) return HexList(line + "hex(1):", Utf16LeWithTerminator(value.text));
  if (const auto dword = value.AsDword()) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(*dword));
    return line + "dword:" + digits;
  }
  if (value.type == kRegBinary) return HexList(line + "hex:", value.data);
  char prefix[24];
  std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(value.type));
  return HexList(line + prefix, value.data);
}

void WriteKey(std::string& out, const std::string& path, const RegKey& key) {
  // Keys that only lead to others are implied by their subkeys' paths.
  if (path.empty() || (key.Values().empty() && !key.Subkeys().empty())) return;
  out += "[" + path + "]\n";
  for (const auto& [name, value] : key.Values()) out += ValueLine(name, value) + "\n";
  out += "\n";
}

// Every key in the registry's order (a key, then its subkeys by name), walked
// without recursion and with one path that grows and shrinks along the walk,
// so that no nesting can exhaust the stack or the memory.
void WriteTree(std::string& out, const RegKey& root) {
  struct Level {
    const RegKey* key;
    decltype(root.Subkeys().begin()) next;
    std::size_t pathLength;
  };
  std::string path;
  std::vector<Level> levels{{&root, root.Subkeys().begin(), 0}};
  while (!levels.empty()) {
    Level& level = levels.back();
    if (level.next == level.key->Subkeys().end()) {
      levels.pop_back();
      continue;
    }
    const auto& [name, subkey] = *level.next++;
    path.resize(level.pathLength);
    if (!path.empty() && path.back() != '\\' && !name.empty()) path += '\\';
    path += name;
    WriteKey(out, path, *subkey);
    levels.push_back({subkey.get(), subkey->Subkeys().begin(), path.size()});
  }
}

}  // namespace

RegParseResult ParseRegFile(std::string_view text) {
  RegParseResult result;
  if (text.starts_with(kUtf8Bom)) text.remove_prefix(kUtf8Bom.size());
  const auto lines = SplitLines(text);
  auto fail = [&](std::size_t index) {
    if (result.clean) result.firstBadLine = static_cast<int>(index) + 1;
    result.clean = false;
  };

  std::size_t i = 0;
  while (i < lines.size() && Trim(lines[i]).empty()) ++i;
  if (i == lines.size() || (Trim(lines[i]) != kRegFileHeader && Trim(lines[i]) != kOldRegFileHeader)) {
    if (i < lines.size()) fail(i);
    return result;
  }

  RegKey* current = nullptr;
  for (++i; i < lines.size(); ++i) {
    const std::size_t first = i;
    std::string line(Trim(lines[i]));
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      const auto path = ParseKeyLine(line);
      current = path ? &result.tree.Create(*path) : nullptr;
      if (!path) fail(first);
      continue;
    }
    if (line[0] != '"' && line[0] != '@') {
      fail(first);
      continue;
    }
    // Whether the value is hex data is decided by its first line alone: each
    // continuation is then joined once, so a long value reads in linear time.
    const bool hexValue = IsHexValueStart(line);
    while (hexValue && line.back() == '\\' && i + 1 < lines.size()) {
      line.pop_back();
      line += Trim(lines[++i]);
    }
    const auto parsed = ParseValueLine(line);
    if (!parsed || !current) {
      fail(first);
      continue;
    }
    current->SetValue(parsed->name, parsed->value);
  }
  return result;
}

std::string WriteRegFile(const RegTree& tree) {
  std::string out(kRegFileHeader);
  out += "\n\n";
  WriteTree(out, tree.Root());
  return out;
}

}  // namespace pebble

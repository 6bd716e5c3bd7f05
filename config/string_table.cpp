#include "config/string_table.h"

#include <algorithm>

namespace pebble {
namespace {

constexpr int kBlockSize = 1000;

const StringRow* FindRow(int baseId) {
  const auto rows = StringRows();
  const auto it = std::lower_bound(rows.begin(), rows.end(), baseId,
                                   [](const StringRow& row, int id) { return row.id < id; });
  return (it != rows.end() && it->id == baseId) ? &*it : nullptr;
}

const char* TextOfBlock(const StringRow& row, int block) {
  switch (block) {
    case 0: return row.german;
    case 1: return row.english;
    case 2: return row.french;
    default: return nullptr;
  }
}

int KnownOffset(int languageOffset) {
  const bool known = languageOffset == kGermanOffset || languageOffset == kEnglishOffset ||
                     languageOffset == kFrenchOffset;
  return known ? languageOffset : kEnglishOffset;
}

}  // namespace

std::string_view LoadStr(int id) {
  if (id < 0) return {};
  const StringRow* row = FindRow(id % kBlockSize);
  const char* text = row ? TextOfBlock(*row, id / kBlockSize) : nullptr;
  return text ? std::string_view(text) : std::string_view();
}

bool IsReadWithoutOffset(int baseId) {
  return (baseId >= 500 && baseId <= 509) || (baseId >= 550 && baseId <= 553);
}

std::string Text(int baseId, int languageOffset) {
  const int id = IsReadWithoutOffset(baseId) ? baseId : baseId + KnownOffset(languageOffset);
  return std::string(LoadStr(id));
}

std::string FormatPattern(std::string_view pattern,
                          std::initializer_list<std::string_view> args) {
  std::string result;
  result.reserve(pattern.size());
  auto nextArg = args.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    if (c != '%' || (next != 's' && next != 'd' && next != '%')) {
      result += c;
      continue;
    }
    ++i;
    if (next == '%') {
      result += '%';
    } else if (nextArg != args.end()) {
      result += *nextArg++;
    }
  }
  return result;
}

std::string FormatText(int baseId, int languageOffset,
                       std::initializer_list<std::string_view> args) {
  return FormatPattern(Text(baseId, languageOffset), args);
}

}  // namespace pebble

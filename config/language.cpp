#include "config/language.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstdlib>

#include "config/string_ids.h"
#include "config/string_table.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
#endif

namespace pebble {
namespace {

// Windows primary language identifiers (low ten bits of a language id).
constexpr std::uint16_t kPrimaryGerman = 0x07;
constexpr std::uint16_t kPrimaryFrench = 0x0C;
constexpr std::uint16_t kPrimaryItalian = 0x10;
constexpr std::uint16_t kUsEnglish = 0x0409;

struct PrimaryLanguage {
  std::string_view iso;  // ISO 639-1
  std::uint16_t primary;
};

constexpr std::array<PrimaryLanguage, 40> kPrimaryLanguages = {{
    {"ar", 0x01}, {"bg", 0x02}, {"ca", 0x03}, {"zh", 0x04}, {"cs", 0x05},
    {"da", 0x06}, {"de", 0x07}, {"el", 0x08}, {"en", 0x09}, {"es", 0x0A},
    {"fi", 0x0B}, {"fr", 0x0C}, {"he", 0x0D}, {"hu", 0x0E}, {"is", 0x0F},
    {"it", 0x10}, {"ja", 0x11}, {"ko", 0x12}, {"nl", 0x13}, {"nb", 0x14},
    {"no", 0x14}, {"nn", 0x14}, {"pl", 0x15}, {"pt", 0x16}, {"rm", 0x17},
    {"ro", 0x18}, {"ru", 0x19}, {"hr", 0x1A}, {"sk", 0x1B}, {"sq", 0x1C},
    {"sv", 0x1D}, {"th", 0x1E}, {"tr", 0x1F}, {"id", 0x21}, {"uk", 0x22},
    {"be", 0x23}, {"sl", 0x24}, {"et", 0x25}, {"lv", 0x26}, {"lt", 0x27},
}};

// Windows sub-languages of a territory; a territory not listed gets 1, the
// language's main variant.
struct SubLanguage {
  std::string_view iso;
  std::string_view territory;  // ISO 3166-1
  std::uint16_t sub;
};

constexpr std::array<SubLanguage, 28> kSubLanguages = {{
    {"de", "CH", 2}, {"de", "AT", 3}, {"de", "LU", 4}, {"de", "LI", 5},
    {"fr", "BE", 2}, {"fr", "CA", 3}, {"fr", "CH", 4}, {"fr", "LU", 5}, {"fr", "MC", 6},
    {"it", "CH", 2},
    {"en", "GB", 2}, {"en", "AU", 3}, {"en", "CA", 4}, {"en", "NZ", 5}, {"en", "IE", 6},
    {"en", "ZA", 7},
    {"es", "MX", 2}, {"es", "ES", 3}, {"es", "AR", 11},
    {"nl", "BE", 2},
    {"pt", "BR", 1}, {"pt", "PT", 2},
    {"sv", "FI", 2},
    {"zh", "TW", 1}, {"zh", "CN", 2}, {"zh", "HK", 3}, {"zh", "SG", 4}, {"zh", "MO", 5},
}};

std::string Lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

std::string Upper(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return out;
}

std::optional<std::uint16_t> PrimaryFor(std::string_view iso) {
  for (const auto& language : kPrimaryLanguages) {
    if (language.iso == iso) return language.primary;
  }
  return std::nullopt;
}

std::uint16_t SubFor(std::string_view iso, std::string_view territory) {
  for (const auto& entry : kSubLanguages) {
    if (entry.iso == iso && entry.territory == territory) return entry.sub;
  }
  return 1;
}

const char* GetEnvNonEmpty(const char* name) {
  const char* value = std::getenv(name);
  return (value && *value) ? value : nullptr;
}

}  // namespace

bool HasStoredLanguage(std::optional<int> storedSprache) {
  return storedSprache.has_value() && *storedSprache != kSpracheAbsent;
}

std::uint16_t LanguageIdFromLocale(std::string_view localeName) {
  // "language[_territory][.encoding][@modifier]"
  const std::string_view name = localeName.substr(0, localeName.find_first_of(".@"));
  const std::size_t separator = name.find_first_of("_-");
  const std::string iso = Lower(name.substr(0, separator));
  const std::string territory =
      separator == std::string_view::npos ? std::string() : Upper(name.substr(separator + 1));
  const auto primary = PrimaryFor(iso);
  if (!primary) return kUsEnglish;
  return static_cast<std::uint16_t>((SubFor(iso, territory) << 10) | *primary);
}

std::string LanguageIdHex(std::uint16_t languageId) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%04X", static_cast<unsigned>(languageId));
  return buffer;
}

int LanguageCodeForId(std::uint16_t languageId) {
  // Every variant of a language shares its primary id, so German speakers in
  // Luxembourg or Liechtenstein and French speakers in Luxembourg or Monaco
  // get their language too.
  switch (languageId & 0x3FF) {
    case kPrimaryGerman: return kLanguageCodeGerman;
    case kPrimaryFrench: return kLanguageCodeFrench;
    case kPrimaryItalian: return kLanguageCodeEnglish;
    default: return kLanguageCodeOther;
  }
}

int WindowsLanguageCode(std::optional<int> storedSprache, std::string_view systemLocale) {
  if (HasStoredLanguage(storedSprache)) return *storedSprache;
  return LanguageCodeForId(LanguageIdFromLocale(systemLocale));
}

std::string SystemLocaleName() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    if (const char* value = GetEnvNonEmpty(variable)) return value;
  }
  return {};
}

int WindowsLanguageCode(std::optional<int> storedSprache) {
  if (HasStoredLanguage(storedSprache)) return *storedSprache;
#ifdef _WIN32
  return LanguageCodeForId(GetSystemDefaultLangID());
#else
  return WindowsLanguageCode(storedSprache, SystemLocaleName());
#endif
}

int LanguageOffsetForCode(int languageCode) {
  switch (languageCode) {
    case kLanguageCodeGerman:
    case kLanguageCodeEnglish:
    case kLanguageCodeFrench:
      return languageCode;
    default:
      return kLanguageCodeEnglish;
  }
}

std::vector<std::string> LanguageListEntries() {
  const std::string_view countText = LoadStr(kLanguageCount);
  int count = 0;
  const auto [end, error] = std::from_chars(countText.data(), countText.data() + countText.size(), count);
  std::vector<std::string> entries;
  if (error == std::errc() && end == countText.data() + countText.size() && count > 0) {
    for (int i = 1; i <= count && !LoadStr(kFirstLanguageName + i - 1).empty(); ++i) {
      entries.emplace_back(LoadStr(kFirstLanguageName + i - 1));
    }
  }
  if (entries.empty() || static_cast<int>(entries.size()) != count) return {"Default"};
  return entries;
}

}  // namespace pebble

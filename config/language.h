#pragma once
// Which language the user interface speaks.
//
// The stored value `Sprache` (program root key) holds a language code: 0
// German, 1000 English, 2000 French, or 3000 for a system language the game
// does not speak. It is chosen from the system language at the first start and
// changed by the language list of the configuration dialog. The window adds
// languageOffset (0, 1000 or 2000) to every string id.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pebble {

constexpr int kLanguageCodeGerman = 0;
constexpr int kLanguageCodeEnglish = 1000;  // also what Italian systems get
constexpr int kLanguageCodeFrench = 2000;
constexpr int kLanguageCodeOther = 3000;    // any other system language; shown in English

constexpr int kSpracheAbsent = -1;          // the default `Sprache` is read with

// True when storedSprache holds a value: neither empty nor the read default -1.
bool HasStoredLanguage(std::optional<int> storedSprache);

// The Windows language identifier of a locale name such as "de_CH.UTF-8"
// (0x0807), "fr_CA" or "it-CH"; encoding and modifier are ignored. The C and
// POSIX locales, an empty name and unknown languages give US English (0x0409).
// A territory the table does not know gives the language's main variant.
std::uint16_t LanguageIdFromLocale(std::string_view localeName);

// The identifier as four upper-case hexadecimal digits ("0807").
std::string LanguageIdHex(std::uint16_t languageId);

// The language code for a system language: every German variant gives 0, every
// French variant 2000, Italian 1000, anything else 3000.
int LanguageCodeForId(std::uint16_t languageId);

// The language code: storedSprache when a value is stored, otherwise the code
// of the system language named by systemLocale. When nothing was stored the
// caller writes the result to `Sprache` (a failing write is ignored), so the
// choice holds from then on.
int WindowsLanguageCode(std::optional<int> storedSprache, std::string_view systemLocale);

// The same for the language of the running system: on Windows its default
// language identifier, elsewhere the locale named by LC_ALL, LC_MESSAGES or
// LANG, the first that is set and not empty.
int WindowsLanguageCode(std::optional<int> storedSprache);

// The locale name of the user's messages from the environment (see above);
// empty when none is set.
std::string SystemLocaleName();

// languageOffset for a language code: 0, 1000 and 2000 stay, every other code
// (3000 or anything found in the store) gives English, 1000.
int LanguageOffsetForCode(int languageCode);

// The entries of the language list, in the order of their offsets (entry i is
// language offset i × 1000). Falls back to the one entry "Default" when the
// table's language list is unusable.
std::vector<std::string> LanguageListEntries();

}  // namespace pebble

#pragma once
// The texts of the user interface in German, English and French.
//
// Every text has a base id below 1000. Its German text stands under the base
// id, its English text under base id + 1000 and its French text under base id
// + 2000, so the text shown is the one of base id + languageOffset.
//
// A few ids are read without the language offset and exist once, in the
// German block, serving every language:
//   500 ... 509  made-up player names that fill an empty score table;
//   550          the number of languages, as text ("3");
//   551 ... 553  the language names "Deutsch", "English", "Français".
// Id 313 (the credit for the French translation) exists in the French block
// only; in German and English its label stays empty.
//
// All texts are UTF-8.

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace pebble {

constexpr int kGermanOffset = 0;
constexpr int kEnglishOffset = 1000;
constexpr int kFrenchOffset = 2000;

// One base id with its three texts; nullptr where a block has no entry.
struct StringRow {
  int id;
  const char* german;
  const char* english;
  const char* french;
};

// Every row of the table, sorted by id.
std::span<const StringRow> StringRows();

// The text of a full id (base id + offset); empty when the table has none.
std::string_view LoadStr(int id);

// True for the ids that are read without the language offset.
bool IsReadWithoutOffset(int baseId);

// The text of baseId in the language of languageOffset (0, 1000 or 2000);
// the ids read without offset give their one text in every language. Any
// other offset is taken as English, so a stray value never blanks the window.
std::string Text(int baseId, int languageOffset);

// Text() with its "%s" and "%d" placeholders filled by args in order ("%%" is
// a percent sign). A placeholder without an argument stays empty; arguments
// beyond the placeholders are ignored.
std::string FormatText(int baseId, int languageOffset,
                       std::initializer_list<std::string_view> args);

// The same filling for a text at hand.
std::string FormatPattern(std::string_view pattern,
                          std::initializer_list<std::string_view> args);

}  // namespace pebble

#include "config/string_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "config/string_ids.h"

namespace pebble {
namespace {

constexpr int kOffsets[] = {kGermanOffset, kEnglishOffset, kFrenchOffset};

std::vector<int> EnglishBaseIds() {
  std::vector<int> ids;
  for (int id = 0; id < 1000; ++id) {
    if (!LoadStr(id + kEnglishOffset).empty()) ids.push_back(id);
  }
  return ids;
}

std::vector<std::string> Placeholders(std::string_view text) {
  std::vector<std::string> found;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '%') continue;
    found.emplace_back(text.substr(i, 2));
    ++i;
  }
  return found;
}

std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(separator, start)) != std::string_view::npos;
       start = end + 1) {
    parts.emplace_back(text.substr(start, end - start));
  }
  parts.emplace_back(text.substr(start));
  return parts;
}

int AccessKeyCount(std::string_view text) {
  int count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (i + 1 < text.size() && text[i + 1] == '&') {
      ++i;  // "&&" is a literal ampersand
      continue;
    }
    ++count;
  }
  return count;
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3
                     : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (int k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) >> 6) != 0x2) return false;
    }
    i += length;
  }
  return true;
}

TEST(StringTable, EveryEnglishTextHasAGermanAndAFrenchText) {
  const auto ids = EnglishBaseIds();
  ASSERT_GE(ids.size(), 200u);
  for (int id : ids) {
    EXPECT_FALSE(LoadStr(id + kGermanOffset).empty()) << "German text missing for " << id;
    EXPECT_FALSE(LoadStr(id + kFrenchOffset).empty()) << "French text missing for " << id;
  }
}

TEST(StringTable, GermanAndFrenchHaveNoTextWithoutAnEnglishOne) {
  // Apart from the ids read without offset and the French translation credit,
  // the blocks hold the same ids.
  for (int id = 0; id < 1000; ++id) {
    if (IsReadWithoutOffset(id) || id == kTranslatorCredit) continue;
    const bool english = !LoadStr(id + kEnglishOffset).empty();
    EXPECT_EQ(!LoadStr(id + kGermanOffset).empty(), english) << id;
    EXPECT_EQ(!LoadStr(id + kFrenchOffset).empty(), english) << id;
  }
}

TEST(StringTable, EveryTextIsValidUtf8) {
  for (const StringRow& row : StringRows()) {
    for (const char* text : {row.german, row.english, row.french}) {
      if (text) EXPECT_TRUE(IsValidUtf8(text)) << row.id;
    }
  }
}

TEST(StringTable, PlaceholdersAgreeAcrossLanguages) {
  std::set<int> idsWithPlaceholders;
  for (int id : EnglishBaseIds()) {
    const auto english = Placeholders(LoadStr(id + kEnglishOffset));
    EXPECT_EQ(Placeholders(LoadStr(id + kGermanOffset)), english) << id;
    EXPECT_EQ(Placeholders(LoadStr(id + kFrenchOffset)), english) << id;
    if (!english.empty()) idsWithPlaceholders.insert(id);
  }
  // Only these are ever formatted; a "%" anywhere else would show as is.
  // kReportOnePlayer and kReportPlayers count the players of a report;
  // the preview's, the field's and the status bar's figures give a group's
  // size and points and a cell's place to the player and the screen reader;
  // kDealBestLine also sets a label beside its value; kMsgZoom shows the zoom.
  EXPECT_EQ(idsWithPlaceholders,
            (std::set<int>{kMailLink, kClearedBonus, kGameSavedOn, kDesktopUnreachable, kShortcutNotWritten, kNotADeal,
                           kDealShown, kMsgAdviceStones, kMsgAdvicePoints, kDealBestStones, kDealBestStone,
                           kDealBestPoints, kDealBestLine, kReportOnePlayer, kReportPlayers, kDealIdle, kPreviewPoints,
                           kPreviewPointsOne, kPreviewLeft, kPreviewLeftOne, kCellsFigure, kLeftFigure, kMovableFigure,
                           kScoreFigure, kCellPosition, kRemovedStones, kRemovedOneStone, kMsgZoom}));
}

TEST(StringTable, CaptionsKeepTheirAccessKeyInEveryLanguage) {
  for (int id : EnglishBaseIds()) {
    const int english = AccessKeyCount(LoadStr(id + kEnglishOffset));
    ASSERT_LE(english, 1) << id;
    EXPECT_EQ(AccessKeyCount(LoadStr(id + kGermanOffset)), english) << id;
    EXPECT_EQ(AccessKeyCount(LoadStr(id + kFrenchOffset)), english) << id;
  }
}

TEST(StringTable, FileFiltersKeepTheirPatterns) {
  for (int id : {kGameFileFilter, kPictureFilter}) {
    const auto english = Split(LoadStr(id + kEnglishOffset), '|');
    ASSERT_EQ(english.size() % 2, 0u) << id;
    for (int offset : {kGermanOffset, kFrenchOffset}) {
      const auto translated = Split(LoadStr(id + offset), '|');
      ASSERT_EQ(translated.size(), english.size()) << id << " at " << offset;
      for (std::size_t i = 1; i < english.size(); i += 2) {
        EXPECT_EQ(translated[i], english[i]) << id << " at " << offset;
      }
    }
  }
}

TEST(StringTable, FrenchPunctuationIsNotSeparatedByABreakingSpace) {
  for (int id : EnglishBaseIds()) {
    const std::string_view french = LoadStr(id + kFrenchOffset);
    for (std::size_t i = 1; i < french.size(); ++i) {
      if (std::string_view("!?:;").find(french[i]) == std::string_view::npos) continue;
      EXPECT_NE(french[i - 1], ' ') << id << ": " << french;
    }
  }
}

TEST(StringTable, TextsFollowTheLanguageOffset) {
  EXPECT_EQ(Text(kMsgClickOnField, kGermanOffset), "Klicke aufs Spielfeld!");
  EXPECT_EQ(Text(kMsgClickOnField, kEnglishOffset), "Click on the field, please!");
  EXPECT_EQ(Text(kMsgClickOnField, kFrenchOffset), "Cliquez sur le plateau\u00A0!");
  // English texts keep their own spelling and spacing.
  EXPECT_EQ(Text(kNoBrowser, kEnglishOffset),
            "Your browser could not be found. Start it manually and use the following url: ");
  EXPECT_EQ(Text(kPictureFilter, kEnglishOffset),
            "JPEG (*.jpg)|*.jpg|Bitmaps (*.bmp)|*.bmp|All graphic files|*.jpg;*.bmp|All files |*.*");
  // A stray offset shows English rather than an empty window.
  EXPECT_EQ(Text(kMsgClickOnField, 3000), Text(kMsgClickOnField, kEnglishOffset));
}

// Texts players found wrong: a misspelt word, a sentence without its full
// stop, and the type column of the file dialogs.
TEST(StringTable, TextsPlayersFoundWrongReadRight) {
  EXPECT_EQ(Text(kFieldHint, kEnglishOffset),
            "Try to remove as many stones as possible by clicking on groups with the same color...");
  EXPECT_EQ(Text(kNoProtocol, kFrenchOffset),
            "Impossible d’enregistrer une partie tant que le suivi de la partie est désactivé.");
  EXPECT_EQ(Text(kMsgSearching, kEnglishOffset), "Finding the best move…");
  EXPECT_EQ(Text(kSavedGameFileType, kGermanOffset), "Pebbledrome-Spiel");
  EXPECT_EQ(Text(kFolderFileType, kFrenchOffset), "Dossier");
}

TEST(StringTable, MissingIdsGiveEmptyTexts) {
  for (int id : {-1, 15, 999, 1500, 1550, 2500, 3102, 100000}) {
    EXPECT_TRUE(LoadStr(id).empty()) << id;
  }
  EXPECT_EQ(Text(15, kEnglishOffset), "");
}

TEST(StringTable, IdsReadWithoutOffsetServeEveryLanguage) {
  std::set<std::string> names;
  for (int id = kFirstDefaultName; id < kFirstDefaultName + 10; ++id) {
    ASSERT_TRUE(IsReadWithoutOffset(id));
    const std::string name(LoadStr(id));
    EXPECT_FALSE(name.empty()) << id;
    EXPECT_LE(name.size(), 17u) << id;  // names are cut to 17 characters when entered
    names.insert(name);
    for (int offset : kOffsets) EXPECT_EQ(Text(id, offset), name) << id;
    EXPECT_TRUE(LoadStr(id + kEnglishOffset).empty()) << id;
  }
  EXPECT_EQ(names.size(), 10u);

  const std::string expected[] = {"3", "Deutsch", "English", "Français"};
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(IsReadWithoutOffset(kLanguageCount + i));
    for (int offset : kOffsets) EXPECT_EQ(Text(kLanguageCount + i, offset), expected[i]);
  }
  EXPECT_FALSE(IsReadWithoutOffset(499));
  EXPECT_FALSE(IsReadWithoutOffset(510));
  EXPECT_FALSE(IsReadWithoutOffset(554));
}

TEST(StringTable, TranslationCreditExistsInFrenchOnly) {
  EXPECT_EQ(Text(kTranslatorCredit, kGermanOffset), "");
  EXPECT_EQ(Text(kTranslatorCredit, kEnglishOffset), "");
  EXPECT_FALSE(Text(kTranslatorCredit, kFrenchOffset).empty());
}

TEST(StringTable, FormattedTextsFillTheirPlaceholdersInOrder) {
  EXPECT_EQ(FormatText(kClearedBonus, kEnglishOffset, {"17"}),
            "You have removed all stones! For this great feat, you'll get a bonus of 17 points!");
  EXPECT_EQ(FormatText(kGameSavedOn, kEnglishOffset, {"KITCHEN-PC", "03.05.2024 18:30:00"}),
            "Game saved on KITCHEN-PC on 03.05.2024 18:30:00");
  EXPECT_EQ(FormatText(kGameSavedOn, kGermanOffset, {"KÜCHE", "03.05.2024"}),
            "Spiel gespeichert auf KÜCHE am 03.05.2024");
  for (int offset : kOffsets) {
    const std::string link = FormatText(kMailLink, offset, {"4.1.0"});
    EXPECT_EQ(link.rfind("mailto:", 0), 0u) << link;
    EXPECT_NE(link.find("subject=Pebbledrome 4.1.0 "), std::string::npos) << link;
  }
  EXPECT_EQ(FormatText(kMailLink, kFrenchOffset, {"4.1.0"}).back(), 'F');
}

TEST(StringTable, FormatPatternCases) {
  struct Case {
    std::string_view pattern;
    std::initializer_list<std::string_view> args;
    std::string_view expected;
  };
  const Case cases[] = {
      {"%s and %d", {"one", "2"}, "one and 2"},
      {"100%% of %s", {"it"}, "100% of it"},
      {"%s, %s", {"only"}, "only, "},            // a missing argument stays empty
      {"%s", {"a", "b"}, "a"},                   // extra arguments are ignored
      {"50% off %x", {"z"}, "50% off %x"},      // not a placeholder
      {"ends with %", {"z"}, "ends with %"},
      {"%s", {"%s"}, "%s"},                      // arguments are not formatted again
  };
  for (const Case& c : cases) EXPECT_EQ(FormatPattern(c.pattern, c.args), c.expected) << c.pattern;
}

}  // namespace
}  // namespace pebble

#include "config/language.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "config/string_table.h"

namespace pebble {
namespace {

TEST(Language, ChoiceFromStoreAndSystem) {
  struct Case {
    std::optional<int> stored;
    const char* locale;
    const char* languageId;  // of the locale
    int code;                // what WindowsLanguageCode returns (and is stored when absent)
    int offset;
  };
  const Case cases[] = {
      {std::nullopt, "de_DE.UTF-8", "0407", 0, 0},
      {std::nullopt, "de_CH.UTF-8", "0807", 0, 0},
      {std::nullopt, "de_AT.UTF-8", "0C07", 0, 0},
      {std::nullopt, "de_LU.UTF-8", "1007", 0, 0},       // every German variant
      {std::nullopt, "de_LI", "1407", 0, 0},
      {std::nullopt, "de", "0407", 0, 0},
      {std::nullopt, "de_DE@euro", "0407", 0, 0},
      {std::nullopt, "fr_FR.UTF-8", "040C", 2000, 2000},
      {std::nullopt, "fr_BE.UTF-8", "080C", 2000, 2000},
      {std::nullopt, "fr_CA.UTF-8", "0C0C", 2000, 2000},
      {std::nullopt, "fr_CH.UTF-8", "100C", 2000, 2000},
      {std::nullopt, "fr_MC.UTF-8", "180C", 2000, 2000},  // every French variant
      {std::nullopt, "fr-ca", "0C0C", 2000, 2000},
      {std::nullopt, "it_IT.UTF-8", "0410", 1000, 1000},
      {std::nullopt, "it_CH.UTF-8", "0810", 1000, 1000},
      {std::nullopt, "es_ES.UTF-8", "0C0A", 3000, 1000},
      {std::nullopt, "en_GB.UTF-8", "0809", 3000, 1000},
      {std::nullopt, "ja_JP.UTF-8", "0411", 3000, 1000},
      {std::nullopt, "C.UTF-8", "0409", 3000, 1000},
      {std::nullopt, "", "0409", 3000, 1000},
      {-1, "fr_FR.UTF-8", "040C", 2000, 2000},  // -1 is the read default: nothing stored
      {2000, "de_DE.UTF-8", "0407", 2000, 2000},
      {0, "fr_FR.UTF-8", "040C", 0, 0},
      {1000, "de_CH.UTF-8", "0807", 1000, 1000},
      {3000, "de_DE.UTF-8", "0407", 3000, 1000},
      {5, "de_DE.UTF-8", "0407", 5, 1000},  // stays stored as 5, shown in English
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.locale) + " stored " + (c.stored ? std::to_string(*c.stored) : "none"));
    EXPECT_EQ(LanguageIdHex(LanguageIdFromLocale(c.locale)), c.languageId);
    const int code = WindowsLanguageCode(c.stored, c.locale);
    EXPECT_EQ(code, c.code);
    EXPECT_EQ(LanguageOffsetForCode(code), c.offset);
    EXPECT_EQ(HasStoredLanguage(c.stored), c.stored.has_value() && *c.stored != -1);
  }
}

TEST(Language, ListShowsTheLanguagesInOffsetOrder) {
  const std::vector<std::string> expected = {"Deutsch", "English", "Français"};
  EXPECT_EQ(LanguageListEntries(), expected);
}

#ifndef _WIN32
// Sets the locale variables for one test and puts the old values back.
class LocaleEnvironment : public ::testing::Test {
 protected:
  static constexpr const char* kVariables[] = {"LC_ALL", "LC_MESSAGES", "LANG"};

  void SetUp() override {
    for (const char* name : kVariables) {
      const char* value = std::getenv(name);
      saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
      unsetenv(name);
    }
  }
  void TearDown() override {
    for (std::size_t i = 0; i < saved_.size(); ++i) {
      if (saved_[i]) setenv(kVariables[i], saved_[i]->c_str(), 1);
      else unsetenv(kVariables[i]);
    }
  }

 private:
  std::vector<std::optional<std::string>> saved_;
};

TEST_F(LocaleEnvironment, FirstSetVariableNamesTheSystemLanguage) {
  EXPECT_EQ(SystemLocaleName(), "");
  EXPECT_EQ(WindowsLanguageCode(std::nullopt), 3000);

  setenv("LANG", "de_AT.UTF-8", 1);
  EXPECT_EQ(SystemLocaleName(), "de_AT.UTF-8");
  EXPECT_EQ(WindowsLanguageCode(std::nullopt), 0);

  setenv("LC_MESSAGES", "fr_CA.UTF-8", 1);
  EXPECT_EQ(WindowsLanguageCode(std::nullopt), 2000);

  setenv("LC_ALL", "", 1);  // empty counts as unset
  EXPECT_EQ(SystemLocaleName(), "fr_CA.UTF-8");

  setenv("LC_ALL", "it_IT.UTF-8", 1);
  EXPECT_EQ(WindowsLanguageCode(std::nullopt), 1000);
  EXPECT_EQ(WindowsLanguageCode(2000), 2000);  // a stored choice wins
}
#endif

}  // namespace
}  // namespace pebble

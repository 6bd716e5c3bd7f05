#include "control/shell_help.h"

#include <string_view>

#include "config/string_table.h"

namespace pebble {
namespace {

struct HelpPage {
  int number;
  std::string_view file;
};

constexpr HelpPage kPages[] = {
    {kHelpContentsTopic, "index.html"}, {1, "play.html"},  {2, "specials.html"},
    {3, "autodrop.html"},               {4, "scoring.html"}, {5, "files.html"},
    {6, "options.html"},                {kHelpKeysTopic, "keys.html"},    {kHelpWhatsNewTopic, "news.html"},
    {kHelpQuestionsTopic, "faq.html"},
};

std::string_view LanguageFolder(int languageOffset) {
  switch (languageOffset) {
    case kGermanOffset: return "de";
    case kFrenchOffset: return "fr";
    default: return "en";
  }
}

}  // namespace

std::string HelpPagePath(int topic) {
  const int languageOffset = topic >= 0 ? topic / 1000 * 1000 : kEnglishOffset;
  const int number = topic >= 0 ? topic % 1000 : kHelpContentsTopic;
  std::string_view file = kPages[0].file;
  for (const HelpPage& page : kPages) {
    if (page.number == number) file = page.file;
  }
  return std::string(LanguageFolder(languageOffset)) + "/" + std::string(file);
}

}  // namespace pebble

// The first-run actions of a new version and the help topics they open.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/shell_first_run.h"
#include "control/shell_help.h"

using namespace pebble;

namespace {

class RecordingShell : public FirstRunShell {
 public:
  std::vector<std::string> calls;
  void ShowHelp(int topic) override { calls.push_back("help " + std::to_string(topic)); }
  void CreateDesktopShortcut() override { calls.push_back("shortcut"); }
  void RegisterSavedGameType() override { calls.push_back("file type"); }
};

using Calls = std::vector<std::string>;

}  // namespace

TEST(ShellFirstRunTest, ActivationInTheFirstGameOfANewVersion) {
  struct Case {
    const char* name;
    FirstRunFacts facts;
    Calls calls;
  } cases[] = {
      {"same version", {false, false, 1000, 1}, {}},
      {"same version, nothing stored", {false, true, 1000, 1}, {}},
      {"very first start", {true, true, 0, 1}, {"shortcut", "file type"}},
      {"update, German", {true, false, 0, 1}, {"help 13", "shortcut", "file type"}},
      {"update, English", {true, false, 1000, 1}, {"help 1013", "shortcut", "file type"}},
      {"update, French", {true, false, 2000, 1}, {"help 2013", "shortcut", "file type"}},
  };
  for (const Case& c : cases) {
    FirstRunActions actions;
    RecordingShell shell;
    actions.OnActivate(c.facts, shell);
    EXPECT_EQ(shell.calls, c.calls) << c.name;
  }
}

// Closing the help activates the main window again; that must not reopen it,
// while shortcut and file type are made at every activation of that game.
TEST(ShellFirstRunTest, HelpOpensOncePerGameTheRestAtEveryActivation) {
  FirstRunActions actions;
  RecordingShell shell;
  const FirstRunFacts update{true, false, 1000, 1};
  actions.OnActivate(update, shell);
  actions.OnActivate(update, shell);
  EXPECT_EQ(shell.calls, (Calls{"help 1013", "shortcut", "file type", "shortcut", "file type"}));

  shell.calls.clear();
  actions.OnActivate({false, false, 1000, 2}, shell);
  EXPECT_TRUE(shell.calls.empty()) << "the next game finds the version stored";
  actions.OnActivate({true, false, 2000, 3}, shell);
  EXPECT_EQ(shell.calls, (Calls{"help 2013", "shortcut", "file type"})) << "another version change later in the run";
}

TEST(ShellHelpTest, TopicsNameThePageOfTheirLanguage) {
  struct Case {
    int topic;
    const char* page;
  } cases[] = {
      {0, "de/index.html"},      {13, "de/news.html"},     {20, "de/faq.html"},
      {1000, "en/index.html"},   {1013, "en/news.html"},   {1020, "en/faq.html"},
      {2000, "fr/index.html"},   {2013, "fr/news.html"},   {2020, "fr/faq.html"},
      {1001, "en/play.html"},    {2006, "fr/options.html"}, {7, "de/keys.html"},
      {1999, "en/index.html"},   {3000, "en/index.html"},  {3020, "en/faq.html"},
      {-1, "en/index.html"},
  };
  for (const Case& c : cases) EXPECT_EQ(HelpPagePath(c.topic), c.page) << c.topic;
}

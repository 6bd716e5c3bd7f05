// The saved-game file type and the desktop shortcut in the desktop's own form:
// how a program path is written into a desktop entry, what the entries and the
// MIME type say, that making them again replaces them, and that the installed
// package carries the very same files.

#ifndef _WIN32

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "config/string_ids.h"
#include "config/string_table.h"
#include "control/shell.h"
#include "control/shell_xdg.h"

namespace fs = std::filesystem;
using namespace pebble;

namespace {

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::size_t FileCount(const fs::path& folder) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++count;
  return count;
}

fs::path PackagingFolder() {
  const char* data = std::getenv("PEBBLE_TEST_DATA");
  return data ? fs::path(data).parent_path().parent_path() / "packaging" : fs::path();
}

// A private HOME and data folder for one test, put back afterwards.
class ShellFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("pebble-shell-" + std::to_string(::getpid()) + "-" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "home" / "Desktop");
    Remember("HOME");
    Remember("XDG_DATA_HOME");
    ::setenv("HOME", (root_ / "home").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value) ::setenv(name.c_str(), value->c_str(), 1);
      else ::unsetenv(name.c_str());
    }
    fs::remove_all(root_);
  }
  void Remember(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
  }

  fs::path root_;
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace

TEST(ShellXdgTest, ProgramPathsAreQuotedSoTheLauncherGetsThemBackUnchanged) {
  struct Case {
    const char* program;
    const char* exec;
  } cases[] = {
      {"/usr/games/pebbledrome", "/usr/games/pebbledrome"},
      {"pebbledrome", "pebbledrome"},
      {"/opt/My Games/pebbledrome", "\"/opt/My Games/pebbledrome\""},
      {"/home/x/\"quoted\"/p", "\"/home/x/\\\\\"quoted\\\\\"/p\""},
      {"/home/x/$HOME/p", "\"/home/x/\\\\$HOME/p\""},
      {"/home/x/`cmd`/p", "\"/home/x/\\\\`cmd\\\\`/p\""},
      {"/home/x/back\\slash/p", "\"/home/x/back\\\\\\\\slash/p\""},
      {"/home/x/100%/p", "\"/home/x/100%%/p\""},
      {"/home/x/Spiele ä/p", "\"/home/x/Spiele ä/p\""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(xdg::ExecValue(c.program, ""), c.exec) << c.program;
    EXPECT_EQ(xdg::ExecValue(c.program, "%f"), std::string(c.exec) + " %f") << c.program;
  }
}

TEST(ShellXdgTest, TheFileTypeIsAMimeTypeForItsExtension) {
  EXPECT_EQ(xdg::MimeTypeFor(kSavedGameTypeName), "application/x-pebbledrome-game");
  EXPECT_EQ(xdg::MimePackageFileName(kSavedGameTypeName), "pebbledrome-game.xml");
  const std::string xml =
      xdg::MimeTypeXml(kSavedGameExtension, kSavedGameTypeName, kSavedGameIconIndex, kSavedGameTypeDescription);
  EXPECT_NE(xml.find("<mime-type type=\"application/x-pebbledrome-game\">"), std::string::npos);
  EXPECT_NE(xml.find("<comment>Pebbledrome game</comment>"), std::string::npos);
  EXPECT_NE(xml.find("<glob pattern=\"*.clk\"/>"), std::string::npos);
  EXPECT_NE(xml.find("<icon name=\"application-x-pebbledrome-game\"/>"), std::string::npos);
  // Texts are written as XML text, whatever they hold.
  EXPECT_NE(xdg::MimeTypeXml(".x", "A.B", 2, "Tom & \"Jerry\" <3>").find("Tom &amp; &quot;Jerry&quot; &lt;3&gt;"),
            std::string::npos);
}

TEST(ShellXdgTest, TheProgramsEntryOpensTheFileAsItsOnlyArgument) {
  const std::string entry = xdg::ApplicationEntry("/opt/My Games/pebbledrome", "application/x-pebbledrome-game");
  EXPECT_TRUE(entry.starts_with("[Desktop Entry]\nType=Application\n"));
  EXPECT_NE(entry.find("\nExec=\"/opt/My Games/pebbledrome\" %f\n"), std::string::npos);
  EXPECT_NE(entry.find("\nTryExec=/opt/My Games/pebbledrome\n"), std::string::npos);
  EXPECT_NE(entry.find("\nMimeType=application/x-pebbledrome-game;\n"), std::string::npos);
  EXPECT_NE(entry.find("\nIcon=pebbledrome\n"), std::string::npos);
  for (int offset : {kGermanOffset, kEnglishOffset, kFrenchOffset}) {
    EXPECT_NE(entry.find(xdg::EscapeValue(Text(kShortcutDescription, offset))), std::string::npos) << offset;
  }
}

TEST(ShellXdgTest, TheShortcutStartsTheTargetInItsOwnFolder) {
  const std::string entry =
      xdg::ShortcutEntry("/usr/games/pebbledrome", "", xdg::FolderOf("/usr/games/pebbledrome"), "Ein Spiel", "Pebbledrome");
  EXPECT_EQ(entry,
            "[Desktop Entry]\nType=Application\nVersion=1.4\nName=Pebbledrome\nComment=Ein Spiel\n"
            "Icon=pebbledrome\nExec=/usr/games/pebbledrome\nPath=/usr/games/\nTerminal=false\n");
  // Arguments are literal: a percent sign is no field code, a line break no new key.
  const std::string withArguments = xdg::ShortcutEntry("/p", "rows:20 100%", "/", "two\nlines", "N");
  EXPECT_NE(withArguments.find("\nExec=/p rows:20 100%%\n"), std::string::npos);
  EXPECT_NE(withArguments.find("\nComment=two\\nlines\n"), std::string::npos);
}

TEST_F(ShellFilesTest, ShortcutMadeTwiceIsOneLauncherOnTheDesktop) {
  const fs::path desktop = root_ / "home" / "Desktop";
  ASSERT_EQ(CreateLnk("/usr/games/pebbledrome", "", desktop.string(), "first", "Pebbledrome"), LinkResult::Created);
  ASSERT_EQ(CreateLnk("/usr/games/pebbledrome", "", desktop.string(), "second", "Pebbledrome"), LinkResult::Created);
  EXPECT_EQ(FileCount(desktop), 1u);
  const fs::path shortcut = desktop / "Pebbledrome.desktop";
  EXPECT_NE(ReadAll(shortcut).find("\nComment=second\n"), std::string::npos);
  struct stat info {};
  ASSERT_EQ(::stat(shortcut.c_str(), &info), 0);
  EXPECT_TRUE(info.st_mode & S_IXUSR) << "desktops start only executable launchers";
}

TEST_F(ShellFilesTest, ShortcutNeedsAnExistingFolder) {
  EXPECT_EQ(CreateLnk("/p", "", "", "d", "Pebbledrome"), LinkResult::FolderUnreachable);
  EXPECT_EQ(CreateLnk("/p", "", (root_ / "home" / "Nowhere").string(), "d", "Pebbledrome"),
            LinkResult::FolderUnreachable);
  std::ofstream((root_ / "home" / "file")).put('x');
  EXPECT_EQ(CreateLnk("/p", "", (root_ / "home" / "file").string(), "d", "Pebbledrome"),
            LinkResult::FolderUnreachable);
  EXPECT_FALSE(fs::exists(root_ / "home" / "Nowhere"));
}

TEST_F(ShellFilesTest, RegisteredTwiceLeavesOneTypeAndOneEntry) {
  for (const char* program : {"/old/pebbledrome", "/new/pebbledrome"}) {
    ASSERT_TRUE(RegisterFileTypeFor(program, kSavedGameExtension, kSavedGameTypeName, kSavedGameIconIndex,
                                    kSavedGameTypeDescription));
  }
  const fs::path data = root_ / "data";
  EXPECT_EQ(FileCount(data / "mime" / "packages"), 1u);
  EXPECT_EQ(FileCount(data / "applications"), 1u);
  EXPECT_EQ(ReadAll(data / "mime" / "packages" / "pebbledrome-game.xml"),
            xdg::MimeTypeXml(".clk", "Pebbledrome.Game", 2, "Pebbledrome game"));
  const std::string entry = ReadAll(data / "applications" / "pebbledrome.desktop");
  EXPECT_NE(entry.find("\nExec=/new/pebbledrome %f\n"), std::string::npos);
  EXPECT_EQ(entry.find("/old/"), std::string::npos);
}

TEST_F(ShellFilesTest, DataFolderFollowsXdgDataHomeThenHome) {
  EXPECT_EQ(xdg::DataHome(), (root_ / "data").string());
  ::setenv("XDG_DATA_HOME", "relative/is/ignored", 1);
  EXPECT_EQ(xdg::DataHome(), (root_ / "home" / ".local" / "share").string());
  ::unsetenv("XDG_DATA_HOME");
  ::unsetenv("HOME");
  EXPECT_EQ(xdg::DataHome(), "");
  EXPECT_FALSE(RegisterFileTypeFor("/p", ".clk", "Pebbledrome.Game", 2, "Pebbledrome game"));
}

TEST_F(ShellFilesTest, IconsGoIntoThePlayersThemeByIndex) {
  ASSERT_TRUE(InstallIconPicture(0, 48, "png-a"));
  ASSERT_TRUE(InstallIconPicture(2, 256, "png-b"));
  const fs::path hicolor = root_ / "data" / "icons" / "hicolor";
  EXPECT_EQ(ReadAll(hicolor / "48x48" / "apps" / "pebbledrome.png"), "png-a");
  EXPECT_EQ(ReadAll(hicolor / "256x256" / "mimetypes" / "application-x-pebbledrome-game.png"), "png-b");
  EXPECT_FALSE(InstallIconPicture(7, 48, "png"));
}

// The package installs what the game writes for the player, so the two can
// never tell the desktop different things.
TEST(ShellXdgTest, PackagedFilesAreTheOnesTheGameWrites) {
  const fs::path packaging = PackagingFolder();
  ASSERT_TRUE(fs::is_directory(packaging)) << packaging;
  EXPECT_EQ(ReadAll(packaging / "pebbledrome-game.xml"),
            xdg::MimeTypeXml(kSavedGameExtension, kSavedGameTypeName, kSavedGameIconIndex, kSavedGameTypeDescription));
  EXPECT_EQ(ReadAll(packaging / "pebbledrome.desktop"),
            xdg::ApplicationEntry("pebbledrome", xdg::MimeTypeFor(kSavedGameTypeName)));
}

#else

#include <gtest/gtest.h>

TEST(ShellXdg, OnlyOutsideWindows) {
  GTEST_SKIP() << "desktop entries and MIME types of XDG desktops; the shell tests cover Windows";
}

#endif  // _WIN32

// The system services beside the store: window-placement rules, picture
// centring, text splitting, names, versions, folders and starting programs.

#ifndef _WIN32

#include <gtest/gtest.h>

#include <limits>

#include "config/store_fixture.h"
#include "config/system_services.h"

namespace pebble {
namespace {

using test::ReadText;
using test::TempConfigDirs;
using test::WriteText;

TEST(SystemServices, WindowSectionDropsALeadingFrm) {
  const std::pair<const char*, const char*> cases[] = {
      {"frmHints", "Hints"}, {"frmCountDown", "CountDown"}, {"Hints", "Hints"},
      {"FrmHints", "FrmHints"}, {"frm", ""}, {"xfrmA", "xfrmA"},
  };
  for (const auto& [name, section] : cases) EXPECT_EQ(WindowSectionName(name), section) << name;
}

TEST(SystemServices, AWindowOutOfReachIsMovedOntoTheNearestScreen) {
  const std::vector<ScreenRect> screens = {{0, 0, 1920, 1050}, {1920, 0, 1280, 1000}};
  struct Case {
    ScreenRect wanted;
    ScreenRect placed;
  };
  const Case cases[] = {
      {{100, 100, 300, 200}, {100, 100, 300, 200}},      // fully visible: as stored
      {{1800, 100, 300, 200}, {1800, 100, 300, 200}},    // across two screens
      {{-230, 100, 300, 200}, {-230, 100, 300, 200}},    // 70 px showing: enough to grab
      {{-280, 100, 300, 200}, {0, 100, 300, 200}},       // 20 px showing: too little
      {{100, -10, 300, 200}, {100, 0, 300, 200}},        // top edge above the screen
      {{100, 1040, 300, 200}, {100, 850, 300, 200}},     // only its top edge showing
      {{5000, 300, 300, 200}, {2900, 300, 300, 200}},    // a screen that is gone: onto the nearest
      {{-9000, -9000, 300, 200}, {0, 0, 300, 200}},
      {{4000, 100, 2000, 1200}, {1920, 0, 2000, 1200}},  // larger than the screen: its corner shows
  };
  for (const auto& c : cases) {
    const ScreenRect placed = KeepReachable(c.wanted, screens);
    EXPECT_EQ(placed, c.placed) << c.wanted.left << "," << c.wanted.top << " -> " << placed.left << ","
                                << placed.top;
  }
  EXPECT_EQ(KeepReachable({-5000, 0, 10, 10}, {}), (ScreenRect{-5000, 0, 10, 10}));
}

TEST(SystemServices, AStoredPlacementIsBroughtIntoASaneRangeBeforeAnyArithmetic) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  struct Case {
    ScreenRect stored, sane;
  };
  const Case cases[] = {
      {{100, -20, 300, 200}, {100, -20, 300, 200}},  // ordinary, off the top: as stored
      {{kMax, kMax, kMax, kMax}, {kPlacementLimit, kPlacementLimit, kPlacementLimit, kPlacementLimit}},
      {{kMin, kMin, kMin, kMin}, {-kPlacementLimit, -kPlacementLimit, 0, 0}},
      {{kPlacementLimit, -kPlacementLimit, 0, kPlacementLimit},
       {kPlacementLimit, -kPlacementLimit, 0, kPlacementLimit}},
      {{kPlacementLimit + 1, -kPlacementLimit - 1, -1, kPlacementLimit + 1},
       {kPlacementLimit, -kPlacementLimit, 0, kPlacementLimit}},
  };
  for (const auto& c : cases) {
    const ScreenRect sane = SaneStoredPlacement(c.stored);
    EXPECT_EQ(sane, c.sane) << c.stored.left << "," << c.stored.top << " " << c.stored.width << "x"
                            << c.stored.height;
    // Every sum the placement rules form stays far inside the integer range.
    EXPECT_LE(std::int64_t{sane.left} + sane.width, std::int64_t{2} * kPlacementLimit);
  }
  const std::vector<ScreenRect> screens = {{0, 0, 1920, 1050}};
  const ScreenRect placed = KeepReachable(SaneStoredPlacement({kMax, kMax, 300, 200}), screens);
  EXPECT_EQ(placed, (ScreenRect{1620, 850, 300, 200}));
}

TEST(SystemServices, ParseSplitsAtTheFirstSeparatorCharacter) {
  using Pieces = std::vector<std::string>;
  EXPECT_EQ(Parse("a;b;c", ";"), (Pieces{"a", "b", "c"}));
  EXPECT_EQ(Parse("a;;b", ";,"), (Pieces{"a", "", "b"}));
  EXPECT_EQ(Parse("a;b;", ";"), (Pieces{"a", "b"}));
  EXPECT_EQ(Parse(";a", ";"), (Pieces{"", "a"}));
  EXPECT_EQ(Parse("", ";"), Pieces{});
  EXPECT_EQ(Parse("a,b", ";"), (Pieces{"a,b"}));
}

TEST(SystemServices, ComputerNameIsAtMostFifteenCharacters) {
  EXPECT_EQ(ComputerNameFromHost("spielrechner.example.org"), "spielrechner");
  EXPECT_EQ(ComputerNameFromHost("a-very-long-host-name-indeed"), "a-very-long-hos");
  EXPECT_EQ(ComputerNameFromHost("äöüäöüäöüäöüäöüäöü"), "äöüäöüäöüäöüäöü");
  const std::string name = ComputerName();
  EXPECT_FALSE(name.empty());
  EXPECT_LE(name.size(), 15u);
}

TEST(SystemServices, VersionStringsOfTheProgramComeFromTheBuild) {
  EXPECT_EQ(ProcessVersion(ProgramPath(), "ProductVersion"), PEBBLE_VERSION_STRING);
  EXPECT_EQ(ProcessVersion("", "FileVersion"), PEBBLE_VERSION_STRING);
  EXPECT_EQ(getVersionInfo(ProgramPath(), 6), "Pebbledrome");
  EXPECT_EQ(getVersionInfo(ProgramPath(), 8), "");
  EXPECT_EQ(getVersionInfo(ProgramPath(), -1), "");
  EXPECT_EQ(ProcessVersion(ProgramPath(), "NoSuchString"), "");
  EXPECT_EQ(ProcessVersion("/bin/sh", "ProductVersion"), "") << "other programs carry no version here";
}

TEST(SystemServices, SpecialFoldersFollowXdgUserDirs) {
  TempConfigDirs dirs;
  const char* oldHome = getenv("HOME");
  const std::string savedHome = oldHome ? oldHome : "";
  setenv("HOME", "/home/spieler", 1);
  WriteText(dirs.Root() / "home" / "user-dirs.dirs",
            "# written by xdg-user-dirs-update\n"
            "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
            "XDG_MUSIC_DIR=\"/daten/Musik\"\n");
  EXPECT_EQ(getSpecialFolder(kFolderDesktopDirectory), "/home/spieler/Schreibtisch");
  EXPECT_EQ(getSpecialFolder(kFolderDesktop), "/home/spieler/Schreibtisch");
  EXPECT_EQ(getSpecialFolder(kFolderMyMusic), "/daten/Musik");
  EXPECT_EQ(getSpecialFolder(kFolderMyPictures), "/home/spieler");
  EXPECT_EQ(getSpecialFolder(kFolderAppData), (dirs.Root() / "home").string());
  EXPECT_EQ(getSpecialFolder(kFolderProfile), "/home/spieler");
  EXPECT_EQ(getSpecialFolder(0x7777), "");
  std::filesystem::remove(dirs.Root() / "home" / "user-dirs.dirs");
  EXPECT_EQ(getSpecialFolder(kFolderDesktopDirectory), "/home/spieler/Desktop");
  if (oldHome) setenv("HOME", savedHome.c_str(), 1);
  else unsetenv("HOME");
}

TEST(SystemServices, RunProgStartsAProgramInItsFolderAndWaits) {
  TempConfigDirs dirs;
  const auto folder = dirs.Root().string();
  EXPECT_TRUE(RunProg("sh", "-c \"pwd > ausgabe.txt\"", 5000, false, folder));
  EXPECT_EQ(ReadText(dirs.Root() / "ausgabe.txt"), folder + "\n");
  EXPECT_FALSE(RunProg("/no/such/program", "", 100, false, folder));
  EXPECT_FALSE(RunProg("sh", "-c true", 100, false, "/no/such/folder"));
}

TEST(SystemServices, PathHelpersWithoutShortNames) {
  EXPECT_EQ(MakeLongPath("/home/p/Bilder/"), "/home/p/Bilder");
  EXPECT_EQ(MakeLongPath("/"), "/");
  EXPECT_EQ(getDosFileName("/home/p/Bilder/Möwe.jpg"), "/home/p/Bilder/Möwe.jpg");
  EXPECT_EQ(getFileExtDescr(".clk"), "%%notfound%%");
}

}  // namespace
}  // namespace pebble

#else

#include <gtest/gtest.h>

TEST(StoreFileServices, OnlyOutsideWindows) {
  GTEST_SKIP() << "store services checked against the settings file text; the registry tests cover them on Windows";
}

#endif  // _WIN32

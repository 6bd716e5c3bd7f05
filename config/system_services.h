#pragma once
// The small platform services around the settings store that need no window
// system: window-placement rules, version strings, the computer's name, special
// folders and a few helpers the game itself does not call.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pebble {

// --- window placement ---

struct ScreenRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool operator==(const ScreenRect&) const = default;
};

// The store section of a window: its component name without a leading "frm".
std::string WindowSectionName(std::string_view componentName);

// Where a window restored at `wanted` can be reached by the player: unchanged
// while a good part of it, its top edge included, lies on one of the screens
// (their available areas); otherwise moved, in its size, onto the screen
// nearest to it, or onto the first screen. No screens: unchanged.
ScreenRect KeepReachable(const ScreenRect& wanted, const std::vector<ScreenRect>& screens);

// The furthest a stored window coordinate may lie from the origin, and the
// largest stored width or height: what any window system can show, and small
// enough that no sum of two of them can overflow.
constexpr std::int32_t kPlacementLimit = 32767;
// A placement read from the settings brought into that range before anything
// is computed with it: a damaged or edited file may hold any number.
ScreenRect SaneStoredPlacement(const ScreenRect& stored);

// --- text ---

// Splits text at each occurrence of the first character of separator; two
// separators in a row give an empty piece, a trailing one gives none.
std::vector<std::string> Parse(std::string_view text, std::string_view separator);

// --- version strings ---

// The string named stringName ("ProductVersion", "FileVersion", ...) of the
// file's version information; empty when it has none. The program's own file
// (or an empty name) answers from the build.
std::string ProcessVersion(const std::string& fileName, std::string_view stringName);
// The same with the name chosen by kind: 0 CompanyName, 1 FileDescription,
// 2 FileVersion, 3 InternalName, 4 LegalCopyright, 5 OriginalFilename,
// 6 ProductName, 7 ProductVersion; any other kind gives an empty string.
std::string getVersionInfo(const std::string& fileName, int kind);
// The program's own version information, as the build made it.
std::string BuildVersionInfo(std::string_view stringName);

// --- the computer and its folders ---

constexpr int kMaxComputerNameLength = 15;
// The computer's network name, at most 15 characters; empty when unknown.
std::string ComputerName();
// The first label of a host name, cut to 15 characters.
std::string ComputerNameFromHost(std::string_view hostName);

// Shell folder identifiers of the Windows shell, understood on every platform.
enum SpecialFolder : int {
  kFolderDesktop = 0x0000,
  kFolderPersonal = 0x0005,  // documents
  kFolderMyMusic = 0x000D,
  kFolderMyVideo = 0x000E,
  kFolderDesktopDirectory = 0x0010,
  kFolderTemplates = 0x0015,
  kFolderAppData = 0x001A,
  kFolderLocalAppData = 0x001C,
  kFolderMyPictures = 0x0027,
  kFolderProfile = 0x0028,
};
// The folder's path; empty when the platform has no such folder. Elsewhere than
// on Windows the folders of xdg-user-dirs are used.
std::string getSpecialFolder(int folderId);

// The description of a file type registered for an extension (".clk"), or
// "%%notfound%%".
std::string getFileExtDescr(std::string_view extension);

// Starts program with its parameters (split at blanks, double quotes group) in
// workingFolder (the program's own folder when empty) and waits up to waitMs
// for it to end. True when the process was started.
bool RunProg(const std::string& program, const std::string& parameters, std::uint32_t waitMs, bool minimised,
             const std::string& workingFolder);

// The long form of a path without a trailing separator, and its short (8.3)
// form; where the file system has no short names both are the path itself.
std::string MakeLongPath(const std::string& path);
std::string getDosFileName(const std::string& path);

// The program's own file.
std::string ProgramPath();

}  // namespace pebble

#pragma once
// How the game ties itself into the desktop: the saved-game file type, so that
// opening a ".clk" file starts the game with it, and a shortcut on the desktop.
// On Windows these are registry keys and a shell link; on the desktops of
// freedesktop.org they are a MIME type and desktop entries in the player's data
// folders.

#include <string>
#include <string_view>

namespace pebble {

// The saved-game file type as the game registers it.
constexpr std::string_view kSavedGameExtension = ".clk";
constexpr std::string_view kSavedGameTypeName = "Pebbledrome.Game";
constexpr std::string_view kSavedGameTypeDescription = "Pebbledrome game";
constexpr int kSavedGameIconIndex = 2;  // the saved-game icon among the program's icons

// The desktop shortcut's name; its description is the text kShortcutDescription.
constexpr std::string_view kShortcutName = "Pebbledrome";

// A shell link takes texts of at most this many bytes.
constexpr std::size_t kMaxLinkTextBytes = 300;

// The player's desktop folder; empty when the desktop names none.
std::string GetDesktopFolder();

enum class LinkResult {
  Created,            // made, or an older shortcut of that name replaced
  FolderUnreachable,  // the folder does not exist or is no folder
  Failed,             // the shortcut could not be made there
};

// A shortcut called name in folder that starts target with arguments, in the
// folder of target, described by description. An existing shortcut of that
// name is replaced, never doubled.
LinkResult CreateLnk(const std::string& target, const std::string& arguments, const std::string& folder,
                     const std::string& description, const std::string& name);

// Registers extension as a file of type typeName (described by description,
// shown with the program's icon iconIndex) that the program opens: the shell
// passes the opened file as the program's quoted first argument. Made again,
// it replaces what it made before. Reports nothing.
void RegisterFileType(std::string_view extension, std::string_view typeName, int iconIndex,
                      std::string_view description);
// The same for the program at programPath; false when something could not be
// written.
bool RegisterFileTypeFor(const std::string& programPath, std::string_view extension, std::string_view typeName,
                         int iconIndex, std::string_view description);

// Puts one size of one of the program's icons (PNG bytes) into the player's
// icon theme, where the file type and the shortcut find it; false when it
// could not be written. Windows takes the icons from the program file.
bool InstallIconPicture(int iconIndex, int size, std::string_view png);

}  // namespace pebble

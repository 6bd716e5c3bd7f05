#pragma once
// The desktop's own form of the saved-game file type and of the shortcut on
// freedesktop.org desktops: a MIME type, desktop entries, the icons they name,
// and the folders they live in. Texts and paths only; shell.cpp writes them.

#include <optional>
#include <string>
#include <string_view>

namespace pebble::xdg {

// The name of the program's desktop entry (without ".desktop"); the installed
// package uses it too, so the player's own entry takes its place, never a
// second one beside it.
constexpr std::string_view kDesktopId = "pebbledrome";

// The program's icons by their index among the program's icons, as icon-theme
// names: where the picture goes in a theme ("apps", "mimetypes") and which
// built-in picture it is.
struct ProgramIcon {
  int index;
  std::string_view themeName;
  std::string_view themeContext;
  std::string_view picture;
};
constexpr ProgramIcon kProgramIcons[] = {
    {0, "pebbledrome", "apps", "Mainicon"},
    {2, "application-x-pebbledrome-game", "mimetypes", "ZFILEICO1"},
};
// The sizes the pictures come in, square, in pixels.
constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

std::optional<ProgramIcon> IconByIndex(int iconIndex);

// "Pebbledrome.Game" gives "application/x-pebbledrome-game".
std::string MimeTypeFor(std::string_view typeName);
// The file the MIME type is described in: "pebbledrome-game.xml".
std::string MimePackageFileName(std::string_view typeName);

// A text as the value of a desktop entry key (backslashes, line breaks and
// tabs escaped).
std::string EscapeValue(std::string_view text);
// The Exec value that starts program (quoted, so any path works) followed by
// argumentsTail, which is written in the Exec syntax already ("%f", "-x").
std::string ExecValue(std::string_view program, std::string_view argumentsTail);

// The MIME type of files ending in extension, shown with the icon iconIndex.
std::string MimeTypeXml(std::string_view extension, std::string_view typeName, int iconIndex,
                        std::string_view description);

// The program's desktop entry, the handler of mimeType: opening a file of that
// type starts program with the file as its only argument. programCommand is
// the program's path, or its bare name where the program is on the PATH.
std::string ApplicationEntry(std::string_view programCommand, std::string_view mimeType);

// A desktop shortcut that starts target with arguments in workingFolder.
std::string ShortcutEntry(std::string_view target, std::string_view arguments, std::string_view workingFolder,
                          std::string_view description, std::string_view name);

// The folder of target with a trailing separator: the working folder of the
// shortcut.
std::string FolderOf(std::string_view target);

// The player's data folder ($XDG_DATA_HOME, else ~/.local/share); empty when
// neither is known.
std::string DataHome();

}  // namespace pebble::xdg

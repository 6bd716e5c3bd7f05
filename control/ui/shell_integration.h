#pragma once
// What the main window calls to tie the game into the desktop:
//   L key:       MakeShortcutAndRegister(this, languageOffset)
//   activation:  RunFirstRunActions(this, {newVersionStart, FirstStart, languageOffset, game number})
// and for help (F1, the help button): ShowHelp of control/ui/help_window.h.

#include <string>

#include "config/system_services.h"
#include "control/shell.h"
#include "control/shell_first_run.h"

class QWidget;

namespace pebble::ui {

// Puts the program's icons into the player's icon theme (not needed on
// Windows, whose shell takes them from the program file).
void InstallShellIcons();

// Lets the desktop see a new file type and desktop entries at once: runs
// update-mime-database and update-desktop-database on the player's data
// folders when they are installed, one after the other, while the game goes
// on. Asked again meanwhile, they run once more after the present round.
void RefreshDesktopDatabases();
// Waits until the tools have finished (tests); false when the time ran out.
bool WaitForDesktopRefresh(int milliseconds);

// The desktop shortcut to the program, described in the game's language.
LinkResult CreateDesktopShortcut(int languageOffset, const std::string& programPath = ProgramPath());

// The ".clk" file type, opened by the program; reports nothing.
void RegisterSavedGameType(const std::string& programPath = ProgramPath());

// The L key: the desktop shortcut, then the file type. When the shortcut
// cannot be made the player is told; when the desktop folder cannot be
// reached the file type is left as it was.
void MakeShortcutAndRegister(QWidget* window, int languageOffset);

// To be called at every activation of the main window; see
// control/shell_first_run.h. The window keeps what the actions need to
// remember.
void RunFirstRunActions(QWidget* mainWindow, const FirstRunFacts& facts);

}  // namespace pebble::ui

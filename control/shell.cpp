// The desktop side of the file type and the shortcut on freedesktop.org
// desktops; Windows has its own in shell_win.cpp.

#include "control/shell.h"

#include "config/system_services.h"

#ifndef _WIN32

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "control/shell_xdg.h"

namespace pebble {
namespace fs = std::filesystem;

namespace {

fs::path Utf8Path(std::string_view text) { return fs::path(std::u8string(text.begin(), text.end())); }

// Writes the file whole or not at all: a desktop reading it meanwhile sees the
// old one or the new one, never half of either.
bool ReplaceFile(const fs::path& file, std::string_view content, fs::perms perms) {
  std::error_code ec;
  fs::create_directories(file.parent_path(), ec);
  fs::path temporary = file;
  temporary += ".new-" + std::to_string(getpid());
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.flush();
    if (!out) {
      fs::remove(temporary, ec);
      return false;
    }
  }
  fs::permissions(temporary, perms, ec);
  fs::rename(temporary, file, ec);
  if (ec) fs::remove(temporary, ec);
  return !ec;
}

constexpr fs::perms kDataFile = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                fs::perms::others_read;
// Desktops start only launchers the player may execute.
constexpr fs::perms kLauncherFile = kDataFile | fs::perms::owner_exec | fs::perms::group_exec |
                                    fs::perms::others_exec;

}  // namespace

LinkResult CreateLnk(const std::string& target, const std::string& arguments, const std::string& folder,
                     const std::string& description, const std::string& name) {
  std::error_code ec;
  if (folder.empty() || !fs::is_directory(Utf8Path(folder), ec)) return LinkResult::FolderUnreachable;
  const std::string entry = xdg::ShortcutEntry(target, arguments, xdg::FolderOf(target), description, name);
  const fs::path file = Utf8Path(folder) / Utf8Path(name + ".desktop");
  return ReplaceFile(file, entry, kLauncherFile) ? LinkResult::Created : LinkResult::Failed;
}

bool RegisterFileTypeFor(const std::string& programPath, std::string_view extension, std::string_view typeName,
                         int iconIndex, std::string_view description) {
  const std::string dataHome = xdg::DataHome();
  if (dataHome.empty() || programPath.empty()) return false;
  const fs::path data = Utf8Path(dataHome);
  const bool mimeWritten = ReplaceFile(data / "mime" / "packages" / xdg::MimePackageFileName(typeName),
                                       xdg::MimeTypeXml(extension, typeName, iconIndex, description), kDataFile);
  const bool entryWritten =
      ReplaceFile(data / "applications" / (std::string(xdg::kDesktopId) + ".desktop"),
                  xdg::ApplicationEntry(programPath, xdg::MimeTypeFor(typeName)), kDataFile);
  return mimeWritten && entryWritten;
}

bool InstallIconPicture(int iconIndex, int size, std::string_view png) {
  const auto icon = xdg::IconByIndex(iconIndex);
  const std::string dataHome = xdg::DataHome();
  if (!icon || dataHome.empty()) return false;
  const std::string sizeFolder = std::to_string(size) + "x" + std::to_string(size);
  const fs::path file = Utf8Path(dataHome) / "icons" / "hicolor" / sizeFolder / std::string(icon->themeContext) /
                        (std::string(icon->themeName) + ".png");
  return ReplaceFile(file, png, kDataFile);
}

}  // namespace pebble

#else  // _WIN32

namespace pebble {

bool InstallIconPicture(int, int, std::string_view) { return true; }

}  // namespace pebble

#endif

namespace pebble {

std::string GetDesktopFolder() { return getSpecialFolder(kFolderDesktop); }

void RegisterFileType(std::string_view extension, std::string_view typeName, int iconIndex,
                      std::string_view description) {
  RegisterFileTypeFor(ProgramPath(), extension, typeName, iconIndex, description);
}

}  // namespace pebble

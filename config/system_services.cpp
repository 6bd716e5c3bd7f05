#include "config/system_services.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#ifdef _WIN32
#include <shlobj.h>

#include "config/registry_win_text.h"
#else
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#ifndef PEBBLE_VERSION_STRING
#define PEBBLE_VERSION_STRING "0.0.0"
#endif

#ifndef _WIN32
extern char** environ;
#endif

namespace pebble {
namespace fs = std::filesystem;

namespace {

// A window counts as reachable when this much of its top edge is on a screen.
constexpr std::int32_t kMinVisibleWidth = 64;
constexpr std::int32_t kMinVisibleHeight = 32;

constexpr std::array<std::string_view, 8> kVersionStringNames = {
    "CompanyName",     "FileDescription",  "FileVersion", "InternalName",
    "LegalCopyright",  "OriginalFilename", "ProductName", "ProductVersion"};

constexpr std::string_view kNotFound = "%%notfound%%";

std::int64_t Right(const ScreenRect& r) { return std::int64_t{r.left} + r.width; }
std::int64_t Bottom(const ScreenRect& r) { return std::int64_t{r.top} + r.height; }

bool TopEdgeOn(const ScreenRect& w, const ScreenRect& screen) {
  const std::int64_t needWidth = std::min<std::int64_t>(std::max(w.width, 1), kMinVisibleWidth);
  const std::int64_t needHeight = std::min<std::int64_t>(std::max(w.height, 1), kMinVisibleHeight);
  const std::int64_t overlap = std::min(Right(w), Right(screen)) - std::max(w.left, screen.left);
  return w.top >= screen.top && w.top + needHeight <= Bottom(screen) && overlap >= needWidth;
}

std::int64_t DistanceSquared(const ScreenRect& w, const ScreenRect& screen) {
  const std::int64_t cx = std::int64_t{w.left} + w.width / 2;
  const std::int64_t cy = std::int64_t{w.top} + w.height / 2;
  const std::int64_t dx = cx < screen.left ? screen.left - cx : (cx > Right(screen) ? cx - Right(screen) : 0);
  const std::int64_t dy = cy < screen.top ? screen.top - cy : (cy > Bottom(screen) ? cy - Bottom(screen) : 0);
  return dx * dx + dy * dy;
}

std::int32_t ClampInto(std::int32_t pos, std::int32_t size, std::int32_t start, std::int32_t extent) {
  if (size >= extent) return start;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(pos, start, std::int64_t{start} + extent - size));
}

fs::path Utf8Path(const std::string& text) { return fs::path(std::u8string(text.begin(), text.end())); }

std::string Utf8Text(const fs::path& path) {
  const auto text = path.u8string();
  return std::string(text.begin(), text.end());
}

bool IsOwnProgram(const std::string& fileName) {
  if (fileName.empty()) return true;
  std::error_code ec;
  return fs::equivalent(Utf8Path(fileName), Utf8Path(ProgramPath()), ec) && !ec;
}

#ifndef _WIN32
std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  return home ? home : "";
}

std::string EnvOr(const char* name, const std::string& fallback) {
  const char* value = std::getenv(name);
  return (value && value[0] == '/') ? std::string(value) : fallback;
}

// A blank-separated parameter text, double quotes grouping blanks into one.
std::vector<std::string> SplitParameters(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false, inWord = false;
  for (char c : text) {
    if (c == '"') {
      quoted = !quoted;
      inWord = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

// The folder that xdg-user-dirs configures under `key` (DESKTOP, MUSIC, ...).
std::string XdgUserDir(const std::string& key, const std::string& fallback) {
  const std::string home = HomeFolder();
  const std::string configHome = EnvOr("XDG_CONFIG_HOME", home + "/.config");
  const std::string variable = "XDG_" + key + "_DIR";
  std::ifstream file(configHome + "/user-dirs.dirs");
  for (std::string line; std::getline(file, line);) {
    if (!line.starts_with(variable + "=")) continue;
    std::string value = line.substr(variable.size() + 1);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    if (value.starts_with("$HOME")) value = home + value.substr(5);
    if (!value.empty() && value[0] == '/') return value;
  }
  return EnvOr(variable.c_str(), fallback);
}
#endif

}  // namespace

std::string WindowSectionName(std::string_view componentName) {
  if (componentName.starts_with("frm")) componentName.remove_prefix(3);
  return std::string(componentName);
}

ScreenRect KeepReachable(const ScreenRect& wanted, const std::vector<ScreenRect>& screens) {
  if (screens.empty()) return wanted;
  for (const auto& screen : screens) {
    if (TopEdgeOn(wanted, screen)) return wanted;
  }
  const auto nearest = std::min_element(screens.begin(), screens.end(), [&](const auto& a, const auto& b) {
    return DistanceSquared(wanted, a) < DistanceSquared(wanted, b);
  });
  ScreenRect moved = wanted;
  moved.left = ClampInto(wanted.left, wanted.width, nearest->left, nearest->width);
  moved.top = ClampInto(wanted.top, wanted.height, nearest->top, nearest->height);
  return moved;
}

ScreenRect SaneStoredPlacement(const ScreenRect& stored) {
  const auto coordinate = [](std::int32_t v) { return std::clamp(v, -kPlacementLimit, kPlacementLimit); };
  const auto extent = [](std::int32_t v) { return std::clamp(v, 0, kPlacementLimit); };
  return {coordinate(stored.left), coordinate(stored.top), extent(stored.width), extent(stored.height)};
}

std::vector<std::string> Parse(std::string_view text, std::string_view separator) {
  std::vector<std::string> pieces;
  if (text.empty()) return pieces;
  if (separator.empty()) return {std::string(text)};
  const char sep = separator.front();
  std::size_t start = 0;
  for (std::size_t cut; (cut = text.find(sep, start)) != std::string_view::npos; start = cut + 1) {
    pieces.emplace_back(text.substr(start, cut - start));
  }
  if (start < text.size()) pieces.emplace_back(text.substr(start));
  return pieces;
}

std::string BuildVersionInfo(std::string_view stringName) {
  if (stringName == "CompanyName") return "Varnex-Soft";
  if (stringName == "FileDescription") return "Pebbledrome!";
  if (stringName == "FileVersion" || stringName == "ProductVersion") return PEBBLE_VERSION_STRING;
  if (stringName == "InternalName" || stringName == "ProductName") return "Pebbledrome";
  if (stringName == "LegalCopyright") return "Copyright \xC2\xA9 Varnex-Soft";
#ifdef _WIN32
  if (stringName == "OriginalFilename") return "pebbledrome.exe";
#else
  if (stringName == "OriginalFilename") return "pebbledrome";
#endif
  return {};
}

std::string getVersionInfo(const std::string& fileName, int kind) {
  if (kind < 0 || kind >= static_cast<int>(kVersionStringNames.size())) return {};
  return ProcessVersion(fileName, kVersionStringNames[static_cast<std::size_t>(kind)]);
}

std::string ComputerNameFromHost(std::string_view hostName) {
  hostName = hostName.substr(0, hostName.find('.'));
  std::string name;
  int characters = 0;
  for (char c : hostName) {
    const bool startsCharacter = (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    if (startsCharacter && ++characters > kMaxComputerNameLength) break;
    name += c;
  }
  return name;
}

#ifdef _WIN32

std::string ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return Utf8FromWide(path);
    }
    path.resize(path.size() * 2);
  }
}

std::string ProcessVersion(const std::string& fileName, std::string_view stringName) {
  const std::wstring file = WideFromUtf8(fileName.empty() ? ProgramPath() : fileName);
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &handle);
  std::vector<char> info(size);
  struct Translation {
    WORD language;
    WORD codePage;
  }* translation = nullptr;
  UINT length = 0;
  if (size == 0 || !GetFileVersionInfoW(file.c_str(), 0, size, info.data()) ||
      !VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) ||
      length < sizeof(Translation)) {
    return IsOwnProgram(fileName) ? BuildVersionInfo(stringName) : std::string();
  }
  wchar_t code[16];
  swprintf(code, 16, L"%04X%04X", translation->language, translation->codePage);
  const std::wstring query = L"\\StringFileInfo\\" + std::wstring(code) + L"\\" + WideFromUtf8(stringName);
  wchar_t* value = nullptr;
  if (!VerQueryValueW(info.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) || !value) return {};
  return Utf8FromWide(std::wstring_view(value, length > 0 ? length - 1 : 0));
}

std::string ComputerName() {
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1];
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  if (!GetComputerNameW(name, &size)) return {};
  return ComputerNameFromHost(Utf8FromWide(std::wstring_view(name, size)));
}

std::string getSpecialFolder(int folderId) {
  wchar_t path[MAX_PATH];
  if (FAILED(SHGetFolderPathW(nullptr, folderId, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  return Utf8FromWide(path);
}

std::string getFileExtDescr(std::string_view extension) {
  auto defaultValue = [](const std::wstring& key) -> std::wstring {
    wchar_t data[1024];
    DWORD size = sizeof data;
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
      return {};
    return data;
  };
  const std::wstring typeName = defaultValue(WideFromUtf8(extension));
  const std::wstring description = typeName.empty() ? std::wstring() : defaultValue(typeName);
  return description.empty() ? std::string(kNotFound) : Utf8FromWide(description);
}

bool RunProg(const std::string& program, const std::string& parameters, std::uint32_t waitMs, bool minimised,
             const std::string& workingFolder) {
  std::wstring commandLine = WideFromUtf8(program + " " + parameters);
  std::string upper = program;
  std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
  std::wstring title = WideFromUtf8("Pebbledrome!'s running " + upper);
  const std::string folder =
      workingFolder.empty() ? Utf8Text(Utf8Path(ProgramPath()).parent_path()) : workingFolder;
  const std::wstring wideFolder = WideFromUtf8(folder);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.lpTitle = title.data();
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = minimised ? SW_SHOWMINIMIZED : SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                      wideFolder.c_str(), &startup, &process)) {
    return false;
  }
  WaitForSingleObject(process.hProcess, waitMs);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

std::string MakeLongPath(const std::string& path) {
  const std::wstring wide = WideFromUtf8(path);
  std::wstring longPath(32768, L'\0');
  const DWORD n = GetLongPathNameW(wide.c_str(), longPath.data(), static_cast<DWORD>(longPath.size()));
  longPath = (n == 0 || n >= longPath.size()) ? wide : longPath.substr(0, n);
  if (longPath.size() > 3 && (longPath.back() == L'\\' || longPath.back() == L'/')) longPath.pop_back();
  return Utf8FromWide(longPath);
}

std::string getDosFileName(const std::string& path) {
  const std::wstring wide = WideFromUtf8(path);
  wchar_t shortPath[261];
  const DWORD n = GetShortPathNameW(wide.c_str(), shortPath, 261);
  if (n == 0 || n >= 261) return {};
  return Utf8FromWide(std::wstring_view(shortPath, n));
}

#else  // the XDG desktop

std::string ProgramPath() {
  std::error_code ec;
  const auto path = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : path.string();
}

std::string ProcessVersion(const std::string& fileName, std::string_view stringName) {
  // Programs here carry no version resource; only our own version is known.
  return IsOwnProgram(fileName) ? BuildVersionInfo(stringName) : std::string();
}

std::string ComputerName() {
  char host[256] = {};
  if (gethostname(host, sizeof host - 1) != 0) return {};
  return ComputerNameFromHost(host);
}

std::string getSpecialFolder(int folderId) {
  const std::string home = HomeFolder();
  if (home.empty()) return {};
  switch (folderId) {
    case kFolderDesktop:
    case kFolderDesktopDirectory: return XdgUserDir("DESKTOP", home + "/Desktop");
    case kFolderPersonal: return XdgUserDir("DOCUMENTS", home);
    case kFolderMyMusic: return XdgUserDir("MUSIC", home);
    case kFolderMyVideo: return XdgUserDir("VIDEOS", home);
    case kFolderMyPictures: return XdgUserDir("PICTURES", home);
    case kFolderTemplates: return XdgUserDir("TEMPLATES", home);
    case kFolderAppData: return EnvOr("XDG_CONFIG_HOME", home + "/.config");
    case kFolderLocalAppData: return EnvOr("XDG_DATA_HOME", home + "/.local/share");
    case kFolderProfile: return home;
    default: return {};
  }
}

std::string getFileExtDescr(std::string_view) {
  // File types live in the MIME database here, which keeps no such description per extension.
  return std::string(kNotFound);
}

bool RunProg(const std::string& program, const std::string& parameters, std::uint32_t waitMs, bool /*minimised*/,
             const std::string& workingFolder) {
  std::vector<std::string> args = SplitParameters(parameters);
  args.insert(args.begin(), program);
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const std::string folder =
      workingFolder.empty() ? Utf8Text(Utf8Path(ProgramPath()).parent_path()) : workingFolder;

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  pid_t pid = 0;
  const int failed = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) return false;

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

std::string MakeLongPath(const std::string& path) {
  std::string result = path;
  if (result.size() > 1 && result.back() == '/') result.pop_back();
  return result;
}

std::string getDosFileName(const std::string& path) { return path; }

#endif

}  // namespace pebble

// The shell integration on Windows: the saved-game file type in the classes
// registry, the desktop shortcut read back through the shell's own link
// object, and the program's icons and version as the shell sees them.

#include <gtest/gtest.h>

#ifdef _WIN32

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "config/registry_win_text.h"
#include "control/shell.h"

namespace pebble {
namespace {

namespace fs = std::filesystem;

std::wstring DefaultValue(HKEY root, const std::wstring& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) return L"<no key>";
  wchar_t text[1024] = {};
  DWORD size = sizeof(text) - sizeof(wchar_t);
  DWORD type = 0;
  const LSTATUS status = RegQueryValueExW(handle, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
  RegCloseKey(handle);
  return status == ERROR_SUCCESS && type == REG_SZ ? std::wstring(text) : L"<no value>";
}

std::wstring ThisProgram() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

// The file type goes to the machine's classes, or for a player without the
// rights for them to the player's own; the shell merges both.
TEST(ShellWindows, TheSavedGameFileTypeOpensWithTheGameAndShowsItsIcon) {
  const std::string program = "C:\\Spiele\\Pebbledrome\\pebbledrome.exe";
  ASSERT_TRUE(RegisterFileTypeFor(program, kSavedGameExtension, kSavedGameTypeName, kSavedGameIconIndex,
                                  kSavedGameTypeDescription));
  EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, L".clk"), L"Pebbledrome.Game");
  EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, L"Pebbledrome.Game"), L"Pebbledrome game");
  EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, L"Pebbledrome.Game\\DefaultIcon"),
            L"C:\\Spiele\\Pebbledrome\\pebbledrome.exe,2");
  EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, L"Pebbledrome.Game\\Shell\\open\\command"),
            L"\"C:\\Spiele\\Pebbledrome\\pebbledrome.exe\" \"%1\"");

  // Made again for a moved program, it replaces what it made.
  ASSERT_TRUE(RegisterFileTypeFor("D:\\Zo\u00eb\\pebbledrome.exe", kSavedGameExtension, kSavedGameTypeName,
                                  kSavedGameIconIndex, kSavedGameTypeDescription));
  EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, L"Pebbledrome.Game\\DefaultIcon"), L"D:\\Zo\u00EB\\pebbledrome.exe,2");
}

class ScratchDesktop {
 public:
  ScratchDesktop() : path_(fs::temp_directory_path() / ("pebble-desk-" + std::to_string(std::random_device{}()))) {
    fs::create_directories(path_);
  }
  ~ScratchDesktop() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  std::string Utf8() const {
    const auto text = path_.u8string();
    return std::string(text.begin(), text.end());
  }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

struct LinkFields {
  std::wstring path, arguments, folder, description;
};

LinkFields ReadLink(const fs::path& file) {
  LinkFields fields;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IShellLinkW* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link)))) {
    IPersistFile* persist = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
      if (SUCCEEDED(persist->Load(file.wstring().c_str(), STGM_READ))) {
        wchar_t text[MAX_PATH * 2] = {};
        if (SUCCEEDED(link->GetPath(text, MAX_PATH * 2, nullptr, SLGP_RAWPATH))) fields.path = text;
        if (SUCCEEDED(link->GetArguments(text, MAX_PATH * 2))) fields.arguments = text;
        if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH * 2))) fields.folder = text;
        if (SUCCEEDED(link->GetDescription(text, MAX_PATH * 2))) fields.description = text;
      }
      persist->Release();
    }
    link->Release();
  }
  CoUninitialize();
  return fields;
}

TEST(ShellWindows, TheDesktopShortcutStartsTheGameInItsFolder) {
  const ScratchDesktop desktop;
  const std::string program = "C:\\Spiele\\Pebbledrome\\pebbledrome.exe";
  ASSERT_EQ(CreateLnk(program, "", desktop.Utf8(), "Pebbledrome! – ein Spiel", "Pebbledrome!"), LinkResult::Created);
  ASSERT_EQ(CreateLnk(program, "", desktop.Utf8(), "Pebbledrome! – ein Spiel", "Pebbledrome!"), LinkResult::Created);

  std::vector<fs::path> links;
  for (const auto& entry : fs::directory_iterator(desktop.Path())) links.push_back(entry.path());
  ASSERT_EQ(links.size(), 1u) << "replaced, never doubled";
  EXPECT_EQ(links[0].filename().wstring(), L"Pebbledrome!.lnk");
  const LinkFields fields = ReadLink(links[0]);
  EXPECT_EQ(fields.path, L"C:\\Spiele\\Pebbledrome\\pebbledrome.exe");
  EXPECT_EQ(fields.arguments, L"");
  EXPECT_EQ(fields.folder, L"C:\\Spiele\\Pebbledrome\\");
  EXPECT_EQ(fields.description, L"Pebbledrome! \u2013 ein Spiel");

  EXPECT_EQ(CreateLnk(program, "", desktop.Utf8() + "\\fehlt", "x", "Pebbledrome!"), LinkResult::FolderUnreachable);
  EXPECT_EQ(CreateLnk(program, "", "", "x", "Pebbledrome!"), LinkResult::FolderUnreachable);
  EXPECT_EQ(CreateLnk(std::string(kMaxLinkTextBytes + 1, 'x'), "", desktop.Utf8(), "x", "Pebbledrome!"),
            LinkResult::Failed);
}

// This test program carries the game's own resource script, so the icons and
// the version are checked as the shell reads them from a program file.
BOOL CALLBACK CollectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names) {
  if (!IS_INTRESOURCE(name)) reinterpret_cast<std::vector<std::wstring>*>(names)->push_back(name);
  return TRUE;
}

TEST(ShellWindows, TheProgramFileHoldsItsIconsInTheRegisteredOrder) {
  std::vector<std::wstring> groups;
  EnumResourceNamesW(nullptr, MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */, CollectName,
                     reinterpret_cast<LONG_PTR>(&groups));
  EXPECT_EQ(groups, (std::vector<std::wstring>{L"MAINICON", L"WORDICON", L"ZFILEICO1"}));
  EXPECT_EQ(ExtractIconExW(ThisProgram().c_str(), -1, nullptr, nullptr, 0), 3u);
  HICON large = nullptr;
  ASSERT_EQ(ExtractIconExW(ThisProgram().c_str(), kSavedGameIconIndex, &large, nullptr, 1), 1u)
      << "the icon index the file type names exists";
  DestroyIcon(large);
}

TEST(ShellWindows, TheProgramFileCarriesTheProjectVersionAndAManifest) {
  const std::wstring program = ThisProgram();
  DWORD ignored = 0;
  std::vector<BYTE> info(GetFileVersionInfoSizeW(program.c_str(), &ignored));
  ASSERT_FALSE(info.empty());
  ASSERT_TRUE(GetFileVersionInfoW(program.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
  wchar_t* text = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\040904B0\\ProductVersion",
                             reinterpret_cast<void**>(&text), &length));
  EXPECT_EQ(Utf8FromWide(std::wstring_view(text)), PEBBLE_VERSION_STRING);
  VS_FIXEDFILEINFO* fixed = nullptr;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), PEBBLE_VERSION_MAJOR);
  EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), PEBBLE_VERSION_MINOR);
  EXPECT_EQ(HIWORD(fixed->dwFileVersionLS), PEBBLE_VERSION_PATCH);

  const HRSRC manifest = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24) /* RT_MANIFEST */);
  ASSERT_NE(manifest, nullptr);
  const char* xml = static_cast<const char*>(LockResource(LoadResource(nullptr, manifest)));
  const std::string text8(xml, SizeofResource(nullptr, manifest));
  EXPECT_NE(text8.find("PerMonitorV2"), std::string::npos);
  EXPECT_NE(text8.find("<activeCodePage xmlns=\"http://schemas.microsoft.com/SMI/2019/WindowsSettings\">UTF-8"),
            std::string::npos);
}

}  // namespace
}  // namespace pebble

#else  // _WIN32

TEST(ShellWindows, OnlyOnWindows) {
  GTEST_SKIP() << "the Windows classes registry and shell links; the XDG tests cover other desktops";
}

#endif  // _WIN32

// The Windows side of the file type and the shortcut: keys in the classes
// registry and a shell link.

#ifdef _WIN32

#include "control/shell.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "config/registry_win_text.h"

namespace pebble {
namespace {

// Creates the key below root when absent and, unless value is empty, sets
// its default value.
bool SetClassesKey(HKEY root, const std::wstring& key, const std::wstring& value) {
  HKEY handle = nullptr;
  if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &handle,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  LONG result = ERROR_SUCCESS;
  if (!value.empty()) {
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    result = RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes);
  }
  RegCloseKey(handle);
  return result == ERROR_SUCCESS;
}

// What the classes registry holds for one file type.
struct FileTypeKeys {
  std::wstring extension;
  std::wstring type;
  std::wstring description;
  std::wstring icon;     // program path, comma, icon index
  std::wstring command;  // the open command
};

// The keys below root + prefix; false when one could not be written.
bool WriteFileTypeKeys(HKEY root, const std::wstring& prefix, const FileTypeKeys& keys) {
  const std::wstring type = prefix + keys.type;
  bool written = SetClassesKey(root, prefix + keys.extension, keys.type);
  written = SetClassesKey(root, type, keys.description) && written;
  written = SetClassesKey(root, type + L"\\DefaultIcon", keys.icon) && written;
  written = SetClassesKey(root, type + L"\\Shell", L"") && written;
  written = SetClassesKey(root, type + L"\\Shell\\open", L"") && written;
  written = SetClassesKey(root, type + L"\\Shell\\open\\command", keys.command) && written;
  return written;
}

bool FitsLink(const std::string& text) { return text.size() <= kMaxLinkTextBytes; }

// The folder part of a program path, with its trailing backslash.
std::string FolderWithBackslash(const std::string& target) {
  const auto separator = target.find_last_of("\\/");
  return separator == std::string::npos ? std::string() : target.substr(0, separator + 1);
}

bool IsFolder(const std::string& folder) {
  const DWORD attributes = GetFileAttributesW(WideFromUtf8(folder).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// COM for the calling thread, for as long as it lives; a thread that has it
// already keeps it as it is.
class ComScope {
 public:
  ComScope() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComScope() {
    if (initialised_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool initialised_;
};

LinkResult SaveLink(const std::string& target, const std::string& arguments, const std::string& description,
                    const std::wstring& file) {
  ComScope com;
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link)))) {
    return LinkResult::Failed;
  }
  link->SetPath(WideFromUtf8(target).c_str());
  link->SetArguments(WideFromUtf8(arguments).c_str());
  link->SetWorkingDirectory(WideFromUtf8(FolderWithBackslash(target)).c_str());
  link->SetDescription(WideFromUtf8(description).c_str());
  IPersistFile* persist = nullptr;
  LinkResult result = LinkResult::Failed;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
    if (SUCCEEDED(persist->Save(file.c_str(), TRUE))) result = LinkResult::Created;
    persist->Release();
  }
  link->Release();
  return result;
}

}  // namespace

LinkResult CreateLnk(const std::string& target, const std::string& arguments, const std::string& folder,
                     const std::string& description, const std::string& name) {
  // The folder is checked, not entered: the game's current folder stays where
  // relative paths of its command line expect it.
  if (folder.empty() || !IsFolder(folder)) return LinkResult::FolderUnreachable;
  if (!FitsLink(target) || !FitsLink(arguments) || !FitsLink(description)) return LinkResult::Failed;
  const std::string file = folder + "\\" + name + ".lnk";
  if (!FitsLink(file)) return LinkResult::Failed;
  return SaveLink(target, arguments, description, WideFromUtf8(file));
}

bool RegisterFileTypeFor(const std::string& programPath, std::string_view extension, std::string_view typeName,
                         int iconIndex, std::string_view description) {
  const std::wstring program = WideFromUtf8(programPath);
  const FileTypeKeys keys{WideFromUtf8(extension), WideFromUtf8(typeName), WideFromUtf8(description),
                          program + L"," + std::to_wstring(iconIndex), L"\"" + program + L"\" \"%1\""};
  // The classes of the whole machine need an administrator; a player without
  // those rights gets the same keys among the player's own classes, which
  // the classes registry shows just the same.
  const bool written = WriteFileTypeKeys(HKEY_CLASSES_ROOT, L"", keys) ||
                       WriteFileTypeKeys(HKEY_CURRENT_USER, L"Software\\Classes\\", keys);
  // Explorer shows the new icon and handler without a restart.
  SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
  return written;
}

}  // namespace pebble

#endif  // _WIN32

#ifndef _WIN32

#include "config/registry_file_backend.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <system_error>

#include "config/reg_file_format.h"

namespace pebble {
namespace fs = std::filesystem;

struct FileRegistryBackend::Hive {
  fs::path file;
  std::string rootName;  // the hive's name as the first component of every key line
  int lockFd = -1;       // held while a batch is open; -1 when the hive could not be opened
  int depth = 0;
  bool abandoned = false;
  bool dirty = false;
  bool keepAside = false;  // the file on disk could not be read whole
  RegTree tree;            // the hive while a batch is open
};

namespace {

std::string HomeFolder(const EnvLookup& env) {
  if (auto home = env("HOME"); home && !home->empty()) return *home;
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return "/";
}

std::optional<fs::path> AbsoluteFromEnv(const EnvLookup& env, const char* name) {
  auto value = env(name);
  if (!value || value->empty() || (*value)[0] != '/') return std::nullopt;
  return fs::path(*value);
}

std::optional<fs::path> FirstConfigDir(const EnvLookup& env) {
  auto dirs = env("XDG_CONFIG_DIRS");
  if (!dirs) return std::nullopt;
  std::stringstream list(*dirs);
  for (std::string dir; std::getline(list, dir, ':');) {
    if (!dir.empty() && dir[0] == '/') return fs::path(dir);
  }
  return std::nullopt;
}

[[noreturn]] void ThrowErrno(const std::string& what, const fs::path& file) {
  throw SettingsStoreError(what + " " + file.string() + ": " + std::strerror(errno));
}

struct LoadedFile {
  RegTree tree;
  bool whole = true;  // false: the file exists but could not be read completely
};

LoadedFile LoadFile(const fs::path& file) {
  LoadedFile loaded;
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::error_code ec;
    loaded.whole = !fs::exists(file, ec) && !ec;  // a missing file is an empty hive
    return loaded;
  }
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) {
    loaded.whole = false;
    return loaded;
  }
  auto parsed = ParseRegFile(text.str());
  loaded.tree = std::move(parsed.tree);
  loaded.whole = parsed.clean;
  return loaded;
}

int OpenAndLock(const fs::path& file) {
  std::error_code ec;
  fs::create_directories(file.parent_path(), ec);
  if (ec) return -1;
  const fs::path lockFile = file.string() + ".lock";
  const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return -1;
  while (::flock(fd, LOCK_EX) != 0) {
    if (errno != EINTR) {
      ::close(fd);
      return -1;
    }
  }
  return fd;
}

std::string Timestamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}

// Keeps the unreadable file under a new name before it is replaced: a hard link
// where the file system has them, a copy otherwise.
void KeepAside(const fs::path& file) {
  std::error_code ec;
  if (!fs::exists(file, ec)) return;
  const std::string base = file.string() + ".broken-" + Timestamp();
  for (int n = 1; n < 1000; ++n) {
    const fs::path aside = n == 1 ? fs::path(base) : fs::path(base + "-" + std::to_string(n));
    if (::link(file.c_str(), aside.c_str()) == 0) return;
    if (errno == EEXIST) continue;
    if (fs::copy_file(file, aside, fs::copy_options::none, ec)) return;
    if (ec == std::errc::file_exists) continue;
    throw SettingsStoreError("cannot keep the unreadable " + file.string() + " aside: " + ec.message());
  }
  throw SettingsStoreError("cannot keep the unreadable " + file.string() + " aside");
}

void WriteAll(int fd, const std::string& text, const fs::path& file) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ThrowErrno("cannot write", file);
    done += static_cast<std::size_t>(n);
  }
}

void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;  // the rename stands; only its durability is less certain
  ::fsync(fd);
  ::close(fd);
}

// Writes the new text beside the file, flushes it, then renames it over the
// old one, so a reader or a crash sees either the old or the new file whole.
void ReplaceFile(const fs::path& file, const std::string& text, const std::function<void()>& beforeReplace) {
  const fs::path temp = file.string() + ".tmp";  // one writer at a time holds the lock
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) ThrowErrno("cannot create", temp);
  try {
    WriteAll(fd, text, temp);
    if (::fsync(fd) != 0) ThrowErrno("cannot flush", temp);
  } catch (...) {
    ::close(fd);
    ::unlink(temp.c_str());
    throw;
  }
  if (::close(fd) != 0) ThrowErrno("cannot close", temp);
  if (beforeReplace) beforeReplace();
  if (::rename(temp.c_str(), file.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    errno = err;
    ThrowErrno("cannot replace", file);
  }
  SyncFolder(file.parent_path());
}

void Release(int& lockFd) {
  if (lockFd >= 0) ::close(lockFd);  // closing drops the lock
  lockFd = -1;
}

}  // namespace

HiveFiles XdgHiveFiles(const EnvLookup& env) {
  const fs::path configHome =
      AbsoluteFromEnv(env, "XDG_CONFIG_HOME").value_or(fs::path(HomeFolder(env)) / ".config");
  const fs::path configDir = FirstConfigDir(env).value_or(fs::path("/etc/xdg"));
  return {configHome / kHiveFolderName / kHiveFileName, configDir / kHiveFolderName / kHiveFileName};
}

HiveFiles XdgHiveFiles() {
  return XdgHiveFiles([](const char* name) -> std::optional<std::string> {
    const char* value = std::getenv(name);
    if (!value) return std::nullopt;
    return std::string(value);
  });
}

std::unique_ptr<RegistryBackend> MakePlatformRegistryBackend() {
  return std::make_unique<FileRegistryBackend>(XdgHiveFiles());
}

FileRegistryBackend::FileRegistryBackend(HiveFiles files)
    : user_(std::make_unique<Hive>()), machine_(std::make_unique<Hive>()) {
  user_->file = std::move(files.user);
  user_->rootName = "HKEY_CURRENT_USER";
  machine_->file = std::move(files.machine);
  machine_->rootName = "HKEY_LOCAL_MACHINE";
}

FileRegistryBackend::~FileRegistryBackend() {
  Release(user_->lockFd);
  Release(machine_->lockFd);
}

FileRegistryBackend::Hive& FileRegistryBackend::HiveOf(RegHive hive) const {
  return hive == RegHive::CurrentUser ? *user_ : *machine_;
}

const fs::path& FileRegistryBackend::HiveFile(RegHive hive) const { return HiveOf(hive).file; }

void FileRegistryBackend::SetBeforeReplaceHookForTesting(std::function<void()> hook) {
  beforeReplace_ = std::move(hook);
}

// --- batches ---

void FileRegistryBackend::BeginBatch(RegHive which) {
  Hive& hive = HiveOf(which);
  if (hive.depth++ > 0) return;
  hive.abandoned = false;
  hive.dirty = false;
  hive.lockFd = OpenAndLock(hive.file);
  // Re-read under the lock: another game may have written since we last looked.
  auto loaded = LoadFile(hive.file);
  hive.tree = std::move(loaded.tree);
  hive.keepAside = !loaded.whole;
}

void FileRegistryBackend::CommitBatch(RegHive which) {
  Hive& hive = HiveOf(which);
  if (hive.depth == 0 || --hive.depth > 0) return;
  const bool store = hive.lockFd >= 0 && hive.dirty && !hive.abandoned;
  try {
    if (store) {
      if (hive.keepAside) KeepAside(hive.file);
      ReplaceFile(hive.file, WriteRegFile(hive.tree), beforeReplace_);
    }
  } catch (...) {
    Release(hive.lockFd);
    hive.tree = RegTree();
    throw;
  }
  Release(hive.lockFd);
  hive.tree = RegTree();
}

void FileRegistryBackend::AbandonBatch(RegHive which) noexcept {
  Hive& hive = HiveOf(which);
  if (hive.depth == 0) return;
  hive.abandoned = true;
  if (--hive.depth > 0) return;
  Release(hive.lockFd);
  hive.tree = RegTree();
}

template <typename Edit>
auto FileRegistryBackend::EditHive(RegHive which, Edit edit) {
  Hive& hive = HiveOf(which);
  BeginBatch(which);
  bool changed = false;
  try {
    changed = edit(hive.tree, JoinRegPath(hive.rootName, ""));
  } catch (...) {
    AbandonBatch(which);
    throw;
  }
  hive.dirty = hive.dirty || changed;
  const bool stored = changed && hive.lockFd >= 0;  // a hive that cannot be opened keeps nothing
  CommitBatch(which);
  return stored;
}

// --- reading: the open batch's tree, or the file as it is now ---

namespace {

template <typename Read>
auto ReadHive(const RegTree* batchTree, const fs::path& file, Read read) {
  if (batchTree) return read(*batchTree);
  const auto loaded = LoadFile(file);
  return read(loaded.tree);
}

}  // namespace

bool FileRegistryBackend::KeyExists(RegHive which, std::string_view path) {
  const Hive& hive = HiveOf(which);
  const auto full = JoinRegPath(hive.rootName, path);
  return ReadHive(hive.depth ? &hive.tree : nullptr, hive.file,
                  [&](const RegTree& tree) { return tree.Find(full) != nullptr; });
}

std::optional<RegValue> FileRegistryBackend::ReadValue(RegHive which, std::string_view path,
                                                       std::string_view name) {
  const Hive& hive = HiveOf(which);
  const auto full = JoinRegPath(hive.rootName, path);
  return ReadHive(hive.depth ? &hive.tree : nullptr, hive.file, [&](const RegTree& tree) {
    const RegKey* key = tree.Find(full);
    const RegValue* value = key ? key->FindValue(name) : nullptr;
    return value ? std::optional<RegValue>(*value) : std::nullopt;
  });
}

std::vector<std::string> FileRegistryBackend::SubkeyNames(RegHive which, std::string_view path) {
  const Hive& hive = HiveOf(which);
  const auto full = JoinRegPath(hive.rootName, path);
  return ReadHive(hive.depth ? &hive.tree : nullptr, hive.file, [&](const RegTree& tree) {
    std::vector<std::string> names;
    if (const RegKey* key = tree.Find(full)) {
      for (const auto& entry : key->Subkeys()) names.push_back(entry.first);
    }
    return names;
  });
}

std::vector<RegKey::NamedValue> FileRegistryBackend::Values(RegHive which, std::string_view path) {
  const Hive& hive = HiveOf(which);
  const auto full = JoinRegPath(hive.rootName, path);
  return ReadHive(hive.depth ? &hive.tree : nullptr, hive.file, [&](const RegTree& tree) {
    const RegKey* key = tree.Find(full);
    return key ? key->Values() : std::vector<RegKey::NamedValue>{};
  });
}

// --- writing: each change is a batch of its own unless one is open ---

void FileRegistryBackend::CreateKey(RegHive which, std::string_view path) {
  EditHive(which, [&](RegTree& tree, const std::string& root) {
    const auto full = JoinRegPath(root, path);
    if (tree.Find(full)) return false;
    tree.Create(full);
    return true;
  });
}

void FileRegistryBackend::WriteValue(RegHive which, std::string_view path, std::string_view name,
                                     const RegValue& value) {
  EditHive(which, [&](RegTree& tree, const std::string& root) {
    tree.Create(JoinRegPath(root, path)).SetValue(name, value);
    return true;
  });
}

bool FileRegistryBackend::DeleteKey(RegHive which, std::string_view path, bool withSubkeys) {
  if (SplitRegPath(path).empty()) return false;  // never the hive itself
  return EditHive(which, [&](RegTree& tree, const std::string& root) {
    return tree.Remove(JoinRegPath(root, path), withSubkeys);
  });
}

bool FileRegistryBackend::DeleteValue(RegHive which, std::string_view path, std::string_view name) {
  return EditHive(which, [&](RegTree& tree, const std::string& root) {
    RegKey* key = tree.Find(JoinRegPath(root, path));
    return key != nullptr && key->EraseValue(name);
  });
}

}  // namespace pebble

#endif  // _WIN32

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
#include <sstream>
#include <cstdint>
#include <system_error>

#include "config/reg_file_format.h"

namespace pebble {
namespace fs = std::filesystem;

// What identifies one state of the file on disk: another game replaces the
// file (a new inode), a hand edit changes its size or times.
struct FileStamp {
  bool present = false;
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  std::int64_t modified = 0;  // nanoseconds
  std::int64_t changed = 0;   // nanoseconds
  bool operator==(const FileStamp&) const = default;
};

struct FileRegistryBackend::Hive {
  fs::path file;
  std::string rootName;  // the hive's name as the first component of every key line
  int lockFd = -1;       // held while a batch is open; -1 when the hive could not be opened
  int depth = 0;
  bool abandoned = false;
  bool dirty = false;
  bool keepAside = false;  // the file on disk could not be read whole
  // The hive as last read or written, and the file state it stands for; while
  // a batch is open, the tree the batch changes. Reads outside a batch parse
  // the file again only when it changed on disk.
  RegTree tree;
  bool current = false;  // the tree is the file as its stamp describes it
  bool whole = true;     // the file the tree was read from could be read whole
  FileStamp stamp;
  // The file the tree was read from, held open so that its inode cannot be
  // reused by a later file while the stamp names it.
  int readFd = -1;
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

std::int64_t Nanoseconds(const timespec& t) { return std::int64_t{t.tv_sec} * 1'000'000'000 + t.tv_nsec; }

FileStamp StampOf(const struct stat& info) {
  return {true, info.st_dev, info.st_ino, info.st_size, Nanoseconds(info.st_mtim), Nanoseconds(info.st_ctim)};
}

// The state of the file on disk now; nothing when it cannot be told.
std::optional<FileStamp> StampOnDisk(const fs::path& file) {
  struct stat info {};
  if (::stat(file.c_str(), &info) == 0) return StampOf(info);
  if (errno == ENOENT || errno == ENOTDIR) return FileStamp{};  // a missing file is an empty hive
  return std::nullopt;
}

bool ReadAll(int fd, std::string& text) {
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    text.append(buffer, static_cast<std::size_t>(n));
  }
}

void CloseRead(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
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
  for (Hive* hive : {user_.get(), machine_.get()}) {
    Release(hive->lockFd);
    CloseRead(hive->readFd);
  }
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
  // Looked at again under the lock: another game may have written since.
  Refresh(hive);
  hive.keepAside = !hive.whole;
}

void FileRegistryBackend::CommitBatch(RegHive which) {
  Hive& hive = HiveOf(which);
  if (hive.depth == 0 || --hive.depth > 0) return;
  const bool store = hive.lockFd >= 0 && hive.dirty && !hive.abandoned;
  // A change that is not stored leaves a tree that is not the file's.
  hive.current = hive.current && !hive.dirty && !hive.abandoned;
  try {
    if (store) {
      if (hive.keepAside) KeepAside(hive.file);
      ReplaceFile(hive.file, WriteRegFile(hive.tree), beforeReplace_);
      AdoptWrittenFile(hive);
    }
  } catch (...) {
    Release(hive.lockFd);
    throw;
  }
  Release(hive.lockFd);
}

void FileRegistryBackend::AbandonBatch(RegHive which) noexcept {
  Hive& hive = HiveOf(which);
  if (hive.depth == 0) return;
  hive.abandoned = true;
  if (--hive.depth > 0) return;
  Release(hive.lockFd);
  hive.current = false;  // the batch may have changed the tree before it was given up
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

// --- the hive as it is on disk, parsed again only when it changed ---

void FileRegistryBackend::Refresh(Hive& hive) {
  const std::optional<FileStamp> onDisk = StampOnDisk(hive.file);
  if (hive.current && onDisk && *onDisk == hive.stamp) return;
  hive.current = false;
  hive.tree = RegTree();
  hive.whole = onDisk.has_value();
  CloseRead(hive.readFd);
  if (!onDisk) return;
  if (!onDisk->present) {
    hive.stamp = *onDisk;
    hive.current = true;
    return;
  }
  Reread(hive);
}

void FileRegistryBackend::Reread(Hive& hive) {
  const int fd = ::open(hive.file.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat info {};
  std::string text;
  // The stamp is taken before the text is read: a change made while it is
  // read gives a later stamp, and the next read looks again.
  if (fd < 0 || ::fstat(fd, &info) != 0 || !ReadAll(fd, text)) {
    if (fd >= 0) ::close(fd);
    hive.whole = false;  // there, but not readable: tried again at the next read
    return;
  }
  auto parsed = ParseRegFile(text);
  hive.tree = std::move(parsed.tree);
  hive.whole = parsed.clean;
  hive.stamp = StampOf(info);
  hive.readFd = fd;
  hive.current = true;
}

// The file just written under the lock holds exactly the tree: it stands for
// the file until someone changes it.
void FileRegistryBackend::AdoptWrittenFile(Hive& hive) {
  CloseRead(hive.readFd);
  const int fd = ::open(hive.file.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat info {};
  if (fd < 0 || ::fstat(fd, &info) != 0) {
    if (fd >= 0) ::close(fd);
    return;
  }
  hive.readFd = fd;
  hive.stamp = StampOf(info);
  hive.whole = true;
  hive.current = true;
}

// --- reading: the open batch's tree, or the file as it is now ---

const RegTree& FileRegistryBackend::TreeToRead(RegHive which) {
  Hive& hive = HiveOf(which);
  if (hive.depth == 0) Refresh(hive);
  return hive.tree;
}

bool FileRegistryBackend::KeyExists(RegHive which, std::string_view path) {
  return TreeToRead(which).Find(JoinRegPath(HiveOf(which).rootName, path)) != nullptr;
}

std::optional<RegValue> FileRegistryBackend::ReadValue(RegHive which, std::string_view path,
                                                       std::string_view name) {
  const RegKey* key = TreeToRead(which).Find(JoinRegPath(HiveOf(which).rootName, path));
  const RegValue* value = key ? key->FindValue(name) : nullptr;
  return value ? std::optional<RegValue>(*value) : std::nullopt;
}

std::vector<std::string> FileRegistryBackend::SubkeyNames(RegHive which, std::string_view path) {
  std::vector<std::string> names;
  if (const RegKey* key = TreeToRead(which).Find(JoinRegPath(HiveOf(which).rootName, path))) {
    for (const auto& entry : key->Subkeys()) names.push_back(entry.first);
  }
  return names;
}

std::vector<RegKey::NamedValue> FileRegistryBackend::Values(RegHive which, std::string_view path) {
  const RegKey* key = TreeToRead(which).Find(JoinRegPath(HiveOf(which).rootName, path));
  return key ? key->Values() : std::vector<RegKey::NamedValue>{};
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

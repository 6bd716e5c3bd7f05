#ifndef _WIN32

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "control/saved_game_disk.h"

namespace pebble {
namespace {

namespace fs = std::filesystem;

// Another game's save may rename a new file over the name while this one
// waits for the lock; anything appended to the old file would then be lost.
constexpr int kMaxReplacedWhileWaiting = 100;

// A file system without locks (some network and user-space ones) still gets
// the entry, unguarded, rather than none at all.
bool LockExclusively(int fd) {
  while (::flock(fd, LOCK_EX) != 0) {
    if (errno == EOPNOTSUPP || errno == ENOSYS || errno == ENOLCK) return true;
    if (errno != EINTR) return false;
  }
  return true;
}

bool StillNamedBy(int fd, const fs::path& path) {
  struct stat opened {};
  struct stat named {};
  return ::fstat(fd, &opened) == 0 && ::stat(path.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
         opened.st_ino == named.st_ino;
}

// Without any write permission the player marked the file read-only; even a
// game that could write it anyway (run by the administrator) leaves it alone.
bool MarkedReadOnly(const struct stat& status) { return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0; }

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool ReadAllFrom(int fd, std::vector<std::uint8_t>& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  bytes.resize(done);
  return true;
}

void SyncFolder(const fs::path& file) {
  const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;  // the rename stands; only its durability is less certain
  ::fsync(fd);
  ::close(fd);
}

LockOutcome Refusal(int error) {
  if (error == ENOENT) return LockOutcome::Missing;
  if (error == EACCES || error == EPERM || error == EROFS) return LockOutcome::ReadOnly;
  return LockOutcome::Failed;
}

}  // namespace

LockedSavedGame::~LockedSavedGame() { Close(); }

void LockedSavedGame::Close() {
  if (fd_ >= 0) ::close(fd_);  // closing drops the lock
  fd_ = -1;
}

LockOutcome LockedSavedGame::Open(const fs::path& path) {
  Close();
  for (int attempt = 0; attempt < kMaxReplacedWhileWaiting; ++attempt) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return Refusal(errno);
    if (!S_ISREG(status.st_mode)) return LockOutcome::Failed;
    if (MarkedReadOnly(status)) return LockOutcome::ReadOnly;
    fd_ = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0) return Refusal(errno);
    if (::fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode) || !LockExclusively(fd_)) {
      Close();
      return LockOutcome::Failed;
    }
    if (StillNamedBy(fd_, path)) return LockOutcome::Locked;
    Close();
  }
  return LockOutcome::Failed;
}

std::optional<std::vector<std::uint8_t>> LockedSavedGame::ReadAll(std::size_t limit) {
  struct stat status {};
  if (fd_ < 0 || ::fstat(fd_, &status) != 0 || status.st_size < 0 || static_cast<std::uint64_t>(status.st_size) > limit)
    return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(status.st_size));
  if (!ReadAllFrom(fd_, bytes)) return std::nullopt;
  return bytes;
}

bool LockedSavedGame::CutTo(std::uint64_t size) {
  return fd_ >= 0 && ::ftruncate(fd_, static_cast<off_t>(size)) == 0;
}

bool LockedSavedGame::AppendDurably(std::span<const std::uint8_t> bytes) {
  if (fd_ < 0) return false;
  const off_t end = ::lseek(fd_, 0, SEEK_END);
  if (end < 0) return false;
  if (WriteAll(fd_, bytes) && ::fsync(fd_) == 0) return true;
  // A full disk must not leave half an entry behind the whole ones.
  if (::ftruncate(fd_, end) == 0) ::fsync(fd_);
  return false;
}

void LockedSavedGame::LendPermissionsTo(const fs::path& other) const {
  struct stat status {};
  if (fd_ < 0 || ::fstat(fd_, &status) != 0) return;
  // Best effort: only the administrator may give a file away.
  [[maybe_unused]] const int owned = ::chown(other.c_str(), status.st_uid, status.st_gid);
  ::chmod(other.c_str(), status.st_mode & 07777);
}

bool WriteNewFileDurably(const fs::path& path, std::span<const std::uint8_t> bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
  if (fd < 0) return false;
  const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (written && closed) return true;
  ::unlink(path.c_str());
  return false;
}

bool ReplaceDurably(const fs::path& written, const fs::path& target) {
  if (::rename(written.c_str(), target.c_str()) != 0) return false;
  SyncFolder(target);
  return true;
}

}  // namespace pebble

#endif  // _WIN32

#ifdef _WIN32

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>

#include "control/saved_game_disk.h"

namespace pebble {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxReplacedWhileWaiting = 100;
// The lock covers one byte far behind any saved game, so readers of the file
// are never blocked by it (Windows locks are mandatory for the range).
constexpr DWORD kLockOffsetHigh = 0x7FFFFFFF;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE AsHandle(void* handle) { return static_cast<HANDLE>(handle); }

bool LockExclusively(HANDLE file) {
  OVERLAPPED where{};
  where.OffsetHigh = kLockOffsetHigh;
  return LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &where) != 0;
}

bool SameFile(HANDLE a, HANDLE b) {
  BY_HANDLE_FILE_INFORMATION x{};
  BY_HANDLE_FILE_INFORMATION y{};
  return GetFileInformationByHandle(a, &x) && GetFileInformationByHandle(b, &y) &&
         x.dwVolumeSerialNumber == y.dwVolumeSerialNumber && x.nFileIndexHigh == y.nFileIndexHigh &&
         x.nFileIndexLow == y.nFileIndexLow;
}

// Another game's save may have put a new file in place while this one waited
// for the lock; anything appended to the old file would then be lost.
bool StillNamedBy(HANDLE file, const fs::path& path) {
  const HANDLE named = CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (named == INVALID_HANDLE_VALUE) return false;
  const bool same = SameFile(file, named);
  CloseHandle(named);
  return same;
}

LockOutcome Refusal(DWORD error) {
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return LockOutcome::Missing;
  if (error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT) return LockOutcome::ReadOnly;
  return LockOutcome::Failed;
}

bool WriteAll(HANDLE file, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, piece, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

bool MoveTo(HANDLE file, std::int64_t offset, DWORD from) {
  LARGE_INTEGER distance{};
  distance.QuadPart = offset;
  return SetFilePointerEx(file, distance, nullptr, from) != 0;
}

}  // namespace

LockedSavedGame::~LockedSavedGame() { Close(); }

void LockedSavedGame::Close() {
  if (handle_) CloseHandle(AsHandle(handle_));  // closing drops the lock
  handle_ = nullptr;
}

LockOutcome LockedSavedGame::Open(const fs::path& path) {
  Close();
  for (int attempt = 0; attempt < kMaxReplacedWhileWaiting; ++attempt) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return Refusal(GetLastError());
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return LockOutcome::Failed;
    if (attributes & FILE_ATTRIBUTE_READONLY) return LockOutcome::ReadOnly;
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Refusal(GetLastError());
    handle_ = file;
    if (GetFileType(file) != FILE_TYPE_DISK || !LockExclusively(file)) {
      Close();
      return LockOutcome::Failed;
    }
    if (StillNamedBy(file, path)) return LockOutcome::Locked;
    Close();
  }
  return LockOutcome::Failed;
}

std::optional<std::vector<std::uint8_t>> LockedSavedGame::ReadAll(std::size_t limit) {
  LARGE_INTEGER size{};
  if (!handle_ || !GetFileSizeEx(AsHandle(handle_), &size) || size.QuadPart < 0 ||
      static_cast<std::uint64_t>(size.QuadPart) > limit || !MoveTo(AsHandle(handle_), 0, FILE_BEGIN))
    return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    if (!ReadFile(AsHandle(handle_), bytes.data() + done, piece, &read, nullptr)) return std::nullopt;
    if (read == 0) break;
    done += read;
  }
  bytes.resize(done);
  return bytes;
}

bool LockedSavedGame::CutTo(std::uint64_t size) {
  return handle_ && MoveTo(AsHandle(handle_), static_cast<std::int64_t>(size), FILE_BEGIN) &&
         SetEndOfFile(AsHandle(handle_));
}

bool LockedSavedGame::AppendDurably(std::span<const std::uint8_t> bytes) {
  const HANDLE file = AsHandle(handle_);
  LARGE_INTEGER end{};
  if (!file || !GetFileSizeEx(file, &end) || !MoveTo(file, 0, FILE_END)) return false;
  if (WriteAll(file, bytes) && FlushFileBuffers(file)) return true;
  // A full disk must not leave half an entry behind the whole ones.
  if (CutTo(static_cast<std::uint64_t>(end.QuadPart))) FlushFileBuffers(file);
  return false;
}

// ReplaceFileW carries the replaced file's attributes and access rights over
// to the new one, so nothing is to be lent here.
void LockedSavedGame::LendPermissionsTo(const fs::path&) const {}

bool WriteNewFileDurably(const fs::path& path, std::span<const std::uint8_t> bytes) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool written = WriteAll(file, bytes) && FlushFileBuffers(file);
  const bool closed = CloseHandle(file) != 0;
  if (written && closed) return true;
  DeleteFileW(path.c_str());
  return false;
}

bool ReplaceDurably(const fs::path& written, const fs::path& target) {
  if (ReplaceFileW(target.c_str(), written.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
    return true;
  if (GetLastError() != ERROR_FILE_NOT_FOUND) return false;
  // No file to replace: a plain move, written through to the disk.
  return MoveFileExW(written.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace pebble

#endif  // _WIN32

#pragma once
// The disk side of saved-game files, one implementation per platform. Several
// running games may share one file: an entry is appended in place under an
// exclusive lock, and a save replaces the file only while holding that lock,
// so no entry can land in a file that is being replaced.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace pebble {

enum class LockOutcome { Locked, Missing, ReadOnly, Failed };

// An existing saved game, open for reading and writing and locked against the
// other games until it is closed.
class LockedSavedGame {
 public:
  LockedSavedGame() = default;
  LockedSavedGame(const LockedSavedGame&) = delete;
  LockedSavedGame& operator=(const LockedSavedGame&) = delete;
  ~LockedSavedGame();

  // A file the player made read-only, or cannot write, is never opened for
  // writing: it is reported as ReadOnly and left as it is.
  LockOutcome Open(const std::filesystem::path& path);

  // The whole file, or nothing when it is larger than limit or unreadable.
  std::optional<std::vector<std::uint8_t>> ReadAll(std::size_t limit);
  // Cuts the file to size bytes (a torn entry left by a crash).
  bool CutTo(std::uint64_t size);
  // Moves to the end, writes the bytes and flushes them to the disk.
  bool AppendDurably(std::span<const std::uint8_t> bytes);
  // Gives a new file beside this one the same permissions (and, where the
  // system allows, the same owner), so a save does not change who may use it.
  void LendPermissionsTo(const std::filesystem::path& other) const;

 private:
  void Close();

#ifdef _WIN32
  void* handle_ = nullptr;
#else
  int fd_ = -1;
#endif
};

// Creates a new file (never an existing one), writes the bytes and flushes
// them to the disk.
bool WriteNewFileDurably(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// Puts the written file in place of target and flushes the folder, so after a
// crash the name holds either the old file or the new one, whole.
bool ReplaceDurably(const std::filesystem::path& written, const std::filesystem::path& target);

}  // namespace pebble

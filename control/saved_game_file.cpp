#include "control/saved_game_file.h"

#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <system_error>

#include "control/saved_game_disk.h"

namespace pebble {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// Reads in pieces up to the limit, so neither a huge file nor a device that
// never ends can make the game allocate without bound or hang.
std::optional<Bytes> ReadWholeFile(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  Bytes bytes;
  constexpr std::size_t kPiece = 64 * 1024;
  while (in && bytes.size() <= kMaxSavedGameFileBytes) {
    const std::size_t start = bytes.size();
    bytes.resize(start + kPiece);
    in.read(reinterpret_cast<char*>(bytes.data() + start), kPiece);
    bytes.resize(start + static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad() || bytes.size() > kMaxSavedGameFileBytes) return std::nullopt;
  return bytes;
}

fs::path TemporaryBeside(const fs::path& target) {
  std::random_device entropy;
  fs::path temporary = target;
  temporary += ".~" + std::to_string(entropy()) + ".tmp";
  return temporary;
}

// The file a save replaces: a link is followed, so the file it names is
// replaced and the link stays.
std::optional<fs::path> SaveTarget(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_symlink(fs::symlink_status(path, ec))) return path;
  fs::path real = fs::canonical(path, ec);
  if (ec) return std::nullopt;
  return real;
}

// Writes the bytes beside the target, flushed, and puts them in its place;
// old is the locked file being replaced, if there is one.
bool ReplaceWith(const fs::path& target, const Bytes& bytes, const LockedSavedGame* old) {
  const fs::path temporary = TemporaryBeside(target);
  if (!WriteNewFileDurably(temporary, bytes)) return false;
  if (old) old->LendPermissionsTo(temporary);
  if (ReplaceDurably(temporary, target)) return true;
  std::error_code ec;
  fs::remove(temporary, ec);
  return false;
}

// A torn entry at the end is left behind; a history damaged inside is kept as
// it is, since it may still be the players' only record.
Bytes HistoryToKeep(const std::optional<Bytes>& old, const SavedGame& game) {
  if (!old) return {};
  const ParsedSavedGame parsed = ParseGameBlock(*old);
  if (parsed.status != SavedGameStatus::Ok || !SameDeal(parsed.game, game)) return {};
  const ParsedPlayerHistory history = ParsePlayerHistory(*old, parsed.playerHistoryOffset);
  const std::size_t end = history.ok ? history.wholeEntriesEnd : old->size();
  return Bytes(old->begin() + static_cast<std::ptrdiff_t>(parsed.playerHistoryOffset),
               old->begin() + static_cast<std::ptrdiff_t>(end));
}

// Where the next entry goes: behind the last whole one, so a torn entry left
// by a crash is cut away. A file that is no saved game, or whose history is
// damaged inside, gets no entry: it could never be read back.
std::optional<std::size_t> EndOfWholeEntries(const Bytes& bytes) {
  const ParsedSavedGame game = ParseGameBlock(bytes);
  if (game.status != SavedGameStatus::Ok) return std::nullopt;
  const ParsedPlayerHistory history = ParsePlayerHistory(bytes, game.playerHistoryOffset);
  if (!history.ok) return std::nullopt;
  return history.wholeEntriesEnd;
}

}  // namespace

ParsedSavedGame ReadGameFile(const fs::path& path) {
  const std::optional<Bytes> bytes = ReadWholeFile(path);
  if (!bytes) return ParsedSavedGame{};
  return ParseGameBlock(*bytes);
}

// The old file stays locked until the new one is in its place, so an entry
// another game appends meanwhile is either kept in the new file or waits
// for it.
SaveOutcome WriteGameFile(const fs::path& path, const SavedGame& game) {
  const std::optional<fs::path> target = SaveTarget(path);
  if (!IsPlayableSavedGame(game) || !target) return SaveOutcome{};
  LockedSavedGame old;
  const LockOutcome lock = old.Open(*target);
  if (lock == LockOutcome::ReadOnly || lock == LockOutcome::Failed) return SaveOutcome{};
  const bool replacing = lock == LockOutcome::Locked;
  SaveOutcome outcome;
  Bytes bytes = GameBlockBytes(game);
  const Bytes history = replacing ? HistoryToKeep(old.ReadAll(kMaxSavedGameFileBytes), game) : Bytes{};
  outcome.playerHistoryOffset = bytes.size();
  outcome.historyKept = !history.empty();
  bytes.insert(bytes.end(), history.begin(), history.end());
  outcome.saved = ReplaceWith(*target, bytes, replacing ? &old : nullptr);
  if (!outcome.saved) outcome = SaveOutcome{};
  return outcome;
}

AppendOutcome AppendPlayerHistoryEntry(const fs::path& path, const TReportInfo& entry) {
  LockedSavedGame file;
  const LockOutcome lock = file.Open(path);
  if (lock == LockOutcome::Missing) return AppendOutcome::NoFile;
  if (lock != LockOutcome::Locked) return AppendOutcome::Failed;
  const std::optional<Bytes> bytes = file.ReadAll(kMaxSavedGameFileBytes);
  const std::optional<std::size_t> end = bytes ? EndOfWholeEntries(*bytes) : std::nullopt;
  const Bytes entryBytes = PlayerHistoryEntryBytes(entry);
  // A file grown past what a reader takes would lose the whole game.
  if (!end || *end + entryBytes.size() > kMaxSavedGameFileBytes) return AppendOutcome::Failed;
  if (*end < bytes->size() && !file.CutTo(*end)) return AppendOutcome::Failed;
  return file.AppendDurably(entryBytes) ? AppendOutcome::Appended : AppendOutcome::Failed;
}

ParsedPlayerHistory ReadPlayerHistory(const fs::path& path, std::size_t offset) {
  std::error_code ec;
  if (offset == 0 || !fs::exists(path, ec)) return ParsedPlayerHistory{true, {}};
  const std::optional<Bytes> bytes = ReadWholeFile(path);
  if (!bytes) return ParsedPlayerHistory{};
  return ParsePlayerHistory(*bytes, offset);
}

}  // namespace pebble

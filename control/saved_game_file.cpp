#include "control/saved_game_file.h"

#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

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

// Pushes the new file to the disk before it replaces the old one, so a crash
// right after the rename cannot leave an empty file behind.
bool SyncToDisk([[maybe_unused]] const fs::path& path) {
#ifdef _WIN32
  return true;
#else
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return false;
  const bool synced = ::fsync(fd) == 0;
  return ::close(fd) == 0 && synced;
#endif
}

fs::path TemporaryBeside(const fs::path& target) {
  std::random_device entropy;
  fs::path temporary = target;
  temporary += ".~" + std::to_string(entropy()) + ".tmp";
  return temporary;
}

bool WriteNewFile(const fs::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return out.good() && SyncToDisk(path);
}

// Writes the bytes beside the target and renames them into place; a link is
// followed so the file it names is replaced, not the link.
bool ReplaceFile(const fs::path& target, const Bytes& bytes) {
  std::error_code ec;
  const bool link = fs::is_symlink(fs::symlink_status(target, ec));
  const fs::path real = link ? fs::canonical(target, ec) : target;
  if (link && ec) return false;
  const fs::path temporary = TemporaryBeside(real);
  bool replaced = WriteNewFile(temporary, bytes);
  if (replaced && fs::exists(real, ec))
    fs::permissions(temporary, fs::status(real, ec).permissions(), ec);  // best effort
  if (replaced) {
    fs::rename(temporary, real, ec);
    replaced = !ec;
  }
  if (!replaced) fs::remove(temporary, ec);
  return replaced;
}

Bytes HistoryToKeep(const fs::path& path, const SavedGame& game) {
  const std::optional<Bytes> old = ReadWholeFile(path);
  if (!old) return {};
  const ParsedSavedGame parsed = ParseGameBlock(*old);
  if (parsed.status != SavedGameStatus::Ok || !SameDeal(parsed.game, game)) return {};
  return Bytes(old->begin() + static_cast<std::ptrdiff_t>(parsed.playerHistoryOffset), old->end());
}

}  // namespace

ParsedSavedGame ReadGameFile(const fs::path& path) {
  const std::optional<Bytes> bytes = ReadWholeFile(path);
  if (!bytes) return ParsedSavedGame{};
  return ParseGameBlock(*bytes);
}

SaveOutcome WriteGameFile(const fs::path& path, const SavedGame& game) {
  SaveOutcome outcome;
  if (!IsPlayableSavedGame(game)) return outcome;
  Bytes bytes = GameBlockBytes(game);
  const Bytes history = HistoryToKeep(path, game);
  outcome.playerHistoryOffset = bytes.size();
  outcome.historyKept = !history.empty();
  bytes.insert(bytes.end(), history.begin(), history.end());
  outcome.saved = ReplaceFile(path, bytes);
  if (!outcome.saved) outcome = SaveOutcome{};
  return outcome;
}

AppendOutcome AppendPlayerHistoryEntry(const fs::path& path, const TReportInfo& entry) {
  std::error_code ec;
  if (!fs::exists(path, ec)) return AppendOutcome::NoFile;
  std::optional<Bytes> bytes = ReadWholeFile(path);
  if (!bytes || ParseGameBlock(*bytes).status != SavedGameStatus::Ok) return AppendOutcome::Failed;
  const Bytes entryBytes = PlayerHistoryEntryBytes(entry);
  bytes->insert(bytes->end(), entryBytes.begin(), entryBytes.end());
  return ReplaceFile(path, *bytes) ? AppendOutcome::Appended : AppendOutcome::Failed;
}

ParsedPlayerHistory ReadPlayerHistory(const fs::path& path, std::size_t offset) {
  std::error_code ec;
  if (offset == 0 || !fs::exists(path, ec)) return ParsedPlayerHistory{true, {}};
  const std::optional<Bytes> bytes = ReadWholeFile(path);
  if (!bytes) return ParsedPlayerHistory{};
  return ParsePlayerHistory(*bytes, offset);
}

}  // namespace pebble

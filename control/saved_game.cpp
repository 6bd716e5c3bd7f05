#include "control/saved_game.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "config/string_ids.h"
#include "control/saved_game_bytes.h"

namespace pebble {
namespace {

// Dates from 1 January 0001 to 31 December 9999, the range a date can show.
constexpr double kFirstDate = -693593.0;
constexpr double kEndOfLastDate = 2958466.0;

bool IsPossibleDate(double date) { return std::isfinite(date) && date >= kFirstDate && date < kEndOfLastDate; }

bool HasPlayableSettings(const SavedGameSettings& saved) {
  if (saved.colorCount < 1 || saved.colorCount > kMaxColors) return false;
  // The colour count above must fit its byte; every other value is judged as
  // the stored settings are, so any game that can be played can be saved and
  // opened again.
  GameSettings settings;
  ApplySavedSettings(saved, settings);
  return !MakePlayable(settings);
}

// Clicks, drawing and trace lines all rely on a cell lying at the pixel origin
// of its place in the field, for the stone size the file carries.
bool IsAtItsPlace(const TStoneCell& cell, std::size_t index, const SavedGameSettings& s) {
  const auto columns = static_cast<std::size_t>(s.columnCount);
  const std::int64_t left = static_cast<std::int64_t>(index % columns) * s.stoneWidth;
  const std::int64_t top = static_cast<std::int64_t>(index / columns) * s.stoneHeight;
  return cell.Left == left && cell.Top == top;
}

bool IsPossibleCell(const TStoneCell& cell, std::size_t index, const SavedGameSettings& s) {
  // Colours are checked as the settings reader checks them; a cell emptied by
  // a move keeps the colour its stone had.
  const bool specialColored = cell.Color == SpecialColor;
  return cell.Index >= 0 && static_cast<std::size_t>(cell.Index) == index && cell.Kind < kStoneKindCount &&
         IsSpecial(cell.Kind) == specialColored && (specialColored || IsRgbColor(cell.Color)) &&
         IsAtItsPlace(cell, index, s);
}

bool IsCounter(std::int32_t value, std::size_t cellCount) {
  return value >= 0 && static_cast<std::size_t>(value) <= cellCount;
}

// The first counted string decides: one that cannot be read is a damaged
// file (109); one that reads but is not the magic is another kind of file (108).
SavedGameStatus MagicStatus(ByteReader& in) {
  std::int32_t length = 0;
  std::span<const std::uint8_t> text;
  if (!in.ReadI32(length) || length < 0 || length > kMaxReadStringBytes ||
      !in.ReadBytes(static_cast<std::size_t>(length), text))
    return SavedGameStatus::Unreadable;
  const bool magic = std::equal(text.begin(), text.end(), kSavedGameMagic.begin(), kSavedGameMagic.end());
  return magic ? SavedGameStatus::Ok : SavedGameStatus::NotAGameFile;
}

bool ReadSettings(ByteReader& in, SavedGameSettings& s) {
  return in.ReadI32(s.stoneHeight) && in.ReadI32(s.stoneWidth) && in.ReadI32(s.columnCount) &&
         in.ReadI32(s.rowCount) && in.ReadI32(s.colorCount) && in.ReadFlag(s.autoDrop) && in.ReadI32(s.playTime) &&
         in.ReadFlag(s.actionsOn) && in.ReadFlag(s.lowScore);
}

// Reads the cell records only when the bytes hold all of them, so a claimed
// count never allocates more than the file itself brings.
bool ReadCells(ByteReader& in, const SavedGameSettings& s, std::vector<TStoneCell>& cells) {
  std::int32_t total = 0;
  if (!in.ReadI32(total) || total < 0 || std::int64_t{total} != std::int64_t{s.columnCount} * s.rowCount) return false;
  const auto count = static_cast<std::size_t>(total);
  if (count > in.Remaining() / kStoneCellBytes) return false;
  cells.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    std::span<const std::uint8_t> record;
    in.ReadBytes(kStoneCellBytes, record);
    TStoneCell cell = ReadStoneCell(record.first<kStoneCellBytes>());
    cell.Occupied = cell.Occupied != 0 ? 1 : 0;  // a flag is true when not 0
    cells.push_back(cell);
  }
  return true;
}

bool ReadGameBlockAfterMagic(ByteReader& in, SavedGame& game) {
  return in.ReadCountedString(game.computerName) && in.ReadF64(game.savedAt) && IsPossibleDate(game.savedAt) &&
         ReadSettings(in, game.settings) && in.ReadI32(game.stonesLeft) && in.ReadI32(game.movableStones) &&
         in.ReadI32(game.activeSpecials) && ReadCells(in, game.settings, game.cells) && IsPlayableSavedGame(game);
}

bool ReadHistoryEntry(ByteReader& in, TReportInfo& entry) {
  return in.ReadCountedString(entry.Name) && in.ReadCountedString(entry.Computer) && in.ReadF64(entry.Date) &&
         IsPossibleDate(entry.Date) && in.ReadI32(entry.Score) && in.ReadCountedString(entry.Address);
}

}  // namespace

SavedGameSettings SavedSettingsOf(const GameSettings& settings, std::int32_t columns, std::int32_t rows) {
  return {settings.stoneHeight, settings.stoneWidth, columns,           rows,
          settings.colorCount,  settings.autoDrop,   settings.playTime, settings.actionsOn,
          settings.lowScore};
}

void ApplySavedSettings(const SavedGameSettings& saved, GameSettings& settings) {
  // The stone size comes along, so the cells' stored pixel positions fit it.
  settings.stoneHeight = saved.stoneHeight;
  settings.stoneWidth = saved.stoneWidth;
  settings.columnCount = saved.columnCount;
  settings.rowCount = saved.rowCount;
  settings.colorCount = static_cast<std::uint8_t>(saved.colorCount);
  settings.autoDrop = saved.autoDrop;
  settings.playTime = saved.playTime;
  settings.actionsOn = saved.actionsOn;
  settings.lowScore = saved.lowScore;
  settings.fitToPicture = false;
}

TReportInfo GameHeaderOf(const SavedGame& game) {
  TReportInfo header;
  header.Computer = game.computerName;
  header.Date = game.savedAt;
  return header;
}

bool IsPlayableSavedGame(const SavedGame& game) {
  const SavedGameSettings& s = game.settings;
  if (!HasPlayableSettings(s)) return false;
  const std::size_t count = game.cells.size();
  if (std::int64_t{s.columnCount} * s.rowCount != static_cast<std::int64_t>(count)) return false;
  if (!IsCounter(game.stonesLeft, count) || !IsCounter(game.movableStones, count) ||
      !IsCounter(game.activeSpecials, count))
    return false;
  for (std::size_t i = 0; i < count; ++i) {
    if (!IsPossibleCell(game.cells[i], i, s)) return false;
  }
  return true;
}

bool SameDeal(const SavedGame& a, const SavedGame& b) {
  const auto rules = [](const SavedGameSettings& s) {
    return std::tuple(s.columnCount, s.rowCount, s.colorCount, s.autoDrop, s.playTime, s.actionsOn, s.lowScore);
  };
  const auto sameStone = [](const TStoneCell& x, const TStoneCell& y) {
    return x.Kind == y.Kind && x.Color == y.Color && (x.Occupied != 0) == (y.Occupied != 0);
  };
  return rules(a.settings) == rules(b.settings) &&
         std::equal(a.cells.begin(), a.cells.end(), b.cells.begin(), b.cells.end(), sameStone);
}

std::vector<std::uint8_t> GameBlockBytes(const SavedGame& game) {
  const SavedGameSettings& s = game.settings;
  ByteWriter out;
  out.PutCountedString(kSavedGameMagic);
  out.PutCountedString(game.computerName, kMaxComputerNameBytes);
  out.PutF64(game.savedAt);
  out.PutI32(s.stoneHeight);
  out.PutI32(s.stoneWidth);
  out.PutI32(s.columnCount);
  out.PutI32(s.rowCount);
  out.PutI32(s.colorCount);
  out.PutFlag(s.autoDrop);
  out.PutI32(s.playTime);
  out.PutFlag(s.actionsOn);
  out.PutFlag(s.lowScore);
  out.PutI32(game.stonesLeft);
  out.PutI32(game.movableStones);
  out.PutI32(game.activeSpecials);
  out.PutI32(static_cast<std::int32_t>(game.cells.size()));
  for (const TStoneCell& cell : game.cells) out.PutBytes(StoneCellBytes(cell));
  return out.Take();
}

std::vector<std::uint8_t> PlayerHistoryEntryBytes(const TReportInfo& entry) {
  ByteWriter out;
  out.PutCountedString(entry.Name);
  out.PutCountedString(entry.Computer);
  out.PutF64(entry.Date);
  out.PutI32(entry.Score);
  out.PutCountedString(entry.Address);
  return out.Take();
}

std::vector<std::uint8_t> SavedGameBytes(const SavedGame& game, const std::vector<TReportInfo>& history) {
  std::vector<std::uint8_t> bytes = GameBlockBytes(game);
  for (const TReportInfo& entry : history) {
    const std::vector<std::uint8_t> entryBytes = PlayerHistoryEntryBytes(entry);
    bytes.insert(bytes.end(), entryBytes.begin(), entryBytes.end());
  }
  return bytes;
}

int ReadFailureStringId(SavedGameStatus status) { return status == SavedGameStatus::NotAGameFile ? kNotAGameFile : kReadFailed; }

ParsedSavedGame ParseGameBlock(std::span<const std::uint8_t> bytes) {
  ParsedSavedGame result;
  ByteReader in(bytes);
  const SavedGameStatus magic = MagicStatus(in);
  if (magic != SavedGameStatus::Ok) {
    result.status = magic;
    return result;
  }
  if (!ReadGameBlockAfterMagic(in, result.game)) {
    result.game = SavedGame{};
    return result;
  }
  result.status = SavedGameStatus::Ok;
  result.playerHistoryOffset = in.Position();
  return result;
}

ParsedPlayerHistory ParsePlayerHistory(std::span<const std::uint8_t> bytes, std::size_t offset) {
  ParsedPlayerHistory result;
  if (offset > bytes.size()) return result;
  ByteReader in(bytes, offset);
  result.wholeEntriesEnd = offset;
  while (!in.AtEnd()) {
    TReportInfo entry;
    if (!ReadHistoryEntry(in, entry)) {
      if (!in.RanShort()) return ParsedPlayerHistory{};
      break;
    }
    result.entries.push_back(std::move(entry));
    result.wholeEntriesEnd = in.Position();
  }
  result.ok = true;
  return result;
}

}  // namespace pebble

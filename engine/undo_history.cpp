#include "engine/undo_history.h"

#include <stdexcept>

namespace pebble {
namespace {

// Bit layout of a packed cell.
constexpr int kKindBits = 3, kOccupiedShift = 3, kCountShift = 4, kCountBits = 3, kColorShift = 7;
constexpr std::uint16_t kFieldMask3 = 0x7;
constexpr std::size_t kMaxColorSlots = 1u << (16 - kColorShift);

}  // namespace

std::size_t UndoHistory::ColorSlot(ColorValue color) {
  if (lastSlot_ < colors_.size() && colors_[lastSlot_] == color) return lastSlot_;
  for (std::size_t i = 0; i < colors_.size(); ++i) {
    if (colors_[i] == color) return lastSlot_ = i;
  }
  colors_.push_back(color);
  return lastSlot_ = colors_.size() - 1;
}

bool UndoHistory::TryPack(const Field& field, std::vector<std::uint16_t>& packed) {
  packed.resize(field.Cells().size());
  for (std::size_t i = 0; i < packed.size(); ++i) {
    const TStoneCell& c = field.Cells()[i];
    const bool fits = c.Kind < (1u << kKindBits) && c.Occupied <= 1 && c.SameColorCount < (1u << kCountBits);
    if (!fits) return false;
    const std::size_t slot = ColorSlot(c.Color);
    if (slot >= kMaxColorSlots) return false;
    packed[i] = static_cast<std::uint16_t>(c.Kind | (c.Occupied << kOccupiedShift) |
                                           (c.SameColorCount << kCountShift) | (slot << kColorShift));
  }
  return true;
}

void UndoHistory::Push(const Field& field, const HistoryCounters& counters, std::int32_t cell) {
  Entry entry;
  entry.counters = counters;
  entry.move.cell = cell;
  if (!TryPack(field, entry.packed)) {
    entry.packed.clear();
    entry.full = field.Cells();
  }
  entries_.push_back(std::move(entry));
}

void UndoHistory::NoteDrop(const DroppedStone& drop) {
  // Stones dropped before the first move belong to the start position.
  if (!entries_.empty()) entries_.back().move.dropsAfter.push_back(drop);
}

TStoneCell UndoHistory::Unpack(std::uint16_t bits, const TStoneCell& place) const {
  TStoneCell c = place;
  c.Kind = static_cast<std::uint8_t>(bits & kFieldMask3);
  c.Occupied = static_cast<std::uint8_t>((bits >> kOccupiedShift) & 1u);
  c.SameColorCount = static_cast<std::uint8_t>((bits >> kCountShift) & kFieldMask3);
  c.Color = colors_.at(bits >> kColorShift);
  return c;
}

void UndoHistory::Restore(const Entry& entry, Field& field) const {
  auto& cells = field.Cells();
  if (!entry.full.empty()) {
    if (entry.full.size() != cells.size()) throw std::logic_error("snapshot does not fit the field");
    cells = entry.full;
    return;
  }
  if (entry.packed.size() != cells.size()) throw std::logic_error("snapshot does not fit the field");
  for (std::size_t i = 0; i < cells.size(); ++i) cells[i] = Unpack(entry.packed[i], cells[i]);
}

HistoryCounters UndoHistory::UndoLast(Field& field) {
  if (entries_.empty()) throw std::logic_error("nothing to undo");
  Restore(entries_.back(), field);
  const HistoryCounters counters = entries_.back().counters;
  redo_.push_back(std::move(entries_.back().move));
  entries_.pop_back();
  return counters;
}

HistoryCounters UndoHistory::RestoreOldest(Field& field) {
  if (entries_.empty()) throw std::logic_error("nothing to restore");
  Restore(entries_.front(), field);
  const HistoryCounters counters = entries_.front().counters;
  // The moves still to redo follow the played ones: the first move goes on top.
  for (auto entry = entries_.rbegin(); entry != entries_.rend(); ++entry) redo_.push_back(std::move(entry->move));
  ClearEntries();
  return counters;
}

PlayedMove UndoHistory::TakeRedo() {
  if (redo_.empty()) throw std::logic_error("nothing to redo");
  PlayedMove move = std::move(redo_.back());
  redo_.pop_back();
  return move;
}

std::vector<TStoneCell> UndoHistory::OldestSnapshot(const Field& field) const {
  if (entries_.empty()) return field.Cells();
  Field copy = field;
  Restore(entries_.front(), copy);
  return copy.Cells();
}

void UndoHistory::ClearEntries() {
  entries_.clear();
  colors_.clear();
  lastSlot_ = 0;
}

void UndoHistory::Clear() {
  ClearEntries();
  redo_.clear();
}

std::size_t UndoHistory::SnapshotBytes() const {
  std::size_t bytes = colors_.size() * sizeof(ColorValue);
  for (const Entry& e : entries_) {
    bytes += sizeof(Entry) + e.packed.size() * sizeof(std::uint16_t) + e.full.size() * sizeof(TStoneCell);
  }
  return bytes;
}

}  // namespace pebble

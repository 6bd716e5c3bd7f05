#pragma once
// The moves of the running game, oldest first, each as the position just
// before the move. A cell's index, pixel origin and neighbour links never
// change during a game, so an entry keeps only what a move can change: kind,
// occupancy, same-colour count and colour (as a place in a colour list shared
// by the whole history): two bytes a cell. An undo still restores every byte
// of every record.

#include <cstdint>
#include <vector>

#include "engine/field.h"

namespace pebble {

struct HistoryCounters {
  std::int32_t StonesLeft = 0;
  std::int32_t MovableStones = 0;
  std::int32_t ActiveSpecials = 0;
  std::int32_t LastMovePoints = 0;
  std::int32_t Score = 0;
  bool operator==(const HistoryCounters&) const = default;
};

class UndoHistory {
 public:
  void Push(const Field& field, const HistoryCounters& counters);
  bool Empty() const { return entries_.empty(); }
  std::size_t Count() const { return entries_.size(); }

  // Puts the newest position back into the field and drops its entry.
  HistoryCounters UndoLast(Field& field);
  // Puts the oldest position back into the field and empties the history.
  HistoryCounters RestoreOldest(Field& field);
  // The start position as full records, for saving the game.
  std::vector<TStoneCell> OldestSnapshot(const Field& field) const;

  const HistoryCounters& OldestCounters() const { return entries_.front().counters; }
  void Clear();
  std::size_t SnapshotBytes() const;

 private:
  struct Entry {
    HistoryCounters counters;
    std::vector<std::uint16_t> packed;  // empty when `full` holds the cells
    std::vector<TStoneCell> full;       // only for cells that do not pack
  };

  bool TryPack(const Field& field, std::vector<std::uint16_t>& packed);
  std::size_t ColorSlot(ColorValue color);
  void Restore(const Entry& entry, Field& field) const;
  TStoneCell Unpack(std::uint16_t bits, const TStoneCell& place) const;

  std::vector<Entry> entries_;
  std::vector<ColorValue> colors_;
  std::size_t lastSlot_ = 0;
};

}  // namespace pebble

#pragma once
// The moves of the running game, oldest first, each as the position just
// before the move. A cell's index, pixel origin and neighbour links never
// change during a game, so an entry keeps only what a move can change: kind,
// occupancy, same-colour count and colour (as a place in a colour list shared
// by the whole history): two bytes a cell. An undo still restores every byte
// of every record.
//
// Each entry also keeps the move itself as a value, the cell clicked and the
// ramp stones dropped after it, so that an undone move can be played again
// through the rules (redo) rather than copied from a stored result.

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

// A ramp stone that landed: the column it dropped into and the stone.
struct DroppedStone {
  std::int32_t column = 0;
  std::uint8_t kind = 0;
  ColorValue color = 0;
  bool operator==(const DroppedStone&) const = default;
};

// One move as the player made it.
struct PlayedMove {
  std::int32_t cell = -1;                  // the cell clicked
  std::vector<DroppedStone> dropsAfter;    // ramp stones landed before the next move
  bool operator==(const PlayedMove&) const = default;
};

class UndoHistory {
 public:
  // The position before a click on `cell` (-1 when the move is not known).
  void Push(const Field& field, const HistoryCounters& counters, std::int32_t cell = -1);
  // A ramp stone landed after the newest move.
  void NoteDrop(const DroppedStone& drop);
  bool Empty() const { return entries_.empty(); }
  std::size_t Count() const { return entries_.size(); }

  // Puts the newest position back into the field and drops its entry; its
  // move becomes the next one to redo.
  HistoryCounters UndoLast(Field& field);
  // Puts the oldest position back into the field and empties the history;
  // every move of the game can then be redone.
  HistoryCounters RestoreOldest(Field& field);

  // The undone moves, the next one to redo last.
  bool CanRedo() const { return !redo_.empty(); }
  std::size_t RedoCount() const { return redo_.size(); }
  PlayedMove TakeRedo();
  void DiscardRedo() { redo_.clear(); }
  // The start position as full records, for saving the game.
  std::vector<TStoneCell> OldestSnapshot(const Field& field) const;

  const HistoryCounters& OldestCounters() const { return entries_.front().counters; }
  // Forgets the moves and what could be redone (a new game).
  void Clear();
  std::size_t SnapshotBytes() const;

 private:
  struct Entry {
    HistoryCounters counters;
    PlayedMove move;
    std::vector<std::uint16_t> packed;  // empty when `full` holds the cells
    std::vector<TStoneCell> full;       // only for cells that do not pack
  };

  bool TryPack(const Field& field, std::vector<std::uint16_t>& packed);
  std::size_t ColorSlot(ColorValue color);
  void Restore(const Entry& entry, Field& field) const;
  TStoneCell Unpack(std::uint16_t bits, const TStoneCell& place) const;
  void ClearEntries();

  std::vector<Entry> entries_;
  std::vector<ColorValue> colors_;
  std::size_t lastSlot_ = 0;
  std::vector<PlayedMove> redo_;
};

}  // namespace pebble

#pragma once
// What the rules need of the window in the middle of their work: messages,
// sounds, animation frames, redraws and the end-of-game notices. The main
// window implements it; tests record the calls.

#include <cstdint>
#include <string_view>
#include <vector>

namespace pebble {

// One removed cell; after settling has prepared the list, one vertical run
// given by its bottom cell, with `work` = the run's length.
struct RemovalEntry {
  std::int32_t index = 0;
  std::int32_t row = 0;
  std::int32_t column = 0;
  std::int32_t work = 0;
  bool operator==(const RemovalEntry&) const = default;
};

// One stack of stones that falls: its bottom stone, its height, the rows it falls.
struct FallEntry {
  std::int32_t bottomIndex = 0;
  std::int32_t count = 0;
  std::int32_t distance = 0;
  bool operator==(const FallEntry&) const = default;
};

// One gap of empty columns and the columns right of it that slide into it.
struct GapEntry {
  std::int32_t firstColumn = 0;
  std::int32_t count = 0;
  std::int32_t span = 0;
  std::int32_t shift = 0;
  bool operator==(const GapEntry&) const = default;
};

using RemovalList = std::vector<RemovalEntry>;
using FallList = std::vector<FallEntry>;
using GapList = std::vector<GapEntry>;

class GameHost {
 public:
  virtual ~GameHost() = default;

  // The message panel of the status bar; ids are base string ids.
  virtual void ShowMessage(int stringId) = 0;
  // The same, and the status bar repainted at once (before a long step).
  virtual void ShowMessageNow(int stringId) = 0;
  virtual void ClearMessage() = 0;
  virtual int MessageShown() const = 0;  // -1 when the panel is clear

  virtual void PlaySound(std::string_view name) = 0;  // called only when sounds are on
  virtual void Beep() = 0;
  virtual void ShowCounts() = 0;
  virtual void SetWaitCursor(bool waiting) = 0;
  virtual void FieldTooltipsOff() = 0;

  // A right click shows the hints window (and keeps the main window in
  // front); any other click updates it only when it is already visible.
  virtual void ShowCellHint(std::int32_t index, bool rightButton) = 0;

  // Animation stages; each returns when its last frame has been shown.
  virtual void DeleteAnimation(const RemovalList& runs) = 0;
  virtual void FallAnimation(const FallList& stacks) = 0;
  virtual void ColumnAnimation(const GapList& gaps) = 0;
  virtual void DrawWholeField() = 0;

  virtual void UndoAvailable(bool available) = 0;
  virtual void BestMoveRaised(std::int32_t bestMove) = 0;

  // End of game.
  virtual void StopCountDown() = 0;
  virtual void ShowClearingBonus(std::int32_t bonus) = 0;
  virtual void RecordResult(std::int32_t result) = 0;
  // A redo has played the game to the end it had before the undo: that end
  // is already in the statistics and is not recorded again.
  virtual void ResultRestored(std::int32_t /*result*/) {}
};

}  // namespace pebble

#include "config/game_settings.h"

#include <limits>

namespace pebble {
namespace {

template <typename T>
bool ReplaceUnless(T& value, bool playable, T fallback) {
  if (playable) return false;
  value = fallback;
  return true;
}

bool InRange(std::int64_t v, std::int64_t lo, std::int64_t hi) { return v >= lo && v <= hi; }

}  // namespace

bool MakePlayable(GameSettings& s) {
  const GameSettings d;
  bool changed = false;
  changed |= ReplaceUnless(s.stoneWidth, InRange(s.stoneWidth, 1, kMaxStonePixels), d.stoneWidth);
  changed |= ReplaceUnless(s.stoneHeight, InRange(s.stoneHeight, 1, kMaxStonePixels), d.stoneHeight);
  changed |= ReplaceUnless(s.columnCount, InRange(s.columnCount, 1, kMaxFieldCells), d.columnCount);
  changed |= ReplaceUnless(s.rowCount, InRange(s.rowCount, 1, kMaxFieldCells), d.rowCount);
  // A field wider or higher than a window can be is not holdable: fall back to
  // the default field and stone size together, so the player sees a game.
  if (std::int64_t{s.columnCount} * s.stoneWidth + 1 > kMaxFieldPixels) {
    s.columnCount = d.columnCount;
    s.stoneWidth = d.stoneWidth;
    changed = true;
  }
  if (std::int64_t{s.rowCount} * s.stoneHeight + 1 > kMaxFieldPixels) {
    s.rowCount = d.rowCount;
    s.stoneHeight = d.stoneHeight;
    changed = true;
  }
  changed |= ReplaceUnless(s.colorCount, InRange(s.colorCount, 1, kMaxColors), d.colorCount);
  changed |= ReplaceUnless(s.backgroundMode, s.backgroundMode <= 3, d.backgroundMode);
  // The folder index is advanced by one before use: it must stay a valid index
  // (or -1, "before the first picture") and must not overflow.
  changed |= ReplaceUnless(s.folderPictureIndex,
                           InRange(s.folderPictureIndex, -1, std::numeric_limits<std::int32_t>::max() - 1),
                           d.folderPictureIndex);
  changed |= ReplaceUnless(s.actionFrequency, s.actionFrequency >= 1, d.actionFrequency);
  changed |= ReplaceUnless(s.playTime, s.playTime >= 1, d.playTime);
  changed |= ReplaceUnless(s.aniIntervalDelete, s.aniIntervalDelete >= 1, d.aniIntervalDelete);
  changed |= ReplaceUnless(s.aniIntervalMoveStone, s.aniIntervalMoveStone >= 1, d.aniIntervalMoveStone);
  changed |= ReplaceUnless(s.aniIntervalMoveRow, s.aniIntervalMoveRow >= 1, d.aniIntervalMoveRow);
  changed |= ReplaceUnless(s.aniIntervalDrop, s.aniIntervalDrop >= 1, d.aniIntervalDrop);
  changed |= ReplaceUnless(s.newStoneEvery, s.newStoneEvery >= 1, d.newStoneEvery);
  changed |= ReplaceUnless(s.dropInterval, s.dropInterval >= 1, d.dropInterval);
  changed |= ReplaceUnless(s.dropStoneOffset, InRange(s.dropStoneOffset, 1, kMaxStonePixels), d.dropStoneOffset);
  changed |= ReplaceUnless(s.languageOffset,
                           s.languageOffset == 0 || s.languageOffset == 1000 || s.languageOffset == 2000,
                           d.languageOffset);
  return changed;
}

}  // namespace pebble

#pragma once
// Playing from the keyboard: a cursor over the field moved by the arrow keys,
// Home and End, Space or Enter as a click on its cell, D to drop the ramp
// stone above it, and Y to play an undone move again. The window's command
// keys are in TfrmGame::keyPressEvent (tfrm_game_keys.cpp), which passes
// every key on to here.

#include <QPoint>
#include <cstdint>
#include <functional>

#include "control/field_cursor.h"

namespace pebble {
class Game;
}

namespace pebble::ui {

class FieldView;
class RampView;

class KeyboardPlay {
 public:
  KeyboardPlay(const Game& game, FieldView& field, RampView& ramp);

  // Any key; those that are not keys of play do nothing.
  void PlayKey(int key);
  // The mouse has taken over from the keyboard.
  void HideCursor();
  // A new game: the cursor starts hidden on its first stone.
  void Reset();
  // Stones have fallen or columns closed: the cursor stays on a stone.
  void FieldRedrawn();

  const FieldCursor& Cursor() const { return cursor_; }

  // A left click on the field at this pixel.
  std::function<void(QPoint)> onClick;
  // Y: the next undone move again.
  std::function<void()> onRedo;
  // The cursor has moved onto the cell with this index.
  std::function<void(std::int32_t)> onCursorMoved;

 private:
  void MoveCursor(const std::function<void()>& move);
  void ClickAtCursor();
  void DropAtCursor();
  void ShowCursorFrame();

  const Game& game_;
  FieldView& field_;
  RampView& ramp_;
  FieldCursor cursor_;
};

}  // namespace pebble::ui

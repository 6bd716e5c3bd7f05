// Playing from the keyboard: a cursor over the field moved by the arrow keys,
// Space or Enter as a click on its cell, a key that drops the ramp stone above
// it, and Y to play an undone move again.

#include <QKeyEvent>

#include "control/ui/paint_box.h"
#include "control/ui/tfrm_game.h"
#include "scores/ui/tfrm_hints.h"

namespace pebble::ui {

void TfrmGame::PlayKey(int key) {
  // Nothing to play on while a game is set up or the field is hidden (paused).
  if (game_.SettingUp() || !imgMain_->isVisible()) return;
  const Field& field = game_.GetField();
  switch (key) {
    case Qt::Key_Left: MoveCursor([&] { cursor_.Step(field, 0, -1); }); break;
    case Qt::Key_Right: MoveCursor([&] { cursor_.Step(field, 0, 1); }); break;
    case Qt::Key_Up: MoveCursor([&] { cursor_.Step(field, -1, 0); }); break;
    case Qt::Key_Down: MoveCursor([&] { cursor_.Step(field, 1, 0); }); break;
    case Qt::Key_Home: MoveCursor([&] { cursor_.ToFirstColumn(field); }); break;
    case Qt::Key_End: MoveCursor([&] { cursor_.ToLastColumn(field); }); break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter: ClickAtCursor(); break;
    case Qt::Key_D: DropAtCursor(); break;
    case Qt::Key_Y: Redo(); break;
    default: break;
  }
}

void TfrmGame::MoveCursor(const std::function<void()>& move) {
  // The first key only shows where the cursor is.
  if (cursor_.Shown()) move();
  cursor_.Show();
  ShowCursorFrame();
  ShowHintsForClick(hints_, *this, store_, game_, cursor_.Index(game_.GetField()), false);
}

void TfrmGame::ShowCursorFrame() {
  if (!cursor_.Shown() || game_.SettingUp()) {
    imgMain_->SetFrame(std::nullopt);
    return;
  }
  const Field& field = game_.GetField();
  const TStoneCell& cell = field[cursor_.Index(field)];
  imgMain_->SetFrame(QRect(cell.Left, cell.Top, field.StoneWidth() + 1, field.StoneHeight() + 1));
}

void TfrmGame::HideCursor() {
  // The mouse has taken over from the keyboard.
  cursor_.Hide();
  ShowCursorFrame();
}

void TfrmGame::ClickAtCursor() {
  if (!cursor_.Shown()) return MoveCursor([] {});
  const Field& field = game_.GetField();
  const TStoneCell& cell = field[cursor_.Index(field)];
  imgMainMouseUp(Qt::LeftButton, QPoint(cell.Left + (field.StoneWidth() + 1) / 2, cell.Top + (field.StoneHeight() + 1) / 2));
}

void TfrmGame::DropAtCursor() {
  if (!ramp_) return;
  if (!cursor_.Shown()) return MoveCursor([] {});
  // As a click on the ramp right above the middle of the cursor's column.
  const Field& field = game_.GetField();
  const std::int32_t x = (cursor_.Position().column - 1) * field.StoneWidth() + field.StoneWidth() / 2;
  imgRampMouseDown(QPoint(x, 1));
}

void TfrmGame::Redo() {
  // The inverse of an undo: it waits, as an undo does, for the move in hand.
  RunWhenSettled([this] {
    if (!game_.CanRedo()) return;
    game_.RedoMove([this](const DroppedStone& drop) {
      if (ramp_) ramp_->DropAgain(drop);
    });
  });
}

}  // namespace pebble::ui

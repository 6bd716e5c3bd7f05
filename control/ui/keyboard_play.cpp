#include "control/ui/keyboard_play.h"

#include "control/ui/field_view.h"
#include "control/ui/ramp_view.h"
#include "engine/game.h"

namespace pebble::ui {

KeyboardPlay::KeyboardPlay(const Game& game, FieldView& field, RampView& ramp) : game_(game), field_(field), ramp_(ramp) {}

void KeyboardPlay::PlayKey(int key) {
  // Nothing to play on while a game is set up or the field is hidden (paused).
  if (game_.SettingUp() || !field_.isVisible()) return;
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
    case Qt::Key_Y:
      if (onRedo) onRedo();
      break;
    default: break;
  }
}

void KeyboardPlay::MoveCursor(const std::function<void()>& move) {
  // The first key only shows where the cursor is.
  if (cursor_.Shown()) move();
  cursor_.Show();
  ShowCursorFrame();
  if (onCursorMoved) onCursorMoved(cursor_.Index(game_.GetField()));
}

void KeyboardPlay::ShowCursorFrame() {
  const Field& field = game_.GetField();
  const bool shown = cursor_.Shown() && !game_.SettingUp();
  field_.FrameCell(field, shown ? std::optional(cursor_.Index(field)) : std::nullopt);
}

void KeyboardPlay::HideCursor() {
  cursor_.Hide();
  ShowCursorFrame();
}

void KeyboardPlay::Reset() { cursor_.Reset(game_.GetField()); }

void KeyboardPlay::FieldRedrawn() {
  cursor_.KeepOnStone(game_.GetField());
  ShowCursorFrame();
}

void KeyboardPlay::ClickAtCursor() {
  if (!cursor_.Shown()) return MoveCursor([] {});
  const Field& field = game_.GetField();
  const TStoneCell& cell = field[cursor_.Index(field)];
  if (onClick) onClick(QPoint(cell.Left + (field.StoneWidth() + 1) / 2, cell.Top + (field.StoneHeight() + 1) / 2));
}

void KeyboardPlay::DropAtCursor() {
  if (!ramp_.GetRamp()) return;
  if (!cursor_.Shown()) return MoveCursor([] {});
  // As a press on the ramp right above the middle of the cursor's column.
  const Field& field = game_.GetField();
  const std::int32_t x = (cursor_.Position().column - 1) * field.StoneWidth() + field.StoneWidth() / 2;
  ramp_.Press(QPoint(x, 1));
}

}  // namespace pebble::ui

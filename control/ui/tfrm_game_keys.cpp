// Every key of the main window, in one table: the command keys here, the
// keys of play (the cursor, its clicks and drops, redo) in KeyboardPlay.
// The command menu opens with the keys desktops give it: F10 (with or
// without Shift), the Menu key, and Alt pressed and let go alone.

#include <QKeyEvent>

#include "control/ui/keyboard_play.h"
#include "control/ui/key_table.h"
#include "control/ui/ramp_view.h"
#include "control/ui/shell_integration.h"
#include "control/ui/tfrm_game.h"
#include "control/ui/tool_button.h"

namespace pebble::ui {

void TfrmGame::keyPressEvent(QKeyEvent* event) {
  if (ZoomKey(*event)) return;
  const int key = KeyTableKey(*event);
  if (key == Qt::Key_I) bttInfoClick();
  if (key == Qt::Key_N) bttStartClick();
  if (key == Qt::Key_C) bttCfgClick();
  if (key == Qt::Key_A) bttAboutClick();
  if (key == Qt::Key_S) SaveGame();
  if (key == Qt::Key_O) OpenGame();
  if (key == Qt::Key_R) ShowReport();
  if (key == Qt::Key_F1) bttHelpClick();
  if (key == Qt::Key_H) ShowHints();
  if (key == Qt::Key_L) MakeShortcutAndRegister(this, LanguageOffset());
  if ((key == Qt::Key_Z || key == Qt::Key_Backspace) && Button(bttUndo)->isEnabled()) PlayHistory();
  if (key == Qt::Key_P || key == Qt::Key_S) Suspend();
  if (key == Qt::Key_Escape) DisguiseWindow();
  keys_->PlayKey(key);
  if (key == Qt::Key_B) AskForAdvice();
  altTapped_ = key == Qt::Key_Alt && !event->isAutoRepeat();
  if (key == Qt::Key_F10 || key == Qt::Key_Menu) OpenCommandMenu();
}

void TfrmGame::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Alt && altTapped_) OpenCommandMenu();
  altTapped_ = false;
}

void TfrmGame::AskForAdvice() {
  // A game played with advice gets a mark in the table of the best.
  if (game_.GameRunning() && !game_.SettingUp() && !game_.MoveInProgress()) aided_ = true;
  solver_->AskForAdvice();
}

// Ctrl with +, - or 0, on the main keys or the number pad; the game's own
// keys take none of them.
bool TfrmGame::ZoomKey(const QKeyEvent& event) {
  if (!event.modifiers().testFlag(Qt::ControlModifier)) return false;
  switch (event.key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal: ZoomIn(); return true;
    case Qt::Key_Minus: ZoomOut(); return true;
    case Qt::Key_0: ZoomReset(); return true;
    default: return false;
  }
}

void TfrmGame::Redo() {
  // The inverse of an undo: it waits, as an undo does, for the move in hand.
  RunWhenSettled([this] {
    if (!game_.CanRedo()) return;
    game_.RedoMove([this](const DroppedStone& drop) {
      if (Ramp* ramp = imgRamp_->GetRamp()) ramp->DropAgain(drop);
    });
  });
}

}  // namespace pebble::ui

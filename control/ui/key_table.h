#pragma once
// Which key of the main window's keyboard commands a key press is. Letters are
// matched by the key's Latin letter, so the commands work on every keyboard
// layout: a letter typed in another alphabet (Cyrillic, Greek, ...) counts as
// the letter a US keyboard prints on the same key, as Windows' virtual-key
// codes have it.

class QKeyEvent;

namespace pebble::ui {

// Qt::Key_A .. Qt::Key_Z for letter keys; every other key as Qt reports it.
int KeyTableKey(const QKeyEvent& event);

}  // namespace pebble::ui

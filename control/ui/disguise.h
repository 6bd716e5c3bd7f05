#pragma once
// The boss key (Esc): the game window takes the title, icon name, icon and
// (on X11) window class of a word processor's document and goes to the task bar, and every other window of
// the program goes out of sight with it (a clock or a hints window left on
// screen would give the game away, and a click on the clock would resume
// it). Restoring the window brings back exactly the windows it took away.

#include <QPointer>
#include <QWidget>
#include <optional>
#include <vector>

#include "control/ui/x11_names.h"

namespace pebble::ui {

class Disguise {
 public:
  explicit Disguise(QWidget& window) : window_(window) {}

  void PutOn();
  // The window is restored from the task bar: false unless a disguise was
  // ever put on. The window keeps counting as disguised from then on, so
  // every later restore takes the disguise off again.
  bool TakeOff();
  bool Worn() const { return worn_; }

 private:
  void HideOtherWindows();
  void ShowHiddenWindows();
  void PutOnDocumentClass();

  QWidget& window_;
  bool worn_ = false;
  std::optional<WindowClass> gameClass_;  // while the document's class is on
  std::vector<QPointer<QWidget>> hidden_;
};

}  // namespace pebble::ui

#include "control/ui/disguise.h"

#include <QApplication>
#include <QIcon>
#include <QToolTip>
#include <utility>

#include "config/ui/qt_dialogs.h"
#include "control/ui/x11_names.h"

namespace pebble::ui {
namespace {

constexpr const char* kDisguiseTitle = "Microsoft Word - Document 1";
// The class the word processor's window has when it runs under Wine: no menu
// entry of a Linux desktop claims it, so a task bar shows the title and icon.
const WindowClass kDisguiseClass{"winword.exe", "winword.exe"};

}  // namespace

void Disguise::PutOn() {
  // Every name a task bar, a pager or a window switcher can show.
  window_.setWindowTitle(kDisguiseTitle);
  window_.setWindowIconText(kDisguiseTitle);
  WriteOldIconName(window_, kDisguiseTitle);
  window_.setWindowIcon(QIcon(":/res/WordIcon"));
  worn_ = true;
  HideOtherWindows();
  PutOnDocumentClass();
  window_.showMinimized();
}

void Disguise::PutOnDocumentClass() {
  const std::optional<WindowClass> current = ReadWindowClass(window_);
  if (!current || *current == kDisguiseClass) return;
  gameClass_ = *current;
  // The window manager reads the class when it takes a window on: the window
  // leaves the screen for the change and comes back as the document.
  window_.hide();
  WriteWindowClass(window_, kDisguiseClass);
}

bool Disguise::TakeOff() {
  if (!worn_) return false;
  window_.setWindowTitle(ProgramTitle());
  window_.setWindowIconText(ProgramTitle());
  WriteOldIconName(window_, ProgramTitle());
  window_.setWindowIcon(QIcon(":/res/Mainicon"));
  if (gameClass_) WriteWindowClass(window_, *std::exchange(gameClass_, std::nullopt));
  ShowHiddenWindows();
  return true;
}

void Disguise::HideOtherWindows() {
  // The whole program goes, not just its main window.
  QToolTip::hideText();
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window == &window_ || !window->isVisible() || window->windowType() == Qt::ToolTip) continue;
    hidden_.emplace_back(window);
    window->hide();
  }
}

void Disguise::ShowHiddenWindows() {
  // Exactly the windows the disguise took away come back, the game in front.
  for (const QPointer<QWidget>& window : std::exchange(hidden_, {}))
    if (window) window->show();
  window_.raise();
  window_.activateWindow();
}

}  // namespace pebble::ui

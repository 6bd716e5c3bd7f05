#include "control/ui/disguise.h"

#include <QApplication>
#include <QIcon>
#include <QToolTip>
#include <utility>

#include "config/ui/qt_dialogs.h"

namespace pebble::ui {
namespace {

constexpr const char* kDisguiseTitle = "Microsoft Word - Document 1";

}  // namespace

void Disguise::PutOn() {
  window_.setWindowTitle(kDisguiseTitle);
  window_.setWindowIcon(QIcon(":/res/WordIcon"));
  worn_ = true;
  HideOtherWindows();
  window_.showMinimized();
}

bool Disguise::TakeOff() {
  if (!worn_) return false;
  window_.setWindowTitle(ProgramTitle());
  window_.setWindowIcon(QIcon(":/res/Mainicon"));
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

#pragma once
// Names of a window on X11 that Qt does not let the program change: the class
// (WM_CLASS: instance and class name), by which a desktop matches the window
// to a menu entry with its name and icon, and the older icon name
// (WM_ICON_NAME) beside the one Qt sets. Qt sets the class once, when the
// window is created; the disguise changes it while the window is off the
// screen, so the window manager reads it anew. Off X11 these do nothing.

#include <QByteArray>
#include <QString>
#include <optional>

class QWidget;

namespace pebble::ui {

struct WindowClass {
  QByteArray instance;
  QByteArray className;
  bool operator==(const WindowClass&) const = default;
};

// The window's class as the window system holds it; nothing off X11.
std::optional<WindowClass> ReadWindowClass(QWidget& window);
// Sets it; false off X11, where windows carry no class.
bool WriteWindowClass(QWidget& window, const WindowClass& windowClass);
// Sets WM_ICON_NAME, in Latin-1 as that property is read.
bool WriteOldIconName(QWidget& window, const QString& name);

}  // namespace pebble::ui

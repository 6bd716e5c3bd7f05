#include "control/ui/x11_names.h"

#include <QWidget>

#ifdef PEBBLE_HAS_XCB
#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>
#endif

namespace pebble::ui {

#ifdef PEBBLE_HAS_XCB
namespace {

xcb_connection_t* X11Connection() {
  const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

bool WriteStringProperty(QWidget& window, xcb_atom_t property, const QByteArray& value) {
  xcb_connection_t* connection = X11Connection();
  if (!connection) return false;
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window.winId()), property,
                      XCB_ATOM_STRING, 8, static_cast<std::uint32_t>(value.size()), value.constData());
  xcb_flush(connection);
  return true;
}

}  // namespace

std::optional<WindowClass> ReadWindowClass(QWidget& window) {
  xcb_connection_t* connection = X11Connection();
  if (!connection) return std::nullopt;
  const xcb_get_property_cookie_t cookie = xcb_get_property(
      connection, 0, static_cast<xcb_window_t>(window.winId()), XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 256);
  const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
      xcb_get_property_reply(connection, cookie, nullptr), &std::free);
  if (!reply || reply->format != 8) return std::nullopt;
  // Two strings, each ended by a zero byte.
  const QByteArray value(static_cast<const char*>(xcb_get_property_value(reply.get())),
                         xcb_get_property_value_length(reply.get()));
  const QList<QByteArray> parts = value.split('\0');
  if (parts.size() < 2) return std::nullopt;
  return WindowClass{parts[0], parts[1]};
}

bool WriteWindowClass(QWidget& window, const WindowClass& windowClass) {
  return WriteStringProperty(window, XCB_ATOM_WM_CLASS, windowClass.instance + '\0' + windowClass.className + '\0');
}

bool WriteOldIconName(QWidget& window, const QString& name) {
  return WriteStringProperty(window, XCB_ATOM_WM_ICON_NAME, name.toLatin1());
}

#else

std::optional<WindowClass> ReadWindowClass(QWidget&) { return std::nullopt; }
bool WriteWindowClass(QWidget&, const WindowClass&) { return false; }
bool WriteOldIconName(QWidget&, const QString&) { return false; }

#endif

}  // namespace pebble::ui

#include "config/ui/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace pebble {
namespace {

std::string SectionOf(const QWidget& form) { return WindowSectionName(form.objectName().toStdString()); }

ScreenRect ToScreenRect(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

// Stored numbers go through the sane range before a QRect is built of them.
QRect StoredRect(const SettingsStore& store, const std::string& section, const ScreenRect& fallback) {
  const ScreenRect sane = SaneStoredPlacement({store.ReadRegInt(section, kValueLeft, fallback.left),
                                               store.ReadRegInt(section, kValueTop, fallback.top),
                                               store.ReadRegInt(section, kValueWidth, fallback.width),
                                               store.ReadRegInt(section, kValueHeight, fallback.height)});
  return {sane.left, sane.top, sane.width, sane.height};
}

}  // namespace

std::vector<ScreenRect> AvailableScreens() {
  std::vector<ScreenRect> screens;
  if (QScreen* primary = QGuiApplication::primaryScreen()) screens.push_back(ToScreenRect(primary->availableGeometry()));
  for (QScreen* screen : QGuiApplication::screens()) {
    if (screen != QGuiApplication::primaryScreen()) screens.push_back(ToScreenRect(screen->availableGeometry()));
  }
  return screens;
}

QPoint StoredWindowPosition(const SettingsStore& store, std::string_view section, std::string_view leftName,
                            std::string_view topName, QPoint fallback) {
  const ScreenRect sane = SaneStoredPlacement(
      {store.ReadRegInt(section, leftName, fallback.x()), store.ReadRegInt(section, topName, fallback.y()), 0, 0});
  return {sane.left, sane.top};
}

QRect KeepOnScreens(const QRect& wanted) {
  const ScreenRect kept = KeepReachable(ToScreenRect(wanted), AvailableScreens());
  return {kept.left, kept.top, kept.width, kept.height};
}

void WindowPlacement::Apply(QWidget& form, const std::string& section, const QRect& wanted) {
  const QRect placement = KeepOnScreens(wanted);
  restoringPlacement_ = true;
  // Left and top are the frame's, as for the main window, so a title bar is
  // never pushed above the screen; width and height are the client area's.
  form.resize(placement.size());
  form.move(placement.topLeft());
  restoringPlacement_ = false;
  known_[section] = placement;
}

void WindowPlacement::setWindowPos(QWidget& form, const QRect& defaults) {
  const std::string section = SectionOf(form);
  Apply(form, section, StoredRect(store_, section, ToScreenRect(defaults)));
}

void WindowPlacement::setWindowPosOnly(QWidget& form, const QRect& defaults) {
  const std::string section = SectionOf(form);
  const QPoint at = StoredWindowPosition(store_, section, kValueLeft, kValueTop, defaults.topLeft());
  Apply(form, section, QRect(at, form.size()));
}

void WindowPlacement::saveWindowPos(QWidget& form) {
  if (restoringPlacement_) return;
  if (form.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) return;
  const std::string section = SectionOf(form);
  const QRect placement(form.pos(), form.size());
  if (auto known = known_.find(section); known != known_.end() && known->second == placement) return;
  try {
    SettingsBatch batch(store_);
    store_.SaveRegInt(section, kValueLeft, placement.x());
    store_.SaveRegInt(section, kValueTop, placement.y());
    store_.SaveRegInt(section, kValueWidth, placement.width());
    store_.SaveRegInt(section, kValueHeight, placement.height());
    batch.Commit();
    known_[section] = placement;
  } catch (const SettingsStoreError&) {
    // A placement not kept is no reason to disturb the player.
  }
}

}  // namespace pebble

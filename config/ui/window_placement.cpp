#include "config/ui/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace pebble {
namespace {

std::string SectionOf(const QWidget& form) { return WindowSectionName(form.objectName().toStdString()); }

ScreenRect ToScreenRect(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

}  // namespace

std::vector<ScreenRect> AvailableScreens() {
  std::vector<ScreenRect> screens;
  if (QScreen* primary = QGuiApplication::primaryScreen()) screens.push_back(ToScreenRect(primary->availableGeometry()));
  for (QScreen* screen : QGuiApplication::screens()) {
    if (screen != QGuiApplication::primaryScreen()) screens.push_back(ToScreenRect(screen->availableGeometry()));
  }
  return screens;
}

QRect KeepOnScreens(const QRect& wanted) {
  const ScreenRect kept = KeepReachable(ToScreenRect(wanted), AvailableScreens());
  return {kept.left, kept.top, kept.width, kept.height};
}

void WindowPlacement::Apply(QWidget& form, const QRect& wanted) {
  restoringPlacement_ = true;
  form.setGeometry(KeepOnScreens(wanted));
  restoringPlacement_ = false;
}

void WindowPlacement::setWindowPos(QWidget& form, const QRect& defaults) {
  const std::string section = SectionOf(form);
  const QRect wanted(store_.ReadRegInt(section, kValueLeft, defaults.x()),
                     store_.ReadRegInt(section, kValueTop, defaults.y()),
                     store_.ReadRegInt(section, kValueWidth, defaults.width()),
                     store_.ReadRegInt(section, kValueHeight, defaults.height()));
  Apply(form, wanted);
}

void WindowPlacement::setWindowPosOnly(QWidget& form, const QRect& defaults) {
  const std::string section = SectionOf(form);
  const QRect wanted(store_.ReadRegInt(section, kValueLeft, defaults.x()),
                     store_.ReadRegInt(section, kValueTop, defaults.y()), form.width(), form.height());
  Apply(form, wanted);
}

void WindowPlacement::saveWindowPos(QWidget& form) {
  if (restoringPlacement_) return;
  if (form.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) return;
  const std::string section = SectionOf(form);
  const QRect placement = form.geometry();
  try {
    SettingsBatch batch(store_);
    store_.SaveRegInt(section, kValueLeft, placement.x());
    store_.SaveRegInt(section, kValueTop, placement.y());
    store_.SaveRegInt(section, kValueWidth, placement.width());
    store_.SaveRegInt(section, kValueHeight, placement.height());
    batch.Commit();
  } catch (const SettingsStoreError&) {
    // A placement not kept is no reason to disturb the player.
  }
}

}  // namespace pebble

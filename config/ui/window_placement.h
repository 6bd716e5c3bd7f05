#pragma once
// Restores and keeps the placement of the secondary windows (hints, count-down,
// ...) in the store section named after the window, so they come back where
// the player left them.

#include <QRect>
#include <map>
#include <string>
#include <vector>

#include "config/settings_store.h"
#include "config/system_services.h"

class QWidget;

namespace pebble {

constexpr std::string_view kValueLeft = "Links";
constexpr std::string_view kValueTop = "Oben";
constexpr std::string_view kValueWidth = "Breite";
constexpr std::string_view kValueHeight = "Höhe";

class WindowPlacement {
 public:
  explicit WindowPlacement(SettingsStore& store) : store_(store) {}

  // Applies the stored left, top, width and height (defaults: the fields of
  // `defaults`) in one change, moved onto a screen if it would be out of reach.
  void setWindowPos(QWidget& form, const QRect& defaults);
  // The same for left and top only; the window keeps its size.
  void setWindowPosOnly(QWidget& form, const QRect& defaults);
  // Stores the placement of a window in its normal state; does nothing for a
  // minimised or maximised window, while a placement is being applied, or when
  // the window is where it was last restored or saved: the move and resize
  // events of a restore, which the window system may deliver later, must not
  // write back.
  void saveWindowPos(QWidget& form);

  bool restoringPlacement() const { return restoringPlacement_; }

 private:
  void Apply(QWidget& form, const std::string& section, const QRect& wanted);

  SettingsStore& store_;
  bool restoringPlacement_ = false;
  std::map<std::string, QRect> known_;  // per section: last restored or saved
};

// A window's left and top as stored under leftName and topName in section
// (fallback where nothing is stored), brought into a range any screen can
// hold, so that no arithmetic on it can overflow.
QPoint StoredWindowPosition(const SettingsStore& store, std::string_view section, std::string_view leftName,
                            std::string_view topName, QPoint fallback);

// The available areas of the screens, the primary screen first.
std::vector<ScreenRect> AvailableScreens();
// A window's rectangle kept where the player can reach it on today's screens.
QRect KeepOnScreens(const QRect& wanted);

}  // namespace pebble

#pragma once
// Pictures of windows for a look by eye: saved only when PEBBLE_SHOTS names a
// folder, so a normal test run writes nothing.

#include <QPixmap>
#include <QString>
#include <QWidget>

namespace pebble::testing {

inline QString ShotFolder() { return qEnvironmentVariable("PEBBLE_SHOTS"); }

// Saves the window as <name>.png in the shot folder, if one is named.
inline void SaveShot(QWidget& window, const QString& name) {
  const QString folder = ShotFolder();
  if (!folder.isEmpty()) window.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

}  // namespace pebble::testing

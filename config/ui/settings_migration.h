#pragma once
// The first step of every start of the game: settings of an older version,
// kept for the whole machine, move over to a player who has none yet.

class QWidget;

namespace pebble {

class SettingsStore;

namespace ui {

// Moves the older settings over when the player has none; when that fails
// the player is told (over parent) and the game goes on with its defaults.
void MigrateOlderSettings(SettingsStore& store, QWidget* parent);

}  // namespace ui
}  // namespace pebble

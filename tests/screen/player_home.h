#pragma once
// A player's home of its own for one test: the settings, the desktop and the
// file types go to a temporary folder, and the game finds a player who has
// started this version before (so no first-run help or shortcut pops up).

#include <QTemporaryDir>
#include <QtGlobal>

#include "config/settings_model.h"
#include "config/settings_store.h"

namespace pebble::testing {

class PlayerHome {
 public:
  explicit PlayerHome(int languageCode) {
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "HOME"})
      qputenv(name, folder_.filePath(name).toUtf8());
    std::unique_ptr<SettingsStore> store = MakeDefaultSettingsStore();
    store->SetProgRoot(kPebbledromeProgRoot);
    store->SaveRegInt(kRootSection, kValueLanguage, languageCode);
    store->SaveRegInt(kRootSection, kValueVersion, kSettingsVersion);
    store->SaveRegBool(kConfigSection, kValueSoundsOn, false);
  }

 private:
  QTemporaryDir folder_;
};

}  // namespace pebble::testing

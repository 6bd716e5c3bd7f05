#pragma once
// A player's home of its own for a window test: the settings, the desktop and
// the data folders point into a temporary folder, so the player's real ones
// are never touched, and the settings store opens there.

#include <QTemporaryDir>
#include <memory>

#include "config/settings_model.h"
#include "config/settings_store.h"
#include "config/string_table.h"
#include "support/scripted_prompter.h"

namespace pebble::testing {

// Points the settings and desktop folders into `home` and opens the store
// there, with the stored language given by its offset (English unless told).
inline std::unique_ptr<SettingsStore> StoreInHome(const QTemporaryDir& home, int languageOffset = kEnglishOffset) {
  qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
  qputenv("XDG_CONFIG_DIRS", home.filePath("etc").toUtf8());
  qputenv("HOME", home.path().toUtf8());
  qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
  auto store = MakeDefaultSettingsStore();
  store->SetProgRoot(kPebbledromeProgRoot);
  store->SaveRegInt(kRootSection, kValueLanguage, languageOffset);
  return store;
}

// Lives from a test's init() to its cleanup(): the home, its store, and a
// scripted prompter installed for every question.
class WindowHome {
 public:
  explicit WindowHome(int languageOffset = kEnglishOffset)
      : store_(StoreInHome(home_, languageOffset)) {}

  SettingsStore& Store() { return *store_; }
  ScriptedPrompter& Prompter() { return prompter_; }
  QString FilePath(const QString& name) const { return home_.filePath(name); }

 private:
  QTemporaryDir home_;
  std::unique_ptr<SettingsStore> store_;
  InstalledPrompter prompter_;
};

}  // namespace pebble::testing

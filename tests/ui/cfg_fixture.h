#pragma once
// The configuration dialogs' surroundings for window tests: a settings store in
// temporary XDG folders, a main window that records what it is asked to do, and
// the scripted prompter for its messages and choosers.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <stdlib.h>

#include "config/settings_model.h"
#include "config/settings_store.h"
#include "config/string_table.h"
#include "config/ui/cfg_host.h"
#include "support/scripted_prompter.h"

namespace pebble::test {

// Points the store at fresh temporary folders for as long as it lives.
class TempStore {
 public:
  TempStore() {
    setenv("XDG_CONFIG_HOME", (dir_.path() + "/home").toUtf8().constData(), 1);
    setenv("XDG_CONFIG_DIRS", (dir_.path() + "/etc").toUtf8().constData(), 1);
    store_ = MakeDefaultSettingsStore(kPebbledromeProgRoot);
  }
  SettingsStore& Store() { return *store_; }
  QString UserFile() const { return dir_.path() + "/home/pebbledrome/settings.reg"; }
  QString Folder() const { return dir_.path(); }
  bool ConfigStored() const { return store_->ReadRegInt(kConfigSection, kValueStoneHeight, -1) != -1; }

 private:
  QTemporaryDir dir_;
  std::unique_ptr<SettingsStore> store_;
};

// The main window as the dialogs see it; every request is recorded by name.
class RecordingHost : public ui::CfgHost {
 public:
  explicit RecordingHost(SettingsStore& store) : store_(store) { settings.languageOffset = kEnglishOffset; }

  GameSettings settings;
  QSize screen{1920, 1080};
  std::vector<std::string> calls;  // everything but the settings updates
  int updates = 0;

  SettingsStore& Store() override { return store_; }
  const GameSettings& Settings() const override { return settings; }
  void UpdateSettings(const GameSettings& s) override {
    settings = s;
    ++updates;
  }
  void LanguageChanged() override { calls.push_back("language"); }
  void StartNewGame() override { calls.push_back("new game"); }
  void CountModeChanged() override { calls.push_back("count mode"); }
  void ToggleCountDown() override { calls.push_back("toggle count-down"); }
  void ShowHints() override { calls.push_back("hints"); }
  QSize ScreenSize() const override { return screen; }

 private:
  SettingsStore& store_;
};

// What every test of the dialogs starts from, made fresh for each test.
class DialogSurroundings {
 protected:
  void MakeSurroundings() {
    store_ = std::make_unique<TempStore>();
    host_ = std::make_unique<RecordingHost>(store_->Store());
    prompter_ = std::make_unique<testing::InstalledPrompter>();
  }
  void DropSurroundings() {
    prompter_.reset();
    host_.reset();
    store_.reset();
  }
  // "error: ...", "info: ...", "warning: ..." in the order shown.
  QStringList Messages() const { return prompter_->said; }

  std::unique_ptr<TempStore> store_;
  std::unique_ptr<RecordingHost> host_;
  std::unique_ptr<testing::InstalledPrompter> prompter_;  // messages and choosers
};

inline QString English(int id) { return QString::fromStdString(Text(id, kEnglishOffset)); }

}  // namespace pebble::test

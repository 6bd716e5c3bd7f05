#pragma once
// The configuration dialogs' surroundings for window tests: a settings store in
// temporary XDG folders, a main window that records what it is asked to do, and
// message boxes and choosers with scripted answers.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <stdlib.h>

#include "config/settings_model.h"
#include "config/settings_store.h"
#include "config/string_table.h"
#include "config/ui/cfg_choosers.h"
#include "config/ui/cfg_host.h"
#include "control/ui/prompter.h"

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
  void QuitProgram() override { calls.push_back("quit"); }
  QSize ScreenSize() const override { return screen; }

 private:
  SettingsStore& store_;
};

// Message boxes with scripted answers; what they would have shown is kept.
class ScriptedPrompter : public ui::Prompter {
 public:
  ScriptedPrompter() { old_ = ui::SetPrompter(this); }
  ~ScriptedPrompter() override { ui::SetPrompter(old_); }

  struct Shown {
    std::string kind;
    QString text;
  };
  std::vector<Shown> shown;
  bool answerYes = true;

  void Error(QWidget*, const QString& text) override { shown.push_back({"error", text}); }
  void Information(QWidget*, const QString& text) override { shown.push_back({"information", text}); }
  bool WarningYesNo(QWidget*, const QString& text) override {
    shown.push_back({"warning", text});
    return answerYes;
  }

 private:
  ui::Prompter* old_ = nullptr;
};

// Choosers with scripted answers: an empty answer (or none left) cancels.
class ScriptedChoosers : public ui::CfgChoosers {
 public:
  ScriptedChoosers() { old_ = ui::SetCfgChoosers(this); }
  ~ScriptedChoosers() override { ui::SetCfgChoosers(old_); }

  struct Asked {
    std::string kind;
    QString title;
    QString filter;
    QString start;
  };
  std::vector<Asked> asked;
  std::deque<QString> pictures, folders;
  std::deque<std::optional<ColorValue>> colors;

  QString ChoosePicture(QWidget*, const QString& title, const QString& filter, const QString& start) override {
    asked.push_back({"picture", title, filter, start});
    return Next(pictures).value_or(QString());
  }
  QString ChooseFolder(QWidget*, const QString& title) override {
    asked.push_back({"folder", title, {}, {}});
    return Next(folders).value_or(QString());
  }
  std::optional<ColorValue> ChooseColor(QWidget*, ColorValue initial) override {
    asked.push_back({"color", QString::number(initial), {}, {}});
    return Next(colors).value_or(std::nullopt);
  }

 private:
  template <typename T>
  static std::optional<T> Next(std::deque<T>& answers) {
    if (answers.empty()) return std::nullopt;
    T answer = answers.front();
    answers.pop_front();
    return answer;
  }
  ui::CfgChoosers* old_ = nullptr;
};

// What every test of the dialogs starts from, made fresh for each test.
class DialogSurroundings {
 protected:
  void MakeSurroundings() {
    store_ = std::make_unique<TempStore>();
    host_ = std::make_unique<RecordingHost>(store_->Store());
    prompter_ = std::make_unique<ScriptedPrompter>();
    choosers_ = std::make_unique<ScriptedChoosers>();
  }
  void DropSurroundings() {
    choosers_.reset();
    prompter_.reset();
    host_.reset();
    store_.reset();
  }
  // "error: ...", "information: ...", "warning: ..." in the order shown.
  QStringList Messages() const {
    QStringList texts;
    for (const auto& m : prompter_->shown) texts << QString::fromStdString(m.kind) + ": " + m.text;
    return texts;
  }

  std::unique_ptr<TempStore> store_;
  std::unique_ptr<RecordingHost> host_;
  std::unique_ptr<ScriptedPrompter> prompter_;
  std::unique_ptr<ScriptedChoosers> choosers_;
};

inline QString English(int id) { return QString::fromStdString(Text(id, kEnglishOffset)); }

}  // namespace pebble::test

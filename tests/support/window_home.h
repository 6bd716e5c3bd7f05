#pragma once
// What a window test of the main window needs around it: a home of its own
// for the settings and the desktop, the settings store in it, and a prompter
// that answers every question quietly.

#include <QTemporaryDir>
#include <memory>

#include "config/settings_model.h"
#include "config/settings_store.h"
#include "control/ui/prompter.h"
#include "scores/ui/scores_services.h"

namespace pebble::testing {

class QuietPrompter : public ui::Prompter {
 public:
  QString OpenFileName(QWidget*, const QString&, const QString&) override { return {}; }
  QString SaveFileName(QWidget*, const QString&, const QString&) override { return {}; }
  void Error(QWidget*, const QString&) override {}
  void Information(QWidget*, const QString&) override {}
  bool WarningYesNo(QWidget*, const QString&) override { return true; }
};

// Leaves the name query and the other companion questions unanswered.
class QuietScoresServices : public ui::ScoresServices {
 public:
  std::optional<QString> AskName(QWidget*, const QString&, const QString&, const QString&, int) override {
    return std::nullopt;
  }
  bool ConfirmOkCancel(QWidget*, const QString&) override { return true; }
  int RunModal(QDialog&) override { return 0; }
  bool OpenUrl(const QUrl&) override { return false; }
};

// Lives from a test's init() to its cleanup(); English texts.
class WindowHome {
 public:
  WindowHome() {
    qputenv("XDG_CONFIG_HOME", home_.filePath("config").toUtf8());
    qputenv("XDG_CONFIG_DIRS", home_.filePath("etc").toUtf8());
    qputenv("HOME", home_.path().toUtf8());
    qputenv("XDG_DATA_HOME", home_.filePath("data").toUtf8());
    store_ = MakeDefaultSettingsStore();
    store_->SetProgRoot(kPebbledromeProgRoot);
    store_->SaveRegInt(kRootSection, kValueLanguage, 1000);
    ui::SetPrompter(&prompter_);
    oldServices_ = ui::SetScoresServices(&services_);
  }
  ~WindowHome() {
    ui::SetPrompter(nullptr);
    ui::SetScoresServices(oldServices_);
  }

  SettingsStore& Store() { return *store_; }

 private:
  QTemporaryDir home_;
  std::unique_ptr<SettingsStore> store_;
  QuietPrompter prompter_;
  QuietScoresServices services_;
  ui::ScoresServices* oldServices_ = nullptr;
};

}  // namespace pebble::testing

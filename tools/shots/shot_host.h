#pragma once
// What the smaller windows ask of the main window, answered for pictures:
// the settings in one language, the store, and nothing that starts a game.

#include <QRect>
#include <QSize>

#include "config/settings_store.h"
#include "config/ui/cfg_host.h"
#include "scores/ui/count_down_host.h"

namespace pebble::ui {

class ShotHost final : public CfgHost, public CountDownHost {
 public:
  ShotHost(SettingsStore& store, int languageOffset) : store_(store) {
    settings_.languageOffset = languageOffset;
    settings_.autoDrop = true;
    settings_.playTime = 90;
  }

  // --- CfgHost ---
  SettingsStore& Store() override { return store_; }
  const GameSettings& Settings() const override { return settings_; }
  void UpdateSettings(const GameSettings& settings) override { settings_ = settings; }
  void LanguageChanged() override {}
  void StartNewGame() override {}
  void CountModeChanged() override {}
  void ToggleCountDown() override {}
  void ShowHints() override {}
  QSize ScreenSize() const override { return {1920, 1080}; }

  // --- CountDownHost ---
  bool GameRunning() const override { return true; }
  void ClearGameRunning() override {}
  int SetUpCount() const override { return 1; }
  bool CountDownPaused() const override { return false; }
  void SetCountDownPaused(bool) override {}
  void RunWhenSettled(std::function<void()> command) override { command(); }
  void SetDropTimerEnabled(bool) override {}
  void ShowBoardAndRamp(bool) override {}
  void ShowMessage(int) override {}
  void ClearMessage() override {}
  void DisableUndo() override {}
  void PlaySound(std::string_view) override {}
  void RecordCurrentResult() override {}
  QRect MainWindowFrame() const override { return {100, 100, 211, 400}; }

 private:
  SettingsStore& store_;
  GameSettings settings_;
};

}  // namespace pebble::ui

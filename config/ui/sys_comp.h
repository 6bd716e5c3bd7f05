#pragma once
// The system-services component of the main window: the settings store with
// window placement, sounds, the folder chooser and the migration of older
// settings. Other windows reach it through the main window; core code takes it
// as the SettingsStore it is.

#include <QImage>
#include <QRect>
#include <QString>
#include <memory>

#include "config/settings_store.h"
#include "config/ui/wave_player.h"
#include "config/ui/window_placement.h"

class QWidget;

namespace pebble {

// The questions this component asks the player; tests script the answers.
class SysCompPrompter {
 public:
  virtual ~SysCompPrompter() = default;
  // The chosen folder, empty when cancelled.
  virtual QString ChooseFolder(const QString& title, int flags) = 0;
  virtual void ShowError(const QString& text) = 0;
};

// Real dialogs, owned by the active window.
std::unique_ptr<SysCompPrompter> MakeDialogPrompter();

class TSysComp : public SettingsStore {
 public:
  explicit TSysComp(std::unique_ptr<RegistryBackend> backend, std::string_view progRoot = kDefaultProgRoot);
  // The store of this platform (registry, or the XDG configuration files).
  static std::unique_ptr<TSysComp> CreateDefault(std::string_view progRoot = kPebbledromeProgRoot);
  ~TSysComp() override;

  void setWindowPos(QWidget& form, const QRect& defaults) { placement_.setWindowPos(form, defaults); }
  void setWindowPosOnly(QWidget& form, const QRect& defaults) { placement_.setWindowPosOnly(form, defaults); }
  void saveWindowPos(QWidget& form) { placement_.saveWindowPos(form); }
  bool restoringPlacement() const { return placement_.restoringPlacement(); }

  // Plays a ".wav" file or a built-in sound; callers check the sound setting.
  bool PlayWave(const QString& name) { return wavePlayer_.PlayWave(name); }

  // The folder chooser with title as its instruction; empty when cancelled.
  QString BrowseDialog(const QString& title, int flags);

  // The first step of every set-up: moves an older machine-wide settings tree
  // over when the player has none, telling the player when that failed.
  void MigrateIfNeeded();

  void SetSoundSink(std::unique_ptr<SoundSink> sink) { wavePlayer_.SetSink(std::move(sink)); }
  void SetPrompter(std::unique_ptr<SysCompPrompter> prompter) { prompter_ = std::move(prompter); }

 private:
  SysCompPrompter& Prompter();

  WindowPlacement placement_;
  WavePlayer wavePlayer_;
  std::unique_ptr<SysCompPrompter> prompter_;
};

}  // namespace pebble

#pragma once
// What the main-window tests share: scripted answers to every question, a
// settings store in a private home folder, and cells found by their pixels.

#include <QCoreApplication>
#include <QPoint>
#include <QStringList>
#include <QTemporaryDir>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "config/settings_model.h"
#include "config/settings_store.h"
#include "control/ui/prompter.h"
#include "control/ui/tfrm_game.h"
#include "engine/field.h"

namespace pebble::testing {

// Answers every question as scripted and remembers what was asked.
class ScriptedPrompter : public ui::Prompter {
 public:
  QStringList said;
  bool answerYes = true;
  QString fileName;
  QString OpenFileName(QWidget*, const QString&, const QString&) override { return fileName; }
  QString SaveFileName(QWidget*, const QString&, const QString&) override { return fileName; }
  void Error(QWidget*, const QString& text) override { said << "error: " + text; }
  void Information(QWidget*, const QString& text) override { said << "info: " + text; }
  bool WarningYesNo(QWidget*, const QString& text) override {
    said << "warning: " + text;
    return answerYes;
  }
};

// Points the settings and desktop folders into `home` and opens the store
// there, with English as the stored language; the real ones are never touched.
inline std::unique_ptr<SettingsStore> StoreInHome(const QTemporaryDir& home) {
  qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
  qputenv("XDG_CONFIG_DIRS", home.filePath("etc").toUtf8());
  qputenv("HOME", home.path().toUtf8());
  qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
  auto store = MakeDefaultSettingsStore();
  store->SetProgRoot(kPebbledromeProgRoot);
  store->SaveRegInt(kRootSection, kValueLanguage, 1000);
  return store;
}

// Every animation stage at the same frame interval.
inline void AnimationsOf(SettingsStore& store, int ms) {
  for (auto name : {kValueAniIntervalDelete, kValueAniIntervalMoveStone, kValueAniIntervalMoveRow,
                    kValueAniIntervalDrop})
    store.SaveRegInt(kConfigSection, name, ms);
}

// The main window with these options, shown and painted once.
inline std::unique_ptr<ui::TfrmGame> OpenWindow(SettingsStore& store, std::vector<std::string> arguments) {
  auto window = std::make_unique<ui::TfrmGame>(store, std::move(arguments));
  window->show();
  QCoreApplication::processEvents();
  return window;
}

inline QPoint CellCentre(const Field& field, std::int32_t index) {
  return {field[index].Left + field.StoneWidth() / 2, field[index].Top + field.StoneHeight() / 2};
}

// The first normal stone from `from` on that a click would remove, or -1.
inline std::int32_t FirstMovable(const Field& field, std::int32_t from = 0) {
  for (std::int32_t i = from; i < field.Size(); ++i)
    if (field[i].Occupied && field[i].Kind == skNormal && field[i].SameColorCount > 0) return i;
  return -1;
}

}  // namespace pebble::testing

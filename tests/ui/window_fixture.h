#pragma once
// What the main-window tests share besides the scripted prompter and the
// private home: animation speeds, an opened window, and cells found by their
// pixels.

#include <QCoreApplication>
#include <QPoint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "config/settings_model.h"
#include "config/settings_store.h"
#include "control/ui/tfrm_game.h"
#include "engine/field.h"
#include "support/scripted_prompter.h"
#include "support/window_home.h"

namespace pebble::testing {

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

#pragma once
// The rules alone, without a window: a copy of a window's game on which a
// test replays clicks, to compare with what the window did.

#include <cstdint>
#include <optional>
#include <vector>

#include "engine/game.h"
#include "support/silent_host.h"

namespace pebble::testing {

class RulesReplay : public SilentHost {
 public:
  // The window's field as it stands now.
  explicit RulesReplay(const Game& window) : RulesReplay(window, window.GetField().Cells()) {}
  // These cells (the start of the window's game, or a field kept earlier)
  // under the window's settings, without animations or sounds.
  RulesReplay(const Game& window, const std::vector<TStoneCell>& cells) {
    GameSettings quiet = window.Settings();
    quiet.animationsOn = false;
    quiet.soundsOn = false;
    game.LoadField(quiet, {window.GetField().Columns(), window.GetField().Rows()}, cells);
  }

  // A left click on the cell, just inside its top-left corner.
  void Click(std::int32_t index) {
    const TStoneCell& cell = game.GetField()[index];
    game.imgMainMouseUp(MouseButton::Left, cell.Left + 1, cell.Top + 1);
  }
  // A left click at a pixel of the field.
  void ClickAt(std::int32_t x, std::int32_t y) { game.imgMainMouseUp(MouseButton::Left, x, y); }

  void RecordResult(std::int32_t result) override { recorded = result; }

  GameRandom random;
  Game game{*this, random};
  std::optional<std::int32_t> recorded;  // the result the rules recorded at the end
};

}  // namespace pebble::testing

#pragma once
// A game whose host shows and plays nothing, and clicks on the edges of its
// field, where a wrong pixel mapping leaves the field first.

#include <utility>

#include "engine/game.h"
#include "support/silent_host.h"

namespace pebble::fuzz {

struct QuietGame {
  QuietGame() { random.SetFixedSeed(1); }
  testing::SilentHost host;
  GameRandom random;
  Game game{host, random};
};

// The four corners of the paint box, one pixel beside it, and its middle.
inline void ClickTheEdges(Game& game) {
  const Field& field = game.GetField();
  const std::int32_t right = field.PixelWidth() - 1, bottom = field.PixelHeight() - 1;
  for (const auto [x, y] : {std::pair{0, 0}, {right, 0}, {0, bottom}, {right, bottom}, {right + 1, 0},
                            {0, -1}, {right / 2, bottom / 2}}) {
    game.imgMainMouseUp(MouseButton::Left, x, y);
  }
}

}  // namespace pebble::fuzz

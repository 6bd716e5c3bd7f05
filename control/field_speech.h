#pragma once
// What the field says to a screen reader, in the game's language: the cell
// under the keyboard's cursor (its colour or kind, what a click there would
// take and earn, where it is), the move just made (what it took, the score
// and the stones left), and the colour of a stone by name.

#include <cstdint>
#include <string>

#include "config/game_settings.h"

namespace pebble {

class Game;

// The name of the colour nearest to `color` among the common colour names
// (red, blue, ... as the classic palette has them, and white, black, brown,
// pink), by how alike they look.
std::string StoneColorName(ColorValue color, int languageOffset);

// "red, 5 stones, 14 points, row 3, column 2"; a lone stone says so, a bomb
// or rocket says what it would take, a rock and an empty cell only what they are.
std::string CellSpeech(const Game& game, std::int32_t index, int languageOffset);

// "5 stones, 14 points" or, in low-score mode, "5 stones, 37 left": what a
// move that takes `stones` stones earns in the game's count mode.
std::string MoveOutcome(const Game& game, std::int32_t stones, int languageOffset);

// What the cell holds: its colour's name, or the kind of special stone.
std::string CellWhat(const Game& game, std::int32_t index, int languageOffset);

// "red: 5 stones removed, 120 points, 37 stones left" after a move that took
// `stones` stones of `what`.
std::string MoveSpeech(const Game& game, const std::string& what, std::int32_t stones, int languageOffset);

// "Field, 120 points, 37 stones left" while the cursor is not shown.
std::string FieldSpeech(const Game& game, int languageOffset);

}  // namespace pebble

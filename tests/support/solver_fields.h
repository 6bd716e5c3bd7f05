#pragma once
// Small fields for the solver's tests: drawn by hand as rows of letters, or
// dealt by the game from a fixed deal.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "engine/game.h"
#include "solver/board.h"
#include "solver/goal.h"
#include "support/silent_host.h"

namespace pebble::solver {

// Rows from the top down; each letter a colour of its own, '.' an empty cell.
inline Field FieldOfRows(const std::vector<std::string>& rows) {
  const auto columns = static_cast<std::int32_t>(rows.front().size());
  Field field(columns, static_cast<std::int32_t>(rows.size()), 20, 20);
  std::string letters;
  for (std::int32_t row = 1; row <= field.Rows(); ++row) {
    for (std::int32_t column = 1; column <= columns; ++column) {
      const char letter = rows[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
      if (letter == '.') continue;
      if (letters.find(letter) == std::string::npos) letters += letter;
      TStoneCell& cell = field[field.CellIndex(row, column)];
      cell.Occupied = 1;
      cell.Kind = skNormal;
      cell.Color = kClassicPalette[letters.find(letter)];
    }
  }
  field.Recount(true);
  return field;
}

inline Board BoardOfRows(const std::vector<std::string>& rows) { return *Board::FromField(FieldOfRows(rows), false); }

// A game of the given size without animations or sounds, so that a test
// plays it move by move at once.
inline GameSettings QuietGame(std::int32_t columns, std::int32_t rows, int colors, bool specials = false,
                              bool lowScore = GameSettings{}.lowScore) {
  GameSettings s;
  s.columnCount = columns;
  s.rowCount = rows;
  s.colorCount = static_cast<std::uint8_t>(colors);
  s.lowScore = lowScore;
  s.actionsOn = specials;
  s.actionFrequency = 6;
  s.animationsOn = false;
  s.soundsOn = false;
  return s;
}

// A field the game deals without special stones.
inline Board DealtBoard(std::int32_t columns, std::int32_t rows, int colors, std::uint64_t deal) {
  testing::SilentHost host;
  GameRandom random;
  random.SetFixedSeed(deal);
  Game game(host, random);
  game.NewField(QuietGame(columns, rows, colors), {columns, rows});
  return *Board::FromField(game.GetField(), false);
}

// A game dealt from a fixed deal, kept to click a search's line through.
struct DealtGame {
  testing::SilentHost host;
  GameRandom random;
  Game game{host, random};
  DealtGame(const GameSettings& s, std::uint64_t seed) {
    random.SetFixedSeed(seed);
    game.NewField(s, {s.columnCount, s.rowCount});
  }
  Board MakeBoard() const { return *Board::FromField(game.GetField(), game.Settings().actionsOn); }
};

// The value of the best line from the board, by trying every one.
inline std::int64_t BestByTryingEvery(const Board& board, Goal goal, std::int64_t tally = 0) {
  const std::vector<Move> moves = board.Moves();
  if (moves.empty()) return LineValue(goal, tally, board.StonesLeft());
  std::int64_t best = std::numeric_limits<std::int64_t>::min();
  for (const Move& move : moves) {
    Board next = board;
    const std::int32_t stones = next.Play(move);
    best = std::max(best, BestByTryingEvery(next, goal, tally + MoveGain(goal, stones)));
  }
  return best;
}

}  // namespace pebble::solver

#pragma once
// The board of the search's quick games on plain fields (no bomb, no rocket,
// no rock) of up to 16 rows: each column holds one bit mask per colour, bit h
// for the stone at height h. Lone stones are found for all of a column at
// once, each group grows by whole columns at a time, and stones fall by
// squeezing the masks. Its moves, their order and the cells they click are
// Board's, so a quick game played on it makes the same moves.

#include <array>
#include <cstdint>

#include "solver/board.h"

namespace pebble::solver {

class PlainBoard {
 public:
  static constexpr int kMaxColumns = 16, kMaxRows = 16;

  // Whether a board can be played on this one: plain, and small enough.
  static bool Fits(const Board& board);
  // Takes over the stones of `board`, which must fit, and finds its moves.
  void Load(const Board& board, int ignoredColorId = 0);
  // Lists no moves of the colour (0: none), so that its stones cost nothing
  // to group. The quick games leave its groups alone anyway while other
  // moves exist.
  void IgnoreColor(int colorId);
  int IgnoredColor() const { return ignored_; }

  std::int32_t StonesLeft() const { return stonesLeft_; }
  // The moves in Board's order: one per group of two or more stones, but
  // for the groups of the colour ignored.
  int MoveCount() const { return moveCount_; }
  Move MoveAt(int i) const;
  int ColorIdOfMove(int i) const { return groups_[RootOfMove(i)].color; }
  std::int32_t StonesOfMove(int i) const { return groups_[RootOfMove(i)].stones; }
  // Plays the i-th move and finds the moves after it; returns the stones removed.
  std::int32_t Play(int i);

 private:
  using Mask = std::uint32_t;  // a column's stones of one colour; wide enough for the carry above the top row
  static constexpr int kMaxCells = kMaxColumns * kMaxRows;
  static constexpr int kColors = Board::kMaxColorIds + 1;

  // A group of two or more, found from its first stone in the sweep.
  struct Group {
    std::uint16_t first;  // column * kMaxRows + height
    std::uint16_t stones;
    std::uint8_t color;
  };

  std::size_t RootOfMove(int i) const { return moves_[static_cast<std::size_t>(i)]; }
  void Regroup();
  void GroupColor(int color);
  std::int32_t Flood(int color, int first);
  void ForgetFlood();
  void ListMovesInSweepOrder();
  void RemoveFromColumn(int column, Mask removed);
  void CloseEmptyColumns(int from);

  // [colour][column + 1]: an empty column on either side, so that a column's
  // neighbours are read without asking where the edge is.
  std::array<std::array<std::uint16_t, kMaxColumns + 2>, kColors> masks_{};
  std::array<std::uint16_t, kMaxColumns + 2> occupied_{};
  std::array<std::uint16_t, kMaxColumns + 2> flood_{};  // the stones of the last flood, in columns floodFirst_..floodLast_
  int floodFirst_ = 0, floodLast_ = -1;
  std::array<Group, kMaxCells / 2> groups_{};
  std::array<std::uint8_t, kMaxCells> groupAt_{};    // the group starting at each cell, for those of the last grouping
  std::array<std::uint64_t, kMaxCells / 64> firsts_{};  // the first cells of the groups
  std::array<std::uint8_t, kMaxCells / 2> moves_{};  // the groups in sweep order
  int groupCount_ = 0, moveCount_ = 0, usedColumns_ = 0, colorIds_ = 0, ignored_ = 0;
  std::int32_t stonesLeft_ = 0;
};

}  // namespace pebble::solver

#pragma once
// The board of the search's quick games on plain fields (no bomb, no rocket,
// no rock) of up to 16 columns and 31 rows: one bit per cell and colour, the
// columns side by side in 64-bit words, each with an empty row on top so
// that nothing runs over into the next column. Lone stones are found for
// four columns at once, each group grows by whole runs of stones over whole
// words, and stones fall by squeezing bits. Its moves, their order and the
// cells they click are Board's, so a quick game played on it makes the same
// moves.

#include <array>
#include <cstdint>

#include "solver/board.h"

namespace pebble::solver {

class PlainBoard {
 public:
  static constexpr int kMaxColumns = 16, kMaxRows = 31;

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
  using Bits = std::uint64_t;
  static constexpr int kMaxWords = kMaxColumns / 2;  // columns of 32 bits for more than 15 rows
  static constexpr int kMaxCells = kMaxWords * 64;
  static constexpr int kColors = Board::kMaxColorIds + 1;
  // [word + 1]: an empty word on either side, so that a word's neighbours
  // are read without asking where the edge is.
  using Words = std::array<Bits, kMaxWords + 2>;

  // A group of two or more, found from its first stone in the sweep.
  struct Group {
    std::uint16_t first;  // column * columnBits_ + height
    std::uint16_t stones;
    std::uint8_t color;
  };

  std::size_t RootOfMove(int i) const { return moves_[static_cast<std::size_t>(i)]; }
  Bits Paired(const Words& stones, int word) const;
  void Regroup();
  void GroupColor(int color);
  std::int32_t Flood(int color, int first);
  std::int32_t FloodOverWords(const Words& stones);
  Bits GrowInWord(Bits stones, Bits group) const;
  // The cells beside the stones, left and right, within their word.
  Bits Beside(Bits stones) const { return (stones << columnBits_) | (stones >> columnBits_); }
  void ForgetFlood();
  void ListMovesInSweepOrder();
  void RemoveFromWord(int word, Bits removed);
  void CloseEmptyColumns(int from);
  void CloseColumn(int column);
  int UsedWords() const { return (usedColumns_ * columnBits_ + 63) / 64; }

  int columnBits_ = 16;  // 16, or 32 for more than 15 rows
  std::array<Words, kColors> masks_{};
  Words occupied_{};
  Words flood_{};  // the stones of the last flood, in words floodFirst_..floodLast_
  int floodFirst_ = 1, floodLast_ = 0;
  std::array<Group, kMaxColumns * kMaxRows / 2> groups_{};
  std::array<std::uint8_t, kMaxCells> groupAt_{};  // the group starting at each cell, for those of the last grouping
  std::array<Bits, kMaxWords> firsts_{};           // the first cells of the groups
  std::array<std::uint8_t, kMaxColumns * kMaxRows / 2> moves_{};  // the groups in sweep order
  int groupCount_ = 0, moveCount_ = 0, usedColumns_ = 0, usedWords_ = 0, colorIds_ = 0, ignored_ = 0;
  std::int32_t stonesLeft_ = 0;
};

}  // namespace pebble::solver

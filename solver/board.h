#pragma once
// The solver's own field: the stones of a settled field column by column from
// the bottom, one small code per cell, so that a search can copy and play it
// millions of times. It follows the game's rules of a move exactly; the
// engine's field stays the reference it is checked against.

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/field.h"

namespace pebble::solver {

struct MoveScratch;  // the move search's working memory, one per thread

// A click the solver can make: a cell of the board, and how many stones the
// move removes.
struct Move {
  std::int16_t column = 0;  // 0-based from the left
  std::int16_t height = 0;  // 0-based from the bottom
  std::int32_t stones = 0;
  bool operator==(const Move&) const = default;
};

// What lies in one cell, in the engine's terms.
struct CellContent {
  bool occupied = false;
  std::uint8_t kind = skNormal;
  ColorValue color = 0;
  bool operator==(const CellContent&) const = default;
};

class Board {
 public:
  // Colour values a board can tell apart: the palette, the special colour and
  // a few odd ones from a saved game.
  static constexpr int kMaxColorIds = 31;

  // The board of a field, or nothing when the field is not settled (a column
  // with a hole, a column gap) or holds more colours than a board can tell.
  static std::optional<Board> FromField(const Field& field, bool actionsOn);

  std::int32_t Columns() const { return columns_; }
  std::int32_t Rows() const { return rows_; }
  std::int32_t StonesLeft() const { return stonesLeft_; }
  bool ActionsOn() const { return actionsOn_; }

  // Every move the rules allow now: one per group, one per bomb or rocket.
  // No move left means the game is over (without the ramp).
  void Moves(std::vector<Move>& out) const;
  std::vector<Move> Moves() const;
  // The same, giving up when `cancel` is raised: on the largest fields one
  // list takes many milliseconds. False: given up, and `out` is not whole.
  bool Moves(std::vector<Move>& out, const std::atomic<bool>* cancel) const;
  // Plays a move that Moves() offered; returns the number of stones removed.
  std::int32_t Play(const Move& move);

  // The cell of the field that the move clicks, and back.
  std::int32_t FieldIndex(const Move& move) const;
  // Whether a click on the cell is a move (not empty, no rock, no lone stone).
  bool Clickable(std::int32_t fieldIndex) const;
  std::optional<Move> MoveAtFieldIndex(std::int32_t fieldIndex) const;
  CellContent CellAt(std::int32_t fieldIndex) const;
  // The cells of the field whose stones the move removes.
  std::vector<std::int32_t> CellsOfMove(const Move& move) const;

  // Stones of each colour id (index 0 unused); ids of the special colour
  // are counted as well.
  std::array<std::int32_t, kMaxColorIds + 1> ColorCounts() const;
  std::int32_t ColorIdCount() const { return colorIds_; }
  int ColorIdAt(const Move& move) const { return ColorId(At(move.column, move.height)); }
  // The stones one by one, for a board of another layout built from this one.
  bool Plain() const { return plain_; }
  std::int32_t UsedColumns() const { return usedColumns_; }
  std::int32_t ColumnHeight(int column) const { return Height(column); }
  int ColorIdAt(int column, int height) const { return ColorId(At(column, height)); }
  bool IsSpecialColorId(int id) const { return palette_[static_cast<std::size_t>(id)] == SpecialColor; }
  std::uint64_t Hash() const;
  // Whether both hold the same stones in the same cells.
  bool SamePosition(const Board& other) const;

 private:
  using Code = std::uint16_t;  // colour id in the low byte, kind in the high byte; 0 = empty
  static Code MakeCode(int colorId, std::uint8_t kind) { return static_cast<Code>(colorId | (kind << 8)); }
  static int ColorId(Code code) { return code & 0xFF; }
  static std::uint8_t Kind(Code code) { return static_cast<std::uint8_t>(code >> 8); }

  Code At(int column, int height) const { return cells_[static_cast<std::size_t>(column * rows_ + height)]; }
  Code& At(int column, int height) { return cells_[static_cast<std::size_t>(column * rows_ + height)]; }
  int Height(int column) const { return heights_[static_cast<std::size_t>(column)]; }
  bool Holds(int column, int height) const { return column >= 0 && column < usedColumns_ && height >= 0 && height < Height(column); }
  int ColorIdOf(ColorValue color);

  bool JoinGroups(MoveScratch& s, const std::atomic<bool>* cancel) const;
  void AddPlainMoves(MoveScratch& s, std::vector<Move>& out) const;
  bool AddMixedMoves(MoveScratch& s, std::vector<Move>& out, const std::atomic<bool>* cancel) const;
  std::int32_t RemoveGroup(int column, int height);
  std::int32_t RemoveArea(int column, int height, std::uint8_t kind);
  std::int32_t CountArea(int column, int height, std::uint8_t kind) const;
  // The cells a bomb or rocket hits, held or not; everything held in them
  // goes, specials too, and nothing hit goes off in turn.
  template <typename Visit>
  void ForEachAreaCell(int column, int height, std::uint8_t kind, Visit visit) const {
    switch (kind) {
      case skBomb:
        for (int dc = -1; dc <= 1; ++dc)
          for (int dh = -1; dh <= 1; ++dh) visit(column + dc, height + dh);
        break;
      case skRocketRight:
        for (int c = column; c < usedColumns_; ++c) visit(c, height);
        break;
      case skRocketLeft:
        for (int c = 0; c <= column; ++c) visit(c, height);
        break;
      case skRocketDown:
        for (int h = height; h >= 0; --h) visit(column, h);
        break;
      default:
        break;
    }
  }
  std::int32_t RemoveIfHeld(int column, int height);
  void LetColumnsFall();
  void CloseEmptyColumns();

  std::int32_t columns_ = 0;
  std::int32_t rows_ = 0;
  std::int32_t usedColumns_ = 0;  // columns holding stones; they start at column 0
  std::int32_t stonesLeft_ = 0;
  std::int32_t colorIds_ = 0;
  std::int32_t touchedFirst_ = 0, touchedLast_ = -1;  // columns with removed stones
  bool actionsOn_ = false;
  bool plain_ = true;  // no special stone and no rock: every group is a move of its own size
  std::vector<std::int32_t>* removedLog_ = nullptr;  // set only while CellsOfMove lists a move
  std::array<ColorValue, kMaxColorIds + 1> palette_{};
  std::vector<std::int32_t> heights_;
  std::vector<Code> cells_;
};

}  // namespace pebble::solver

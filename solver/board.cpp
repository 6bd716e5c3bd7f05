#include "solver/board.h"

#include <algorithm>

namespace pebble::solver {

// Working memory of the move search, one per thread: a visit mark per cell
// that is never cleared (a new generation number marks a new search), the
// stack of a flood, and the sweep's links and group sizes.
struct MoveScratch {
  std::vector<std::uint32_t> seen;
  std::uint32_t generation = 0;
  std::vector<std::int32_t> open;
  std::vector<std::int32_t> firsts;  // the sweep's cells that began a group of their own
  std::vector<std::int32_t> root;    // each cell's link towards its group's first cell
  std::vector<std::int32_t> size;    // at a group's first cell: the group's size

  void Start(std::size_t cells) {
    if (seen.size() < cells) seen.assign(cells, 0);
    if (++generation == 0) {
      std::fill(seen.begin(), seen.end(), 0);
      generation = 1;
    }
  }
};

namespace {

MoveScratch& ThreadScratch() {
  thread_local MoveScratch scratch;
  return scratch;
}

// Whether the occupied cells of every column reach down to the bottom without
// a hole, and the occupied columns start at the left edge without a gap.
bool IsSettled(const Field& field) {
  bool columnGap = false;
  for (std::int32_t column = 1; column <= field.Columns(); ++column) {
    bool holeBelow = false;
    const bool empty = field.ColumnEmpty(column);
    if (!empty && columnGap) return false;
    columnGap = columnGap || empty;
    for (std::int32_t row = field.Rows(); row >= 1; --row) {
      const bool occupied = field[field.CellIndex(row, column)].Occupied != 0;
      if (occupied && holeBelow) return false;
      holeBelow = holeBelow || !occupied;
    }
  }
  return true;
}

}  // namespace

int Board::ColorIdOf(ColorValue color) {
  for (int id = 1; id <= colorIds_; ++id) {
    if (palette_[static_cast<std::size_t>(id)] == color) return id;
  }
  if (colorIds_ == kMaxColorIds) return 0;
  palette_[static_cast<std::size_t>(++colorIds_)] = color;
  return colorIds_;
}

std::optional<Board> Board::FromField(const Field& field, bool actionsOn) {
  if (!IsSettled(field)) return std::nullopt;
  Board board;
  board.columns_ = field.Columns();
  board.rows_ = field.Rows();
  board.actionsOn_ = actionsOn;
  board.heights_.assign(static_cast<std::size_t>(board.columns_), 0);
  board.cells_.assign(static_cast<std::size_t>(field.Size()), 0);
  for (int c = 0; c < board.columns_; ++c) {
    for (int h = 0; h < board.rows_; ++h) {
      const TStoneCell& cell = field[field.CellIndex(board.rows_ - h, c + 1)];
      if (!cell.Occupied) break;
      const int id = board.ColorIdOf(cell.Color);
      if (id == 0) return std::nullopt;
      board.At(c, h) = MakeCode(id, cell.Kind);
      if (cell.Kind != skNormal) board.plain_ = false;
      ++board.heights_[static_cast<std::size_t>(c)];
      ++board.stonesLeft_;
    }
    if (board.Height(c) > 0) board.usedColumns_ = c + 1;
  }
  return board;
}

// --- the moves of a position --------------------------------------------------

std::vector<Move> Board::Moves() const {
  std::vector<Move> moves;
  Moves(moves);
  return moves;
}

void Board::Moves(std::vector<Move>& out) const {
  out.clear();
  MoveScratch& s = ThreadScratch();
  JoinGroups(s);
  if (plain_) {
    AddPlainMoves(s, out);
  } else {
    AddMixedMoves(s, out);
  }
}

namespace {

std::int32_t FindRoot(std::vector<std::int32_t>& root, std::int32_t cell) {
  while (root[static_cast<std::size_t>(cell)] != cell) {
    auto& link = root[static_cast<std::size_t>(cell)];
    link = root[static_cast<std::size_t>(link)];  // halve the path on the way
    cell = link;
  }
  return cell;
}

}  // namespace

// One sweep, column by column from the bottom, joins each stone with its
// neighbours of the same colour below and to the left. Each group's root is
// its first cell in sweep order, and the root holds the group's size.
void Board::JoinGroups(MoveScratch& s) const {
  if (s.root.size() < cells_.size()) {
    s.root.resize(cells_.size());
    s.size.resize(cells_.size());
  }
  auto& root = s.root;
  auto& size = s.size;
  s.firsts.clear();
  for (int c = 0; c < usedColumns_; ++c) {
    for (int h = 0; h < Height(c); ++h) {
      const std::int32_t cell = c * rows_ + h;
      const int id = ColorId(cells_[static_cast<std::size_t>(cell)]);
      std::int32_t top = cell;
      if (h > 0 && ColorId(cells_[static_cast<std::size_t>(cell - 1)]) == id) top = FindRoot(root, cell - 1);
      if (c > 0 && h < Height(c - 1) && ColorId(cells_[static_cast<std::size_t>(cell - rows_)]) == id) {
        const std::int32_t left = FindRoot(root, cell - rows_);
        if (top == cell) {
          top = left;
        } else if (left != top) {
          const std::int32_t first = std::min(left, top), joined = std::max(left, top);
          root[static_cast<std::size_t>(joined)] = first;
          size[static_cast<std::size_t>(first)] += size[static_cast<std::size_t>(joined)];
          top = first;
        }
      }
      root[static_cast<std::size_t>(cell)] = top;
      if (top == cell) {
        size[static_cast<std::size_t>(cell)] = 1;
        s.firsts.push_back(cell);
      } else {
        ++size[static_cast<std::size_t>(top)];
      }
    }
  }
}

// Plain stones: every group of two or more is a move, clicked at its root.
void Board::AddPlainMoves(MoveScratch& s, std::vector<Move>& out) const {
  for (const std::int32_t cell : s.firsts) {
    const std::int32_t stones = s.size[static_cast<std::size_t>(cell)];
    if (s.root[static_cast<std::size_t>(cell)] == cell && stones >= 2) {
      out.push_back({static_cast<std::int16_t>(cell / rows_), static_cast<std::int16_t>(cell % rows_), stones});
    }
  }
}

// With specials and rocks: a group is a move when a normal stone of it has a
// partner, or when a bomb or rocket in it is clicked while special stones do
// not go off; it is clicked at the first such stone. With special stones on,
// each bomb and rocket is a move of its own.
void Board::AddMixedMoves(MoveScratch& s, std::vector<Move>& out) const {
  s.Start(cells_.size());  // marks the groups whose move is listed
  for (int c = 0; c < usedColumns_; ++c) {
    for (int h = 0; h < Height(c); ++h) {
      const std::int32_t cell = c * rows_ + h;
      const std::uint8_t kind = Kind(cells_[static_cast<std::size_t>(cell)]);
      const std::int32_t group = FindRoot(s.root, cell);
      const std::int32_t size = s.size[static_cast<std::size_t>(group)];
      if (IsActiveSpecial(kind) && actionsOn_) {
        out.push_back({static_cast<std::int16_t>(c), static_cast<std::int16_t>(h), CountArea(c, h, kind)});
      }
      const bool floods = (kind == skNormal && size >= 2) || (IsActiveSpecial(kind) && !actionsOn_);
      auto& claimed = s.seen[static_cast<std::size_t>(group)];
      if (floods && claimed != s.generation) {
        claimed = s.generation;
        out.push_back({static_cast<std::int16_t>(c), static_cast<std::int16_t>(h), size});
      }
    }
  }
}

// --- playing a move -------------------------------------------------------------

std::int32_t Board::Play(const Move& move) {
  touchedFirst_ = columns_;
  touchedLast_ = -1;
  const std::uint8_t kind = Kind(At(move.column, move.height));
  const std::int32_t removed =
      actionsOn_ && IsActiveSpecial(kind) ? RemoveArea(move.column, move.height, kind) : RemoveGroup(move.column, move.height);
  LetColumnsFall();
  CloseEmptyColumns();
  stonesLeft_ -= removed;
  return removed;
}

std::int32_t Board::RemoveIfHeld(int column, int height) {
  if (!Holds(column, height) || At(column, height) == 0) return 0;
  At(column, height) = 0;
  if (removedLog_) removedLog_->push_back((rows_ - 1 - height) * columns_ + column);
  touchedFirst_ = std::min(touchedFirst_, column);
  touchedLast_ = std::max(touchedLast_, column);
  return 1;
}

std::int32_t Board::RemoveGroup(int column, int height) {
  const int id = ColorId(At(column, height));
  MoveScratch& s = ThreadScratch();
  s.open.clear();
  std::int32_t removed = RemoveIfHeld(column, height);
  s.open.push_back(column * rows_ + height);
  while (!s.open.empty()) {
    const std::int32_t cell = s.open.back();
    s.open.pop_back();
    const int cc = cell / rows_, ch = cell % rows_;
    const int next[4][2] = {{cc, ch + 1}, {cc - 1, ch}, {cc + 1, ch}, {cc, ch - 1}};
    for (const auto& [nc, nh] : next) {
      if (!Holds(nc, nh) || At(nc, nh) == 0 || ColorId(At(nc, nh)) != id) continue;
      removed += RemoveIfHeld(nc, nh);
      s.open.push_back(nc * rows_ + nh);
    }
  }
  return removed;
}

std::int32_t Board::RemoveArea(int column, int height, std::uint8_t kind) {
  std::int32_t removed = 0;
  ForEachAreaCell(column, height, kind, [&](int c, int h) { removed += RemoveIfHeld(c, h); });
  return removed;
}

std::int32_t Board::CountArea(int column, int height, std::uint8_t kind) const {
  std::int32_t hit = 0;
  ForEachAreaCell(column, height, kind, [&](int c, int h) { hit += Holds(c, h) ? 1 : 0; });
  return hit;
}

void Board::LetColumnsFall() {
  for (int c = touchedFirst_; c <= touchedLast_; ++c) {
    int kept = 0;
    for (int h = 0; h < Height(c); ++h) {
      if (At(c, h) != 0) At(c, kept++) = At(c, h);
    }
    heights_[static_cast<std::size_t>(c)] = kept;
  }
}

void Board::CloseEmptyColumns() {
  int kept = 0;
  for (int c = 0; c < usedColumns_; ++c) {
    if (Height(c) == 0) continue;
    if (kept != c) {
      std::copy_n(&At(c, 0), Height(c), &At(kept, 0));
      heights_[static_cast<std::size_t>(kept)] = Height(c);
      heights_[static_cast<std::size_t>(c)] = 0;
    }
    ++kept;
  }
  usedColumns_ = kept;
}

// --- the board seen from the field ----------------------------------------------

std::int32_t Board::FieldIndex(const Move& move) const { return (rows_ - 1 - move.height) * columns_ + move.column; }

bool Board::Clickable(std::int32_t index) const {
  if (index < 0 || index >= columns_ * rows_) return false;
  const int c = index % columns_, h = rows_ - 1 - index / columns_;
  if (!Holds(c, h)) return false;
  const Code code = At(c, h);
  if (Kind(code) == skRock) return false;
  if (Kind(code) != skNormal) return true;
  const int next[4][2] = {{c, h + 1}, {c - 1, h}, {c + 1, h}, {c, h - 1}};
  for (const auto& [nc, nh] : next) {
    if (Holds(nc, nh) && ColorId(At(nc, nh)) == ColorId(code)) return true;
  }
  return false;
}

std::optional<Move> Board::MoveAtFieldIndex(std::int32_t index) const {
  if (!Clickable(index)) return std::nullopt;
  const int c = index % columns_, h = rows_ - 1 - index / columns_;
  const std::uint8_t kind = Kind(At(c, h));
  Move click{static_cast<std::int16_t>(c), static_cast<std::int16_t>(h), 0};
  if (actionsOn_ && IsActiveSpecial(kind)) {
    click.stones = CountArea(c, h, kind);
    return click;
  }
  Board flooded = *this;
  click.stones = flooded.RemoveGroup(c, h);
  return click;
}

std::vector<std::int32_t> Board::CellsOfMove(const Move& move) const {
  std::vector<std::int32_t> cells;
  Board copy = *this;
  copy.removedLog_ = &cells;
  const std::uint8_t kind = Kind(At(move.column, move.height));
  if (actionsOn_ && IsActiveSpecial(kind)) {
    copy.RemoveArea(move.column, move.height, kind);
  } else {
    copy.RemoveGroup(move.column, move.height);
  }
  return cells;
}

CellContent Board::CellAt(std::int32_t fieldIndex) const {
  const int c = fieldIndex % columns_, h = rows_ - 1 - fieldIndex / columns_;
  if (!Holds(c, h)) return {};
  const Code code = At(c, h);
  return {true, Kind(code), palette_[static_cast<std::size_t>(ColorId(code))]};
}

std::array<std::int32_t, Board::kMaxColorIds + 1> Board::ColorCounts() const {
  std::array<std::int32_t, kMaxColorIds + 1> counts{};
  for (int c = 0; c < usedColumns_; ++c) {
    for (int h = 0; h < Height(c); ++h) ++counts[static_cast<std::size_t>(ColorId(At(c, h)))];
  }
  return counts;
}

std::uint64_t Board::Hash() const {
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (int c = 0; c < usedColumns_; ++c) {
    for (int h = 0; h < Height(c); ++h) hash = (hash ^ At(c, h)) * 0x100000001b3ull;
    hash = (hash ^ 0xFFFFu) * 0x100000001b3ull;
  }
  return hash;
}

bool Board::SamePosition(const Board& other) const {
  if (usedColumns_ != other.usedColumns_ || rows_ != other.rows_ || stonesLeft_ != other.stonesLeft_) return false;
  for (int c = 0; c < usedColumns_; ++c) {
    const auto from = static_cast<std::ptrdiff_t>(c) * rows_;
    if (Height(c) != other.Height(c) ||
        !std::equal(cells_.begin() + from, cells_.begin() + from + Height(c), other.cells_.begin() + from)) {
      return false;
    }
  }
  return true;
}

}  // namespace pebble::solver

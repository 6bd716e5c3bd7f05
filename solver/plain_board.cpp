#include "solver/plain_board.h"

#include <algorithm>
#include <bit>

namespace pebble::solver {
namespace {

using Bits = std::uint64_t;

// The stones of the run holding `bit`, from that bit up: adding the bit
// carries through the run and stops in the empty row above it at the latest.
Bits RunFrom(Bits stones, int bit) { return ((stones + (Bits{1} << bit)) ^ stones) & stones; }

// The runs of `stones` that hold a stone of `some`, which lie among them:
// upwards, adding carries through each run from its lowest stone of `some`;
// downwards, row by row, as runs are short.
Bits WholeRuns(Bits stones, Bits some) {
  const Bits up = (((stones + some) ^ stones) & stones) | some;
  Bits down = some;
  for (Bits below = (down >> 1) & stones & ~down; below != 0; below = (down >> 1) & stones & ~down) down |= below;
  return up | down;
}

// By hand: without the processor's own instruction, which a build for any
// x86-64 may not assume, std::popcount is a call into the runtime library.
int CountStones(Bits bits) {
  bits -= (bits >> 1) & 0x5555555555555555ull;
  bits = (bits & 0x3333333333333333ull) + ((bits >> 2) & 0x3333333333333333ull);
  bits = (bits + (bits >> 4)) & 0x0F0F0F0F0F0F0F0Full;
  return static_cast<int>((bits * 0x0101010101010101ull) >> 56);
}

// Takes the stone at `bit` out of its column; those above it in the column fall.
Bits Squeeze(Bits stones, int bit, Bits columnBits) {
  const Bits above = columnBits & ((~Bits{0} << bit) << 1);
  return (stones & ~(above | (Bits{1} << bit))) | ((stones & above) >> 1);
}

}  // namespace

bool PlainBoard::Fits(const Board& board) {
  return board.Plain() && board.Columns() <= kMaxColumns && board.Rows() <= kMaxRows;
}

void PlainBoard::Load(const Board& board, int ignoredColorId) {
  columnBits_ = board.Rows() < 16 ? 16 : 32;
  colorIds_ = board.ColorIdCount();
  usedColumns_ = board.UsedColumns();
  stonesLeft_ = board.StonesLeft();
  usedWords_ = UsedWords();
  for (int color = 1; color <= colorIds_; ++color) masks_[static_cast<std::size_t>(color)].fill(0);
  occupied_.fill(0);
  for (int c = 0; c < usedColumns_; ++c) {
    for (int h = 0; h < board.ColumnHeight(c); ++h) {
      const int cell = c * columnBits_ + h;
      const auto word = static_cast<std::size_t>(cell / 64 + 1);
      const Bits bit = Bits{1} << (cell % 64);
      masks_[static_cast<std::size_t>(board.ColorIdAt(c, h))][word] |= bit;
      occupied_[word] |= bit;
    }
  }
  IgnoreColor(ignoredColorId);
}

void PlainBoard::IgnoreColor(int colorId) {
  ignored_ = colorId;
  Regroup();
}

Move PlainBoard::MoveAt(int i) const {
  const Group& group = groups_[RootOfMove(i)];
  return {static_cast<std::int16_t>(group.first / columnBits_), static_cast<std::int16_t>(group.first % columnBits_),
          static_cast<std::int32_t>(group.stones)};
}

// --- finding the groups ---------------------------------------------------------

void PlainBoard::Regroup() {
  groupCount_ = 0;
  firsts_.fill(0);
  for (int color = 1; color <= colorIds_; ++color) {
    if (color != ignored_) GroupColor(color);
  }
  ListMovesInSweepOrder();
}

// The stones of a word with a neighbour of their colour. The empty row on
// top of each column keeps a column's stones from meeting the next one's.
PlainBoard::Bits PlainBoard::Paired(const Words& stones, int word) const {
  const auto w = static_cast<std::size_t>(word);
  const Bits s = stones[w];
  const Bits beside = Beside(s) | (stones[w - 1] >> (64 - columnBits_)) | (stones[w + 1] << (64 - columnBits_));
  return s & ((s << 1) | (s >> 1) | beside);
}

// The groups of one colour, each found from its first stone: the first
// stone in the sweep with a neighbour of its colour that no group has taken.
void PlainBoard::GroupColor(int color) {
  const Words& stones = masks_[static_cast<std::size_t>(color)];
  Words taken{};
  for (int w = 1; w <= usedWords_; ++w) {
    const Bits paired = Paired(stones, w);
    for (Bits open = paired & ~taken[static_cast<std::size_t>(w)]; open != 0; open = paired & ~taken[static_cast<std::size_t>(w)]) {
      const auto first = static_cast<std::uint16_t>((w - 1) * 64 + std::countr_zero(open));
      const std::int32_t count = Flood(color, first);
      for (int f = floodFirst_; f <= floodLast_; ++f) taken[static_cast<std::size_t>(f)] |= flood_[static_cast<std::size_t>(f)];
      ForgetFlood();
      const auto index = static_cast<std::uint8_t>(groupCount_++);
      groups_[index] = {first, static_cast<std::uint16_t>(count), static_cast<std::uint8_t>(color)};
      groupAt_[first] = index;
      firsts_[first / 64u] |= Bits{1} << (first % 64u);
    }
  }
}

// The group of whole runs `group` grown within its word, as far as the
// stones of its colour there reach.
PlainBoard::Bits PlainBoard::GrowInWord(Bits stones, Bits group) const {
  for (Bits beside = Beside(group) & stones & ~group; beside != 0; beside = Beside(group) & stones & ~group) {
    group = WholeRuns(stones, group | beside);
  }
  return group;
}

// The stones of the group of `first` into flood_; returns how many. Most
// groups lie within one word and grow there without a store; the others grow
// over the words around it.
std::int32_t PlainBoard::Flood(int color, int first) {
  const Words& stones = masks_[static_cast<std::size_t>(color)];
  const auto start = static_cast<std::size_t>(first / 64 + 1);
  const Bits inWord = stones[start];
  const Bits group = GrowInWord(inWord, RunFrom(inWord, first % 64));
  flood_[start] = group;
  floodFirst_ = floodLast_ = static_cast<int>(start);
  const int over = 64 - columnBits_;
  if (((group >> over) & stones[start + 1]) == 0 && ((group << over) & stones[start - 1]) == 0) return CountStones(group);
  return FloodOverWords(stones);
}

// Each pass over the words takes in the stones beside the group, with the
// whole runs they lie in, until the group stops growing.
std::int32_t PlainBoard::FloodOverWords(const Words& stones) {
  int low = floodFirst_, high = floodLast_;
  for (bool grew = true; grew;) {
    grew = false;
    const int to = std::min(high + 1, usedWords_);
    for (int w = std::max(low - 1, 1); w <= to; ++w) {
      const auto at = static_cast<std::size_t>(w);
      const Bits was = flood_[at];
      const int over = 64 - columnBits_;
      const Bits beside = (Beside(was) | (flood_[at - 1] >> over) | (flood_[at + 1] << over)) & stones[at] & ~was;
      if (beside == 0) continue;
      flood_[at] = GrowInWord(stones[at], WholeRuns(stones[at], was | beside));
      grew = true;
      low = std::min(low, w);
      high = std::max(high, w);
    }
  }
  floodFirst_ = low;
  floodLast_ = high;
  std::int32_t count = 0;
  for (int w = low; w <= high; ++w) count += CountStones(flood_[static_cast<std::size_t>(w)]);
  return count;
}

void PlainBoard::ForgetFlood() {
  for (int w = floodFirst_; w <= floodLast_; ++w) flood_[static_cast<std::size_t>(w)] = 0;
}

void PlainBoard::ListMovesInSweepOrder() {
  moveCount_ = 0;
  for (std::size_t word = 0; word < firsts_.size(); ++word) {
    for (Bits bits = firsts_[word]; bits != 0; bits &= bits - 1) {
      moves_[static_cast<std::size_t>(moveCount_++)] = groupAt_[word * 64 + static_cast<std::size_t>(std::countr_zero(bits))];
    }
  }
}

// --- playing a move -------------------------------------------------------------

std::int32_t PlainBoard::Play(int i) {
  const Group group = groups_[RootOfMove(i)];
  Flood(group.color, group.first);
  for (int w = floodFirst_; w <= floodLast_; ++w) RemoveFromWord(w, flood_[static_cast<std::size_t>(w)]);
  ForgetFlood();
  CloseEmptyColumns(group.first / columnBits_);
  stonesLeft_ -= group.stones;
  Regroup();
  return group.stones;
}

// From the top down, so that the lower stones still to go stay in place.
void PlainBoard::RemoveFromWord(int word, Bits removed) {
  const auto w = static_cast<std::size_t>(word);
  const Bits column = (Bits{1} << (columnBits_ - 1) << 1) - 1;
  while (removed != 0) {
    const int bit = 63 - std::countl_zero(removed);
    removed &= ~(Bits{1} << bit);
    const Bits columnBits = column << (bit / columnBits_ * columnBits_);
    const Bits above = columnBits & ((~Bits{0} << bit) << 1);
    for (int color = 1; color <= colorIds_; ++color) {
      Bits& stones = masks_[static_cast<std::size_t>(color)][w];
      if ((stones & (above | (Bits{1} << bit))) != 0) stones = Squeeze(stones, bit, columnBits);
    }
    occupied_[w] = Squeeze(occupied_[w], bit, columnBits);
  }
}

void PlainBoard::CloseEmptyColumns(int from) {
  const Bits column = (Bits{1} << (columnBits_ - 1) << 1) - 1;
  for (int c = usedColumns_ - 1; c >= from; --c) {
    const int cell = c * columnBits_;
    if (((occupied_[static_cast<std::size_t>(cell / 64 + 1)] >> (cell % 64)) & column) == 0) CloseColumn(c);
  }
}

// The columns right of an empty one move one column to the left.
void PlainBoard::CloseColumn(int column) {
  const int cell = column * columnBits_;
  const int first = cell / 64 + 1, words = usedWords_;
  const Bits keep = (Bits{1} << (cell % 64)) - 1;
  const auto shift = [&](Words& bits) {
    for (int w = first; w <= words; ++w) {
      const auto at = static_cast<std::size_t>(w);
      const Bits moved = (bits[at] >> columnBits_) | (bits[at + 1] << (64 - columnBits_));
      bits[at] = w == first ? (bits[at] & keep) | (moved & ~keep) : moved;
    }
  };
  for (int color = 1; color <= colorIds_; ++color) shift(masks_[static_cast<std::size_t>(color)]);
  shift(occupied_);
  --usedColumns_;
  usedWords_ = UsedWords();
}

}  // namespace pebble::solver

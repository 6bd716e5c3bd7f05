#include "solver/plain_board.h"

#include <algorithm>
#include <bit>

namespace pebble::solver {
namespace {

using Mask = std::uint32_t;

// The stones of the run holding `bit`, from that bit up: adding the bit
// carries through the run and stops above it.
Mask RunFrom(Mask stones, int bit) { return ((stones + (Mask{1} << bit)) ^ stones) & stones; }

// The runs of `stones` that hold a stone of `some`, which lie among them:
// upwards, adding carries through each run from its lowest stone of `some`;
// downwards, the stones spread in steps of 1, 2, 4 and 8 rows.
Mask WholeRuns(Mask stones, Mask some) {
  const Mask up = (((stones + some) ^ stones) & stones) | some;
  Mask down = some | ((some >> 1) & stones);
  Mask pairs = stones & (stones >> 1);
  down |= (down >> 2) & pairs;
  pairs &= pairs >> 2;
  down |= (down >> 4) & pairs;
  pairs &= pairs >> 4;
  down |= (down >> 8) & pairs;
  return up | down;
}

// Takes the stones of `removed` out of `stones`; those above fall.
Mask Squeeze(Mask stones, Mask removed) {
  while (removed != 0) {
    const int top = 31 - std::countl_zero(removed);  // from the top, so that the lower bits stay in place
    const Mask below = (Mask{1} << top) - 1;
    stones = (stones & below) | ((stones >> 1) & ~below);
    removed &= below;
  }
  return stones;
}

int CountStones(Mask column) {
  column -= (column >> 1) & 0x5555u;
  column = (column & 0x3333u) + ((column >> 2) & 0x3333u);
  column = (column + (column >> 4)) & 0x0F0Fu;
  return static_cast<int>((column + (column >> 8)) & 0x1Fu);
}

}  // namespace

bool PlainBoard::Fits(const Board& board) {
  return board.Plain() && board.Columns() <= kMaxColumns && board.Rows() <= kMaxRows;
}

void PlainBoard::Load(const Board& board, int ignoredColorId) {
  colorIds_ = board.ColorIdCount();
  usedColumns_ = board.UsedColumns();
  stonesLeft_ = board.StonesLeft();
  for (int color = 1; color <= colorIds_; ++color) masks_[static_cast<std::size_t>(color)].fill(0);
  occupied_.fill(0);
  for (int c = 0; c < usedColumns_; ++c) {
    const auto at = static_cast<std::size_t>(c + 1);
    for (int h = 0; h < board.ColumnHeight(c); ++h) {
      masks_[static_cast<std::size_t>(board.ColorIdAt(c, h))][at] |= static_cast<std::uint16_t>(1u << h);
    }
    occupied_[at] = static_cast<std::uint16_t>((1u << board.ColumnHeight(c)) - 1);
  }
  IgnoreColor(ignoredColorId);
}

void PlainBoard::IgnoreColor(int colorId) {
  ignored_ = colorId;
  Regroup();
}

Move PlainBoard::MoveAt(int i) const {
  const Group& group = groups_[RootOfMove(i)];
  return {static_cast<std::int16_t>(group.first / kMaxRows), static_cast<std::int16_t>(group.first % kMaxRows),
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

// The groups of one colour, each found from its first stone: the lowest
// stone with a neighbour of its colour in the leftmost column not yet taken.
void PlainBoard::GroupColor(int color) {
  const auto& masks = masks_[static_cast<std::size_t>(color)];
  std::array<std::uint16_t, kMaxColumns + 2> taken{};
  for (int c = 1; c <= usedColumns_; ++c) {
    const Mask stones = masks[static_cast<std::size_t>(c)];
    const Mask paired = stones & ((stones << 1) | (stones >> 1) | masks[static_cast<std::size_t>(c - 1)] |
                                  masks[static_cast<std::size_t>(c + 1)]);
    for (Mask open = paired & ~Mask{taken[static_cast<std::size_t>(c)]}; open != 0;
         open = paired & ~Mask{taken[static_cast<std::size_t>(c)]}) {
      const auto first = static_cast<std::uint16_t>((c - 1) * kMaxRows + std::countr_zero(open));
      const std::int32_t stones = Flood(color, first);
      for (int f = floodFirst_; f <= floodLast_; ++f) taken[static_cast<std::size_t>(f)] |= flood_[static_cast<std::size_t>(f)];
      ForgetFlood();
      const auto index = static_cast<std::uint8_t>(groupCount_++);
      groups_[index] = {first, static_cast<std::uint16_t>(stones), static_cast<std::uint8_t>(color)};
      groupAt_[first] = index;
      firsts_[first / 64u] |= std::uint64_t{1} << (first % 64u);
    }
  }
}

// The stones of the group of `first` into flood_, grown a step at a time
// over whole columns until it stops growing; returns how many.
std::int32_t PlainBoard::Flood(int color, int first) {
  const auto& masks = masks_[static_cast<std::size_t>(color)];
  const int start = first / kMaxRows + 1;
  flood_[static_cast<std::size_t>(start)] = static_cast<std::uint16_t>(RunFrom(masks[static_cast<std::size_t>(start)], first % kMaxRows));
  // Each pass takes in the stones beside the group in the next columns,
  // with the whole runs they lie in.
  int low = start, high = start;
  for (bool grew = true; grew;) {
    grew = false;
    const int to = std::min(high + 1, usedColumns_);
    for (int c = std::max(low - 1, 1); c <= to; ++c) {
      const auto at = static_cast<std::size_t>(c);
      const Mask was = flood_[at];
      const Mask beside = (flood_[at - 1] | flood_[at + 1]) & masks[at] & ~was;
      if (beside == 0) continue;
      const Mask now = WholeRuns(masks[at], was | beside);
      flood_[at] = static_cast<std::uint16_t>(now);
      grew = true;
      low = std::min(low, c);
      high = std::max(high, c);
    }
  }
  floodFirst_ = low;
  floodLast_ = high;
  std::int32_t stones = 0;
  for (int c = low; c <= high; ++c) stones += CountStones(flood_[static_cast<std::size_t>(c)]);
  return stones;
}

void PlainBoard::ForgetFlood() {
  std::fill(flood_.begin() + floodFirst_, flood_.begin() + floodLast_ + 1, std::uint16_t{0});
}

void PlainBoard::ListMovesInSweepOrder() {
  moveCount_ = 0;
  for (std::size_t word = 0; word < firsts_.size(); ++word) {
    for (std::uint64_t bits = firsts_[word]; bits != 0; bits &= bits - 1) {
      moves_[static_cast<std::size_t>(moveCount_++)] = groupAt_[word * 64 + static_cast<std::size_t>(std::countr_zero(bits))];
    }
  }
}

// --- playing a move -------------------------------------------------------------

std::int32_t PlainBoard::Play(int i) {
  const Group group = groups_[RootOfMove(i)];
  Flood(group.color, group.first);
  for (int c = floodFirst_; c <= floodLast_; ++c) RemoveFromColumn(c, flood_[static_cast<std::size_t>(c)]);
  const int from = floodFirst_;
  ForgetFlood();
  CloseEmptyColumns(from);
  stonesLeft_ -= group.stones;
  Regroup();
  return group.stones;
}

// Columns counted from 1 here, as they lie in the masks.
void PlainBoard::RemoveFromColumn(int column, Mask removed) {
  const auto at = static_cast<std::size_t>(column);
  for (int color = 1; color <= colorIds_; ++color) {
    auto& mask = masks_[static_cast<std::size_t>(color)][at];
    if (mask != 0) mask = static_cast<std::uint16_t>(Squeeze(mask, removed));
  }
  occupied_[at] = static_cast<std::uint16_t>(Squeeze(occupied_[at], removed));
}

// Columns counted from 1, as they lie in the masks.
void PlainBoard::CloseEmptyColumns(int from) {
  int kept = from;
  for (int c = from; c <= usedColumns_; ++c) {
    if (occupied_[static_cast<std::size_t>(c)] == 0) continue;
    if (kept != c) {
      for (int color = 1; color <= colorIds_; ++color) {
        auto& masks = masks_[static_cast<std::size_t>(color)];
        masks[static_cast<std::size_t>(kept)] = masks[static_cast<std::size_t>(c)];
      }
      occupied_[static_cast<std::size_t>(kept)] = occupied_[static_cast<std::size_t>(c)];
    }
    ++kept;
  }
  for (int c = kept; c <= usedColumns_; ++c) {
    for (int color = 1; color <= colorIds_; ++color) masks_[static_cast<std::size_t>(color)][static_cast<std::size_t>(c)] = 0;
    occupied_[static_cast<std::size_t>(c)] = 0;
  }
  usedColumns_ = kept - 1;
}

}  // namespace pebble::solver

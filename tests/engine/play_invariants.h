#pragma once
// What must hold for any field at any moment of play, worked out from the
// cells alone and independently of the rules' own code: the counters, the
// settled shape of the field, the stones a click removes, the stones on the
// field as a multiset, and where every stone stands after a move or a drop.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/field.h"

namespace pebble::testing {

using StoneKey = std::pair<std::uint8_t, ColorValue>;  // kind and colour
using Stones = std::map<StoneKey, std::int32_t>;

inline Stones StonesOn(const Field& field) {
  Stones stones;
  for (const TStoneCell& cell : field.Cells()) {
    if (cell.Occupied) ++stones[{cell.Kind, cell.Color}];
  }
  return stones;
}

// `after` minus `before`, key by key; negative counts are stones that went.
inline std::map<StoneKey, std::int32_t> Difference(const Stones& after, const Stones& before) {
  std::map<StoneKey, std::int32_t> difference;
  for (const auto& [key, count] : after) difference[key] += count;
  for (const auto& [key, count] : before) difference[key] -= count;
  std::erase_if(difference, [](const auto& entry) { return entry.second == 0; });
  return difference;
}

inline bool SameColourNeighbour(const Field& field, std::int32_t row, std::int32_t column, ColorValue color) {
  if (row < 1 || row > field.Rows() || column < 1 || column > field.Columns()) return false;
  const TStoneCell& cell = field[field.CellIndex(row, column)];
  return cell.Occupied && cell.Color == color;
}

// The counters and same-colour counts, recounted from occupancy and colour.
inline ::testing::AssertionResult CountersMatchARecount(const Field& field) {
  FieldCounters recount{field.Size(), 0, 0, 0};
  for (std::int32_t i = 0; i < field.Size(); ++i) {
    const TStoneCell& cell = field[i];
    const CellPos at = field.CellPosition(i);
    std::int32_t same = 0;
    if (cell.Occupied) {
      for (const auto& [dr, dc] : {std::pair{-1, 0}, {0, -1}, {0, 1}, {1, 0}})
        same += SameColourNeighbour(field, at.row + dr, at.column + dc, cell.Color) ? 1 : 0;
      ++recount.StonesLeft;
      if (cell.Kind == skNormal && same > 0) ++recount.MovableStones;
      if (IsActiveSpecial(cell.Kind)) ++recount.ActiveSpecials;
    }
    if (cell.SameColorCount != same)
      return ::testing::AssertionFailure() << "cell " << i << " counts " << int{cell.SameColorCount}
                                           << " same-coloured neighbours, a recount " << same;
  }
  if (field.Counters() == recount) return ::testing::AssertionSuccess();
  const FieldCounters& c = field.Counters();
  return ::testing::AssertionFailure() << "counters " << c.CellCount << "/" << c.StonesLeft << "/"
                                       << c.MovableStones << "/" << c.ActiveSpecials << ", a recount "
                                       << recount.CellCount << "/" << recount.StonesLeft << "/"
                                       << recount.MovableStones << "/" << recount.ActiveSpecials;
}

// Every column's stones stand on the bottom without a gap, and the columns
// with stones stand at the left without a gap.
inline ::testing::AssertionResult FieldIsSettled(const Field& field) {
  bool emptyColumnSeen = false;
  for (std::int32_t column = 1; column <= field.Columns(); ++column) {
    bool stoneAbove = false;
    for (std::int32_t row = 1; row <= field.Rows(); ++row) {
      const bool occupied = field[field.CellIndex(row, column)].Occupied != 0;
      if (stoneAbove && !occupied)
        return ::testing::AssertionFailure() << "a hole under a stone at row " << row << ", column " << column;
      stoneAbove = stoneAbove || occupied;
    }
    if (stoneAbove && emptyColumnSeen)
      return ::testing::AssertionFailure() << "column " << column << " holds stones right of an empty column";
    emptyColumnSeen = emptyColumnSeen || !stoneAbove;
  }
  return ::testing::AssertionSuccess();
}

// During play a cell's index, place and neighbour links never change.
inline ::testing::AssertionResult CellsKeepTheirPlaces(const Field& field, const std::vector<TStoneCell>& deal) {
  if (field.Cells().size() != deal.size()) return ::testing::AssertionFailure() << "the field changed its size";
  for (std::size_t i = 0; i < deal.size(); ++i) {
    const TStoneCell& now = field.Cells()[i];
    if (now.Index != deal[i].Index || now.Left != deal[i].Left || now.Top != deal[i].Top ||
        now.Neighbours != deal[i].Neighbours)
      return ::testing::AssertionFailure() << "cell " << i << " lost its place or its neighbours";
  }
  return ::testing::AssertionSuccess();
}

// The cells a left click on cell `index` removes: its group, or the area of a
// bomb or rocket; none for an empty cell, a rock or a lone stone.
inline std::vector<std::int32_t> CellsAClickRemoves(const Field& field, std::int32_t index, bool actionsOn) {
  const TStoneCell& clicked = field[index];
  if (!clicked.Occupied || clicked.Kind == skRock) return {};
  const CellPos at = field.CellPosition(index);
  std::vector<std::int32_t> removed;
  const auto take = [&](std::int32_t row, std::int32_t column) {
    if (row >= 1 && row <= field.Rows() && column >= 1 && column <= field.Columns() &&
        field[field.CellIndex(row, column)].Occupied)
      removed.push_back(field.CellIndex(row, column));
  };
  if (actionsOn && IsActiveSpecial(clicked.Kind)) {
    for (std::int32_t r = 1; r <= field.Rows(); ++r) {
      for (std::int32_t c = 1; c <= field.Columns(); ++c) {
        const bool hit = clicked.Kind == skBomb          ? std::abs(r - at.row) <= 1 && std::abs(c - at.column) <= 1
                         : clicked.Kind == skRocketRight ? r == at.row && c >= at.column
                         : clicked.Kind == skRocketLeft  ? r == at.row && c <= at.column
                                                         : c == at.column && r >= at.row;
        if (hit) take(r, c);
      }
    }
    return removed;
  }
  std::vector<bool> seen(static_cast<std::size_t>(field.Size()), false);
  std::vector<std::int32_t> open{index};
  seen[static_cast<std::size_t>(index)] = true;
  while (!open.empty()) {
    const CellPos p = field.CellPosition(open.back());
    removed.push_back(open.back());
    open.pop_back();
    for (const auto& [dr, dc] : {std::pair{-1, 0}, {0, -1}, {0, 1}, {1, 0}}) {
      if (!SameColourNeighbour(field, p.row + dr, p.column + dc, clicked.Color)) continue;
      const std::int32_t n = field.CellIndex(p.row + dr, p.column + dc);
      if (!seen[static_cast<std::size_t>(n)]) {
        seen[static_cast<std::size_t>(n)] = true;
        open.push_back(n);
      }
    }
  }
  if (removed.size() < 2 && clicked.Kind == skNormal) return {};
  return removed;
}

// Each column's stones from the bottom up, in the field's order of columns;
// a removed cell counts as empty.
inline std::vector<std::vector<StoneKey>> ColumnsFromTheBottom(const Field& field,
                                                               const std::vector<std::int32_t>& removed = {}) {
  std::vector<bool> gone(static_cast<std::size_t>(field.Size()), false);
  for (std::int32_t i : removed) gone[static_cast<std::size_t>(i)] = true;
  std::vector<std::vector<StoneKey>> columns;
  for (std::int32_t column = 1; column <= field.Columns(); ++column) {
    std::vector<StoneKey>& stack = columns.emplace_back();
    for (std::int32_t row = field.Rows(); row >= 1; --row) {
      const std::int32_t index = field.CellIndex(row, column);
      if (field[index].Occupied && !gone[static_cast<std::size_t>(index)])
        stack.push_back({field[index].Kind, field[index].Color});
    }
  }
  return columns;
}

inline std::string StoneText(const std::optional<StoneKey>& stone) {
  if (!stone) return "nothing";
  return "kind " + std::to_string(stone->first) + " colour " + std::to_string(stone->second);
}

// The field a move leaves, worked out the plain way: the removed cells are
// emptied, in each column the stones left drop to the bottom in their order,
// and the columns that keep stones close up to the left in theirs. Every
// cell of `after` must hold what that gives.
inline ::testing::AssertionResult MoveLeavesEveryStoneInPlace(const Field& before,
                                                              const std::vector<std::int32_t>& removed,
                                                              const Field& after) {
  std::vector<std::vector<StoneKey>> columns = ColumnsFromTheBottom(before, removed);
  std::erase_if(columns, [](const std::vector<StoneKey>& stack) { return stack.empty(); });
  for (std::int32_t column = 1; column <= after.Columns(); ++column) {
    for (std::int32_t row = 1; row <= after.Rows(); ++row) {
      const std::size_t c = static_cast<std::size_t>(column - 1);
      const std::size_t height = static_cast<std::size_t>(after.Rows() - row);
      std::optional<StoneKey> expected;
      if (c < columns.size() && height < columns[c].size()) expected = columns[c][height];
      const TStoneCell& cell = after[after.CellIndex(row, column)];
      std::optional<StoneKey> actual;
      if (cell.Occupied) actual = StoneKey{cell.Kind, cell.Color};
      if (actual != expected)
        return ::testing::AssertionFailure() << "row " << row << ", column " << column << " holds "
                                             << StoneText(actual) << " where the plain rules put "
                                             << StoneText(expected);
    }
  }
  return ::testing::AssertionSuccess();
}

// A drop from the ramp only adds stones on top: every column that held
// stones holds them still, in their order, at its bottom.
inline ::testing::AssertionResult DropLeavesEveryStoneInPlace(const Field& before, const Field& after) {
  const std::vector<std::vector<StoneKey>> was = ColumnsFromTheBottom(before);
  const std::vector<std::vector<StoneKey>> now = ColumnsFromTheBottom(after);
  for (std::size_t c = 0; c < was.size(); ++c) {
    if (now[c].size() < was[c].size() || !std::equal(was[c].begin(), was[c].end(), now[c].begin()))
      return ::testing::AssertionFailure() << "a drop moved the stones of column " << c + 1;
  }
  return ::testing::AssertionSuccess();
}

}  // namespace pebble::testing

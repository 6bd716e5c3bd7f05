// Settling a move: stones fall into the emptied cells and empty columns close
// up to the left. The order of the animation calls and of the data changes is
// what the player sees, so it follows the steps below exactly.

#include <algorithm>

#include "engine/game.h"

namespace pebble {

void Game::SettleField() {
  ScoreMove();
  PrepareRuns();
  FindFallingStacks();
  if (settings_.animationsOn) {
    if (removalList_.empty()) {
      PlaySoundIfOn(sounds::Drop);
    } else if (clickedKind_ == skBomb) {
      PlaySoundIfOn(sounds::Explode);
    } else if (IsActiveSpecial(clickedKind_)) {
      PlaySoundIfOn(sounds::Missile);
    } else {
      PlaySoundIfOn(sounds::HitAnimated);
    }
    PlayAnimation([&] { host_.DeleteAnimation(removalList_); });
  }
  for (const RemovalEntry& run : removalList_) {
    for (std::int32_t r = run.row - run.work + 1; r <= run.row; ++r) field_[field_.CellIndex(r, run.column)].Occupied = 0;
  }
  if (settings_.animationsOn && !fallList_.empty()) PlayAnimation([&] { host_.FallAnimation(fallList_); });
  LetStacksFall();
  const std::int32_t rightmost = FindGaps();
  if (settings_.animationsOn) host_.DrawWholeField();
  PlanGaps(rightmost);
  if (settings_.animationsOn && !gapList_.empty()) PlayAnimation([&] { host_.ColumnAnimation(gapList_); });
  SlideColumns();
  field_.Recount();
  host_.DrawWholeField();
  removalList_.clear();
  fallList_.clear();
  gapList_.clear();
}

// Turns the removed cells into vertical runs, one entry each: the run's
// bottom cell with work = its length, ordered by column and from the top.
void Game::PrepareRuns() {
  for (RemovalEntry& e : removalList_) {
    const CellPos pos = field_.CellPosition(e.index);
    e.row = pos.row;
    e.column = pos.column;
  }
  // Number the affected columns 1, 2, 3... from the left.
  std::vector<std::int32_t> ordinal(static_cast<std::size_t>(field_.Columns()) + 1, 0);
  for (const RemovalEntry& e : removalList_) ordinal[static_cast<std::size_t>(e.column)] = 1;
  std::int32_t next = 0;
  for (auto& o : ordinal) o = o ? ++next : 0;
  for (RemovalEntry& e : removalList_) e.work = ordinal[static_cast<std::size_t>(e.column)];
  std::sort(removalList_.begin(), removalList_.end(), [](const RemovalEntry& a, const RemovalEntry& b) {
    return a.work != b.work ? a.work < b.work : a.index < b.index;
  });
  // Cut the sorted list into runs at every change of column or break in
  // rows; each run is kept as its lowest cell with its length as work value.
  RemovalList runs;
  for (std::size_t i = 0; i < removalList_.size(); ++i) {
    const RemovalEntry& e = removalList_[i];
    const bool startsRun =
        i == 0 || e.column != removalList_[i - 1].column || e.row != removalList_[i - 1].row + 1;
    if (startsRun) {
      runs.push_back({e.index, e.row, e.column, 1});
    } else {
      runs.back() = {e.index, e.row, e.column, runs.back().work + 1};
    }
  }
  removalList_ = std::move(runs);
}

// From the right column to the left, and in each column from the lowest run
// upward, the stones resting on a run form a stack that falls by the summed
// length of the runs below it.
void Game::FindFallingStacks() {
  std::int32_t column = -1;
  std::int32_t fallen = 0;
  for (std::size_t i = removalList_.size(); i-- > 0;) {
    const RemovalEntry& run = removalList_[i];
    if (run.column != column) {
      column = run.column;
      fallen = 0;
    }
    fallen += run.work;
    const std::int32_t aboveRow = run.row - run.work;
    std::int32_t stones = 0;
    for (std::int32_t r = aboveRow; r >= 1 && field_[field_.CellIndex(r, column)].Occupied; --r) ++stones;
    if (stones > 0) fallList_.push_back({field_.CellIndex(aboveRow, column), stones, fallen});
  }
}

void Game::LetStacksFall() {
  const std::int32_t columns = field_.Columns();
  for (const FallEntry& stack : fallList_) {
    for (std::int32_t u = 0; u < stack.count; ++u) {
      const std::int32_t from = stack.bottomIndex - u * columns;
      field_.MoveStone(from, from + stack.distance * columns);
    }
  }
}

// Lists the empty columns left of the rightmost occupied one, ascending, one
// entry each; returns that rightmost occupied column (0 for an empty field).
std::int32_t Game::FindGaps() {
  std::int32_t rightmost = 0;
  for (std::int32_t c = field_.Columns(); c >= 1; --c) {
    if (!field_.ColumnEmpty(c)) {
      if (rightmost == 0) rightmost = c;
    } else if (rightmost != 0) {
      gapList_.push_back({c, 1, 0, 0});
    }
  }
  std::reverse(gapList_.begin(), gapList_.end());
  return rightmost;
}

void Game::PlanGaps(std::int32_t rightmostOccupied) {
  GapList merged;
  for (const GapEntry& gap : gapList_) {
    if (!merged.empty() && gap.firstColumn == merged.back().firstColumn + merged.back().count) {
      ++merged.back().count;
    } else {
      merged.push_back(gap);
    }
  }
  std::int32_t shift = 0;
  for (std::size_t i = 0; i < merged.size(); ++i) {
    const std::int32_t lastMoving = i + 1 < merged.size() ? merged[i + 1].firstColumn - 1 : rightmostOccupied;
    merged[i].span = lastMoving - merged[i].firstColumn;
    shift += merged[i].count;
    merged[i].shift = shift;
  }
  gapList_ = std::move(merged);
}

void Game::SlideColumns() {
  for (const GapEntry& gap : gapList_) {
    const std::int32_t lastMoving = gap.firstColumn + gap.span;
    for (std::int32_t c = gap.firstColumn + gap.count; c <= lastMoving; ++c) {
      for (std::int32_t row = 1; row <= field_.Rows(); ++row) {
        field_.MoveStone(field_.CellIndex(row, c), field_.CellIndex(row, c - gap.shift));
      }
    }
  }
}

}  // namespace pebble

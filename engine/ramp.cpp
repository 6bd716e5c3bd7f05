#include "engine/ramp.h"

#include <algorithm>
#include <exception>

#include "config/string_ids.h"

namespace pebble {

TStoneCell RampStone::PseudoCell() const {
  TStoneCell cell;
  cell.Index = -1;
  cell.Left = Left;
  cell.Top = 1;
  cell.Kind = Kind;
  cell.Color = Color;
  cell.Occupied = 1;
  return cell;
}

Ramp::Ramp(Game& game, GameHost& gameHost, RampHost& host, GameRandom& random)
    : game_(game), gameHost_(gameHost), host_(host), random_(random) {}

std::int32_t Ramp::RampWidth() const { return game_.GetField().PixelWidth(); }
std::int32_t Ramp::RampHeight() const { return game_.GetField().StoneHeight() + 2; }

// --- geometry ---------------------------------------------------------------

bool Ramp::IsRampPlaceFree(std::int32_t x) const {
  // A stone coming in keeps the gap stones keep on the ramp: two free pixels
  // to a stone on its left, one to a stone on its right; it never overlaps.
  const std::int32_t w = game_.GetField().StoneWidth();
  return std::none_of(stones_.begin(), stones_.end(),
                      [&](const RampStone& s) { return s.Left >= x - w - 1 && s.Left <= x + w; });
}

std::int32_t Ramp::FindRampCollision(std::int32_t i, std::int32_t step) const {
  const std::int32_t w = game_.GetField().StoneWidth();
  const std::int32_t from = stones_[static_cast<std::size_t>(i)].Left;
  const std::int32_t target = from + step;
  // Everything ahead of the stone up to where it would touch counts, so that
  // a step wider than a stone cannot jump over another one.
  for (std::size_t j = 0; j < stones_.size(); ++j) {
    if (static_cast<std::int32_t>(j) == i) continue;
    const std::int32_t left = stones_[j].Left;
    const bool hit = step > 0 ? left > from && left <= target + w : left < from && left >= target - w;
    if (hit) return static_cast<std::int32_t>(j);
  }
  return -1;
}

std::int32_t Ramp::DropColumn(const RampStone& stone) const {
  const Field& field = game_.GetField();
  const std::int32_t w = field.StoneWidth();
  // The column under the stone's middle; a stone hanging over either end of
  // the ramp drops into the outermost column there.
  const std::int32_t column = (stone.Left + w / 2 - 1) / w + 1;
  return std::clamp(column, std::int32_t{1}, field.Columns());
}

std::int32_t Ramp::LandingRow(std::int32_t column) const {
  const Field& field = game_.GetField();
  for (std::int32_t row = 1; row <= field.Rows(); ++row) {
    if (field[field.CellIndex(row, column)].Occupied) return row - 1;
  }
  return field.Rows();
}

bool Ramp::HasLeftTheRamp(const RampStone& stone) const {
  const std::int32_t w = game_.GetField().StoneWidth();
  return stone.Left + w + 2 < 0 || stone.Left + 2 > RampWidth();
}

// --- the ramp step ----------------------------------------------------------

void Ramp::DoDropStones() {
  // A tick that comes while a drop of this step is falling is skipped: the
  // step holds a place in the list that must not shift under it.
  if (!game_.Settings().autoDrop || !game_.GameRunning() || halted_ || stepping_) return;
  stepping_ = true;
  try {
    MoveStones();
    if (!halted_) MaybeAddStone();
  } catch (const std::exception&) {
    Fail(ramp_texts::TimingError);
  }
  stepping_ = false;
}

void Ramp::MoveStones() {
  const std::int32_t offset = game_.Settings().dropStoneOffset;
  for (std::size_t i = 0; i < stones_.size() && !halted_;) {
    if (HasLeftTheRamp(stones_[i])) {
      stones_.erase(stones_.begin() + static_cast<std::ptrdiff_t>(i));
      continue;
    }
    std::int32_t step = stones_[i].MovingRight ? offset : -offset;
    if (StepFor(i, step)) MoveStone(i, step);
    ++i;
  }
}

bool Ramp::StepFor(std::size_t& i, std::int32_t& step) {
  const std::int32_t hit = FindRampCollision(static_cast<std::int32_t>(i), step);
  if (hit < 0) return true;
  const RampStone& p = stones_[i];
  const RampStone& q = stones_[static_cast<std::size_t>(hit)];
  if (q.MovingRight == p.MovingRight || Busy()) {
    // Close up behind it: one free pixel moving right, two moving left.
    const std::int32_t w = game_.GetField().StoneWidth();
    step = step > 0 ? q.Left - p.Left - w - 1 : q.Left + w + 2 - p.Left;
    return step != 0;
  }
  if (!DropRampStone(hit)) return false;  // its column is full: wait for it
  if (static_cast<std::size_t>(hit) < i) --i;
  return !halted_;
}

void Ramp::MoveStone(std::size_t i, std::int32_t step) {
  host_.EraseRampStone(stones_[i].Left);
  stones_[i].Left += step;
  DrawRampStone(i);
}

void Ramp::MaybeAddStone() {
  if (random_.Random(game_.Settings().newStoneEvery) != 0) return;
  RampStone stone;
  stone.MovingRight = random_.Random(2) == 0;
  stone.Left = stone.MovingRight ? 0 : RampWidth() - game_.GetField().StoneWidth();
  if (!IsRampPlaceFree(stone.Left)) return;
  stone.Color = game_.DrawColor();
  stone.Kind = game_.DrawSpecial();  // no draw at all when specials are off
  if (stone.Kind != skNormal) stone.Color = SpecialColor;
  stones_.push_back(stone);
  DrawRampStone(stones_.size() - 1);
}

void Ramp::DrawRampStone(std::size_t i) {
  try {
    host_.DrawRampStone(stones_[i].PseudoCell());
  } catch (const std::exception&) {
    // Only the picture lags behind; the ramp itself is sound.
    host_.ShowFailure(ramp_texts::TooFast);
  }
}

// --- clicks and drops -------------------------------------------------------

void Ramp::DropTheStoneClick(std::int32_t x, std::int32_t y) {
  if (Busy() || !game_.GameRunning() || halted_) return;
  try {
    if (x < 0 || y < 0 || x > RampWidth() || y > RampHeight()) {
      gameHost_.ShowMessage(kMsgClickOnField);
      return;
    }
    const std::int32_t w = game_.GetField().StoneWidth();
    const auto clicked = std::find_if(stones_.begin(), stones_.end(),
                                      [&](const RampStone& s) { return s.Left <= x && x <= s.Left + w - 1; });
    if (clicked != stones_.end()) DropRampStone(static_cast<std::int32_t>(clicked - stones_.begin()));
  } catch (const std::exception&) {
    Fail(ramp_texts::DropProblem);
  }
}

bool Ramp::DropRampStone(std::int32_t i) {
  if (i < 0 || static_cast<std::size_t>(i) >= stones_.size() || halted_) return false;
  if (ColumnFull(DropColumn(stones_[static_cast<std::size_t>(i)]))) return false;
  bool removed = false;
  LandAndSettle([&] { LandStone(static_cast<std::size_t>(i), removed); });
  // After a failure the caller still learns whether the stone left the list.
  return removed;
}

bool Ramp::ColumnFull(std::int32_t column) const {
  const Field& field = game_.GetField();
  return field[field.CellIndex(1, column)].Occupied != 0;
}

void Ramp::LandAndSettle(const std::function<void()>& land) {
  DepthGuard drop(dropDepth_);
  const DepthGuard move = game_.BeginMove();
  try {
    land();
    SettleAfterDrop();
    game_.ReplayPendingClicks();
  } catch (const std::exception&) {
    droppingStone_ = false;
    dropInProgress_ = false;
    Fail(ramp_texts::TimingError);
  }
}

void Ramp::LandStone(std::size_t i, bool& removed) {
  const RampStone stone = stones_[i];
  const DroppedStone drop{DropColumn(stone), stone.Kind, stone.Color};
  const std::int32_t landing = PlaceLandingStone(drop);
  host_.EraseRampStone(stone.Left);
  stones_.erase(stones_.begin() + static_cast<std::ptrdiff_t>(i));
  removed = true;
  ShowLanding(landing);
  game_.NoteDrop(drop);
}

std::int32_t Ramp::PlaceLandingStone(const DroppedStone& drop) {
  gameHost_.ShowMessageNow(kMsgDropping);
  Field& field = game_.GetField();
  const std::int32_t landing = field.CellIndex(LandingRow(drop.column), drop.column);
  droppingStone_ = true;
  TStoneCell& cell = field[landing];
  cell.Occupied = 1;
  cell.Kind = drop.kind;
  cell.Color = drop.color;
  return landing;
}

void Ramp::ShowLanding(std::int32_t landing) {
  if (game_.Settings().animationsOn) game_.PlayAnimation([&] { host_.DropAnimation(landing); });
  droppingStone_ = false;
  host_.DrawCell(landing);
}

bool Ramp::DropAgain(const DroppedStone& drop) {
  if (halted_ || drop.column < 1 || drop.column > game_.GetField().Columns() || ColumnFull(drop.column)) return false;
  LandAndSettle([&] {
    ShowLanding(PlaceLandingStone(drop));
    game_.NoteDrop(drop);
  });
  return true;
}

void Ramp::SettleAfterDrop() {
  dropInProgress_ = true;
  // Settled as a move of no stones: it scores and closes the columns.
  game_.MutableRemovals().clear();
  game_.SettleField();
  // The landed stone may have slid left with its column, so the whole field
  // is recounted rather than its cell and neighbours.
  game_.GetField().Recount();
  const GameSettings& settings = game_.Settings();
  if (settings.soundsOn && !settings.animationsOn) gameHost_.PlaySound(sounds::Drop);
  gameHost_.ShowCounts();
  gameHost_.ClearMessage();
  dropInProgress_ = false;
}

void Ramp::EmptyRamp() {
  stones_.clear();
  host_.RampPaint();
}

void Ramp::Fail(std::string_view text) {
  halted_ = true;
  host_.ShowFailure(text);
  host_.RequestNewGame();
}

}  // namespace pebble

#include "engine/game.h"

#include <cmath>
#include <stdexcept>

#include "config/string_ids.h"

namespace pebble {
namespace {

bool FitsTheWindow(const GameSettings& s, FieldSize size) {
  return size.columns >= 1 && size.rows >= 1 && size.columns <= kMaxFieldCells && size.rows <= kMaxFieldCells &&
         std::int64_t{size.columns} * s.stoneWidth + 1 <= kMaxFieldPixels &&
         std::int64_t{size.rows} * s.stoneHeight + 1 <= kMaxFieldPixels;
}

}  // namespace

std::int64_t RoundHalfEven(double value) {
  const double floor = std::floor(value);
  const double fraction = value - floor;
  auto result = static_cast<std::int64_t>(floor);
  if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0)) ++result;
  return result;
}

FieldSize FitFieldToPicture(const GameSettings& s, PixelSize picture) {
  const std::int64_t w = s.stoneWidth, h = s.stoneHeight;
  const std::int64_t area = (s.columnCount * w) * (s.rowCount * h);
  std::int64_t d = RoundHalfEven(std::sqrt(static_cast<double>(area) * picture.width / picture.height));
  if (d < 1) d = 1;
  const std::int64_t pixelWidth = ((d - 1) / w + 1) * w;
  std::int64_t pixelHeight = area / pixelWidth;
  pixelHeight = ((pixelHeight - 1) / h + 1) * h;
  return {static_cast<std::int32_t>(pixelWidth / w), static_cast<std::int32_t>(pixelHeight / h)};
}

FieldSize ChooseFieldSize(const GameSettings& s, std::optional<PixelSize> picture) {
  const FieldSize configured{s.columnCount, s.rowCount};
  if (!s.fitToPicture || !picture || picture->width < 1 || picture->height < 1) return configured;
  // A picture of extreme shape would give a field no window can hold.
  const FieldSize fitted = FitFieldToPicture(s, *picture);
  return FitsTheWindow(s, fitted) ? fitted : configured;
}

Game::Game(GameHost& host, GameRandom& random) : host_(host), random_(random) {}

// --- set-up -----------------------------------------------------------------

ColorValue Game::DrawColor() { return pebble::DrawColor(random_, settings_); }

TStoneKind Game::DrawSpecial() { return pebble::DrawSpecial(random_, settings_); }

void Game::ResetGame(const GameSettings& settings, FieldSize size) {
  settings_ = settings;
  if (MakePlayable(settings_)) throw std::invalid_argument("settings the game cannot play");
  if (size.columns < 1 || size.rows < 1) throw std::invalid_argument("a field needs columns and rows");
  field_ = Field(size.columns, size.rows, settings_.stoneWidth, settings_.stoneHeight);
  history_.Clear();
  removalList_.clear();
  fallList_.clear();
  gapList_.clear();
  pendingClicks_.clear();
  score_ = 0;
  lastMovePoints_ = 0;
  busy_ = false;
  replayingClicks_ = false;
  gameRunning_ = true;
}

void Game::NewField(const GameSettings& settings, FieldSize size, std::optional<DealNumber> deal) {
  ResetGame(settings, size);
  random_.Reseed();
  deal_ = deal ? *deal : DrawDealNumber(random_);
  field_ = DealField(*deal_, settings_, size);
}

void Game::LoadField(const GameSettings& settings, FieldSize size, const std::vector<TStoneCell>& cells) {
  if (cells.size() != static_cast<std::size_t>(size.columns) * static_cast<std::size_t>(size.rows)) {
    throw std::invalid_argument("cell count does not match the field");
  }
  ResetGame(settings, size);
  deal_.reset();
  field_.Cells() = cells;
  field_.Recount(true);
}

// --- a move -----------------------------------------------------------------

void Game::imgMainMouseUp(MouseButton button, std::int32_t x, std::int32_t y) { ResolveClick(button, x, y); }

void Game::ResolveClick(MouseButton button, std::int32_t x, std::int32_t y) {
  if (busy_) {
    if (!replayingClicks_) pendingClicks_.push_back({x, y});
    return;
  }
  DepthGuard move(moveDepth_);
  try {
    ResolveOnField(button, x, y);
  } catch (const std::exception&) {
    host_.ShowMessage(kMsgClickOnField);
  }
}

void Game::ResolveOnField(MouseButton button, std::int32_t x, std::int32_t y) {
  host_.FieldTooltipsOff();
  clickedKind_ = skNormal;
  if (!field_.HoldsPixel(x, y)) {
    host_.ShowMessage(kMsgClickOnField);
    return;
  }
  if (!EndTest()) return;
  host_.ClearMessage();
  const std::int32_t index = field_.CellAtPixel(x, y);
  if (button == MouseButton::Right) {
    host_.ShowCellHint(index, true);
    return;
  }
  host_.ShowCellHint(index, false);
  const TStoneCell& cell = field_[index];
  if (!cell.Occupied) {
    host_.ShowMessage(kMsgPicture);
    return;
  }
  if (cell.Kind == skRock) {
    host_.ShowMessage(kMsgRock);
    return;
  }
  host_.ShowMessageNow(kMsgThinking);
  host_.SetWaitCursor(true);
  const bool moved = RemoveAt(index);
  host_.ShowCounts();
  const bool wasRunning = gameRunning_;
  if (EndTest()) {
    if (moved && settings_.soundsOn && !settings_.animationsOn) PlayMoveSound(clickedKind_);
  } else if (wasRunning) {
    EndOfGame();
  }
  if (host_.MessageShown() == kMsgThinking) host_.ClearMessage();
  host_.SetWaitCursor(false);
  ReplayPendingClicks();
}

bool Game::RemoveAt(std::int32_t index) {
  const TStoneCell& cell = field_[index];
  if (cell.Kind == skNormal && cell.SameColorCount < 1) {
    if (settings_.soundsOn) {
      host_.PlaySound(sounds::NoHit);
    } else {
      host_.Beep();
    }
    host_.ShowMessage(kMsgNoLuck);
    return false;
  }
  PushUndoSnapshot(index);
  if (settings_.actionsOn && cell.Kind != skNormal) {
    clickedKind_ = cell.Kind;
    for (std::int32_t hit : SpecialArea(index)) MarkRemoved(hit);
  } else {
    FloodGroup(index);
  }
  SettleField();
  return true;
}

void Game::ReplayPendingClicks() {
  if (replayingClicks_ || redoDepth_ > 0) return;
  replayingClicks_ = true;
  while (!pendingClicks_.empty()) {
    const PixelSize click = pendingClicks_.front();
    pendingClicks_.pop_front();
    ResolveClick(MouseButton::Left, click.width, click.height);
  }
  replayingClicks_ = false;
}

void Game::MarkRemoved(std::int32_t index) {
  field_[index].Occupied = 0;
  removalList_.push_back({index, 0, 0, 0});
}

void Game::FloodGroup(std::int32_t start) {
  // Depth first as a recursion would go (above, left, right, below), but on
  // an explicit stack so that a huge one-coloured field cannot overflow it.
  const ColorValue color = field_[start].Color;
  struct Frame {
    std::int32_t index;
    int nextDirection;
  };
  std::vector<Frame> stack;
  MarkRemoved(start);
  stack.push_back({start, 0});
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (top.nextDirection == kDirectionCount) {
      stack.pop_back();
      continue;
    }
    const std::int32_t n = field_[top.index].Neighbours[static_cast<std::size_t>(top.nextDirection++)];
    if (field_.Contains(n) && field_[n].Occupied && field_[n].Color == color) {
      MarkRemoved(n);
      stack.push_back({n, 0});
    }
  }
}

std::vector<std::int32_t> Game::SpecialArea(std::int32_t index) const {
  const CellPos at = field_.CellPosition(index);
  const std::int32_t columns = field_.Columns(), rows = field_.Rows();
  std::vector<std::int32_t> area;
  auto take = [&](std::int32_t row, std::int32_t column) {
    if (row < 1 || row > rows || column < 1 || column > columns) return;
    const std::int32_t i = field_.CellIndex(row, column);
    if (field_[i].Occupied) area.push_back(i);
  };
  switch (field_[index].Kind) {
    case skBomb:
      for (std::int32_t dr = -1; dr <= 1; ++dr)
        for (std::int32_t dc = -1; dc <= 1; ++dc) take(at.row + dr, at.column + dc);
      break;
    case skRocketRight:
      for (std::int32_t c = at.column; c <= columns; ++c) take(at.row, c);
      break;
    case skRocketDown:
      for (std::int32_t r = at.row; r <= rows; ++r) take(r, at.column);
      break;
    case skRocketLeft:
      for (std::int32_t c = 1; c <= at.column; ++c) take(at.row, c);
      break;
    default:
      break;
  }
  return area;
}

// --- scoring and the end ----------------------------------------------------

void Game::ScoreMove() {
  lastMovePoints_ = MovePoints(static_cast<std::int32_t>(removalList_.size()));
  score_ = AddPoints(score_, lastMovePoints_);
  if (lastMovePoints_ > bestMove_) {
    bestMove_ = lastMovePoints_;
    host_.BestMoveRaised(bestMove_);
  }
}

void Game::PlaySoundIfOn(std::string_view name) {
  if (settings_.soundsOn) host_.PlaySound(name);
}

void Game::PlayMoveSound(std::uint8_t kind) {
  if (kind == skBomb) {
    PlaySoundIfOn(sounds::Explode);
  } else if (IsActiveSpecial(kind)) {
    PlaySoundIfOn(sounds::Missile);
  } else {
    PlaySoundIfOn(sounds::Hit);
  }
}

bool Game::EndTest() {
  const FieldCounters& c = field_.Counters();
  const bool over = settings_.autoDrop ? c.StonesLeft == 0
                                       : c.StonesLeft == 0 || (c.MovableStones == 0 && c.ActiveSpecials == 0);
  if (over) gameRunning_ = false;
  return gameRunning_;
}

void Game::EndOfGame() {
  if (settings_.autoDrop) host_.StopCountDown();
  const FieldCounters& c = field_.Counters();
  if (c.MovableStones == 0) {
    host_.ShowMessage(kMsgGameOver);
    PlaySoundIfOn(sounds::End);
  }
  if (c.StonesLeft == 0) {
    host_.ShowMessage(kMsgWon);
    PlaySoundIfOn(sounds::Won);
    if (!settings_.lowScore) {
      const std::int32_t bonus = score_ / 10;
      score_ = AddPoints(score_, bonus);
      host_.ShowClearingBonus(bonus);
      host_.ShowCounts();
    }
  }
  const std::int32_t result = settings_.lowScore ? c.StonesLeft : score_;
  // Redo only retraces moves made before, so an end it reaches is one that
  // was recorded when the player first reached it.
  if (redoDepth_ > 0) {
    host_.ResultRestored(result);
  } else {
    host_.RecordResult(result);
  }
}

std::int32_t Game::GroupSize(std::int32_t index) const {
  return static_cast<std::int32_t>(GroupCells(index).size());
}

std::vector<std::int32_t> Game::GroupCells(std::int32_t index) const {
  if (!field_.Contains(index) || !field_[index].Occupied) return {};
  const ColorValue color = field_[index].Color;
  std::vector<bool> seen(field_.Cells().size(), false);
  std::vector<std::int32_t> open{index}, group;
  seen[static_cast<std::size_t>(index)] = true;
  while (!open.empty()) {
    const std::int32_t i = open.back();
    open.pop_back();
    group.push_back(i);
    for (std::int32_t n : field_[i].Neighbours) {
      if (field_.Contains(n) && !seen[static_cast<std::size_t>(n)] && field_[n].Occupied && field_[n].Color == color) {
        seen[static_cast<std::size_t>(n)] = true;
        open.push_back(n);
      }
    }
  }
  return group;
}

std::vector<std::int32_t> Game::MoveCells(std::int32_t index) const {
  // The same tests as a click's, in its order (ResolveOnField, RemoveAt).
  if (!gameRunning_ || busy_ || !field_.Contains(index)) return {};
  const TStoneCell& cell = field_[index];
  if (!cell.Occupied || cell.Kind == skRock) return {};
  if (cell.Kind == skNormal && cell.SameColorCount < 1) return {};
  if (settings_.actionsOn && cell.Kind != skNormal) return SpecialArea(index);
  return GroupCells(index);
}

// --- undo -------------------------------------------------------------------

void Game::PushUndoSnapshot(std::int32_t clickedCell) {
  if (!settings_.undoInfo) return;
  const FieldCounters& c = field_.Counters();
  history_.Push(field_, {c.StonesLeft, c.MovableStones, c.ActiveSpecials, lastMovePoints_, score_}, clickedCell);
  // A new move of the player's own leaves another game than the undone one.
  if (redoDepth_ == 0) history_.DiscardRedo();
  host_.UndoAvailable(true);
}

void Game::NoteDrop(const DroppedStone& drop) {
  if (redoDepth_ == 0) history_.DiscardRedo();
  history_.NoteDrop(drop);
}

void Game::ClickCell(std::int32_t index) {
  const TStoneCell& cell = field_[index];
  ResolveClick(MouseButton::Left, cell.Left + (field_.StoneWidth() + 1) / 2, cell.Top + (field_.StoneHeight() + 1) / 2);
}

void Game::RedoMove(const std::function<void(const DroppedStone&)>& dropAgain) {
  if (!CanRedo()) return;
  const PlayedMove move = history_.TakeRedo();
  if (!field_.Contains(move.cell)) {
    history_.DiscardRedo();
    return;
  }
  {
    DepthGuard redoing(redoDepth_);
    ClickCell(move.cell);
    for (const DroppedStone& drop : move.dropsAfter) dropAgain(drop);
  }
  // Clicks made while the move was shown are new moves: they come after the
  // whole redone move, and they end what can be redone.
  ReplayPendingClicks();
}

FieldCounters Game::StartCounters() const {
  if (history_.Empty()) return field_.Counters();
  const HistoryCounters& start = history_.OldestCounters();
  return {field_.Size(), start.StonesLeft, start.MovableStones, start.ActiveSpecials};
}

void Game::UndoLastMove() {
  const HistoryCounters before = history_.UndoLast(field_);
  field_.SetCounters({field_.Size(), before.StonesLeft, before.MovableStones, before.ActiveSpecials});
  // The score comes back from the entry: a ramp drop since the move has
  // overwritten the last move's points, so subtracting them would be wrong.
  score_ = before.Score;
  lastMovePoints_ = before.LastMovePoints;
  host_.UndoAvailable(!history_.Empty());
}

void Game::RestartGame() {
  const HistoryCounters start = history_.RestoreOldest(field_);
  field_.SetCounters({field_.Size(), start.StonesLeft, start.MovableStones, start.ActiveSpecials});
  score_ = 0;
  lastMovePoints_ = 0;
  host_.UndoAvailable(false);
}

}  // namespace pebble

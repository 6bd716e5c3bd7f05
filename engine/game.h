#pragma once
// The running game: its field, counters, flags and the rules of a move. The
// window owns one Game and implements GameHost for it.

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "config/game_settings.h"
#include "engine/deal.h"
#include "engine/depth_guard.h"
#include <limits>

#include "engine/field.h"
#include "engine/game_host.h"
#include "engine/random.h"
#include "engine/undo_history.h"

namespace pebble {

// Points of a move that removes n stones. A field of a few hundred thousand
// stones cleared at once scores beyond 32 bits; points and score then stop at
// the largest figure, as every other counter of the game does.
constexpr std::int32_t kMostPoints = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t MovePoints(std::int32_t n) {
  const std::int64_t points = std::int64_t{n - 2} * (n - 2) + n;
  return points > kMostPoints ? kMostPoints : static_cast<std::int32_t>(points);
}
constexpr std::int32_t AddPoints(std::int32_t score, std::int32_t points) {
  const std::int64_t sum = std::int64_t{score} + points;
  return sum > kMostPoints ? kMostPoints : static_cast<std::int32_t>(sum);
}

enum class MouseButton { Left, Right, Middle };

struct PixelSize {
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// Rounds to the nearest integer, halves to the even neighbour.
std::int64_t RoundHalfEven(double value);
// Columns and rows of about the configured pixel area in the picture's shape.
FieldSize FitFieldToPicture(const GameSettings& settings, PixelSize picture);
// The field size of a new game: the configured one, or fitted to the picture.
FieldSize ChooseFieldSize(const GameSettings& settings, std::optional<PixelSize> picture);

namespace sounds {
inline constexpr std::string_view Hit = "SND_HIT", HitAnimated = "SND_HITANI", NoHit = "SND_NOHIT",
                                  Explode = "SND_EXPLODE", Missile = "SND_MISSILE", Drop = "SND_DROP",
                                  End = "SND_END", Won = "SND_WON", Undo = "SND_UNDO";
}

class Game {
 public:
  explicit Game(GameHost& host, GameRandom& random = ProgramRandom());

  // --- set-up --------------------------------------------------------------
  // A new field of the given size: the given deal, or a random one. The
  // settings must be playable.
  void NewField(const GameSettings& settings, FieldSize size, std::optional<DealNumber> deal = std::nullopt);
  // A field made of loaded cells (their index, origin and kind checked by the
  // reader); the neighbour links are computed anew.
  void LoadField(const GameSettings& settings, FieldSize size, const std::vector<TStoneCell>& cells);
  TStoneKind DrawSpecial();
  ColorValue DrawColor();
  // The deal number of the field; none for a field loaded from a saved game.
  std::optional<DealNumber> Deal() const { return deal_; }

  // --- a move --------------------------------------------------------------
  void imgMainMouseUp(MouseButton button, std::int32_t x, std::int32_t y);
  // Settles the cells of RemovalList (possibly none) and scores the move.
  void SettleField();
  // Re-evaluates GameRunning; it only ever clears it.
  bool EndTest();
  void EndOfGame();

  // --- undo and redo -------------------------------------------------------
  // The position before a move; `clickedCell` is the move, kept for redo.
  void PushUndoSnapshot(std::int32_t clickedCell = -1);
  bool CanUndo() const { return settings_.undoInfo && !history_.Empty(); }
  void UndoLastMove();
  void RestartGame();
  bool CanRedo() const { return settings_.undoInfo && gameRunning_ && history_.CanRedo(); }
  // Plays the next undone move again: a click on its cell resolved by the
  // rules as the first time, then its ramp stones landed again by dropAgain.
  void RedoMove(const std::function<void(const DroppedStone&)>& dropAgain);
  // A ramp stone has landed. A drop of the player's own (not one being
  // redone) leaves nothing to redo, like a new move.
  void NoteDrop(const DroppedStone& drop);
  const UndoHistory& History() const { return history_; }
  // The start position of the game as full records (what a saved game holds).
  std::vector<TStoneCell> StartPosition() const { return history_.OldestSnapshot(field_); }
  // The counters of that start position.
  FieldCounters StartCounters() const;

  // --- state ---------------------------------------------------------------
  const GameSettings& Settings() const { return settings_; }
  GameSettings& MutableSettings() { return settings_; }
  Field& GetField() { return field_; }
  const Field& GetField() const { return field_; }
  const FieldCounters& Counters() const { return field_.Counters(); }
  std::int32_t Score() const { return score_; }
  std::int32_t LastMovePoints() const { return lastMovePoints_; }
  std::int32_t BestMove() const { return bestMove_; }
  void SetBestMove(std::int32_t best) { bestMove_ = best; }
  void SetScore(std::int32_t score) { score_ = score; }
  bool GameRunning() const { return gameRunning_; }
  void SetGameRunning(bool running) { gameRunning_ = running; }
  bool Busy() const { return busy_; }
  bool SettingUp() const { return settingUp_; }
  void SetSettingUp(bool settingUp) { settingUp_ = settingUp; }
  // True from the first step of a move until it and its replayed clicks are
  // settled; commands that replace the field wait for it to end.
  bool MoveInProgress() const { return moveDepth_ > 0; }
  // Marks work that changes the field outside a click (a ramp drop) as a move.
  [[nodiscard]] DepthGuard BeginMove() { return DepthGuard(moveDepth_); }
  // Plays one animation stage with Busy set, so clicks meanwhile are queued.
  template <typename Animation>
  void PlayAnimation(Animation&& animation) {
    busy_ = true;
    struct ClearBusy {
      bool& busy;
      ~ClearBusy() { busy = false; }
    } clear{busy_};
    animation();
  }
  // Resolves the clicks queued during an animation, in the order they came.
  void ReplayPendingClicks();
  std::uint8_t ClickedKind() const { return clickedKind_; }
  const RemovalList& Removals() const { return removalList_; }
  RemovalList& MutableRemovals() { return removalList_; }
  const std::deque<PixelSize>& PendingClicks() const { return pendingClicks_; }

  // The number of stones in the cell's group of one colour, without changing the field.
  std::int32_t GroupSize(std::int32_t index) const;
  // The cells a left click on the cell would remove now, by the rules of a
  // move (a group, or a special stone's area), in no particular order; none
  // when the click would be no move. The field does not change.
  std::vector<std::int32_t> MoveCells(std::int32_t index) const;

 private:
  void ResetGame(const GameSettings& settings, FieldSize size);
  void ResolveClick(MouseButton button, std::int32_t x, std::int32_t y);
  void ResolveOnField(MouseButton button, std::int32_t x, std::int32_t y);
  void ClickCell(std::int32_t index);
  bool RemoveAt(std::int32_t index);
  void FloodGroup(std::int32_t index);
  std::vector<std::int32_t> SpecialArea(std::int32_t index) const;
  std::vector<std::int32_t> GroupCells(std::int32_t index) const;
  void MarkRemoved(std::int32_t index);
  void ScoreMove();
  void PlayMoveSound(std::uint8_t kind);
  void PlaySoundIfOn(std::string_view name);

  // SettleField's stages.
  void PrepareRuns();
  void FindFallingStacks();
  void LetStacksFall();
  std::int32_t FindGaps();
  void PlanGaps(std::int32_t rightmostOccupied);
  void SlideColumns();

  GameHost& host_;
  GameRandom& random_;
  GameSettings settings_;
  Field field_;
  UndoHistory history_;
  RemovalList removalList_;
  FallList fallList_;
  GapList gapList_;
  std::deque<PixelSize> pendingClicks_;
  std::optional<DealNumber> deal_;
  std::int32_t score_ = 0;
  std::int32_t lastMovePoints_ = 0;
  std::int32_t bestMove_ = 0;
  std::uint8_t clickedKind_ = skNormal;
  bool gameRunning_ = false;
  bool busy_ = false;
  bool settingUp_ = false;
  bool replayingClicks_ = false;
  int moveDepth_ = 0;
  int redoDepth_ = 0;
};

}  // namespace pebble

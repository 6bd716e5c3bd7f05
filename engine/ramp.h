#pragma once
// The drop ramp of a count-down game: a one-stone-high strip above the field on
// which new stones travel from either end, one step per tick of the drop
// timer. A click on a stone, or a stone running head-on into it, drops it into
// the column below. The window times the steps and draws; the rules live here.

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "engine/game.h"
#include "engine/game_host.h"
#include "engine/random.h"
#include "engine/stone_cell.h"

namespace pebble {

struct RampStone {
  std::int32_t Left = 0;  // pixel x of the left edge; negative while leaving at the left end
  std::uint8_t Kind = skNormal;
  ColorValue Color = 0;
  std::uint8_t MovingRight = 0;  // 1: came in at the left end

  // The cell the stone drawing routine is given for a ramp stone.
  TStoneCell PseudoCell() const;
  bool operator==(const RampStone&) const = default;
};

// In the order the stones came onto the ramp: the first one wins a collision
// test and a click test.
using RampStoneList = std::vector<RampStone>;

// The ramp's failure messages are fixed English texts, not string-table ids.
namespace ramp_texts {
inline constexpr std::string_view TimingError =
    "There was a timing error. Try to restart the game. If this happens again please stop background tasks or "
    "reboot your system in order to compact the memory.";
inline constexpr std::string_view DropProblem = "Ooops! There's a problem in dropping the stone.";
inline constexpr std::string_view TooFast =
    "Stones moving too fast for your system. Set a higher value at Drop intervall.";
}  // namespace ramp_texts

// What the ramp needs of the window beyond GameHost.
class RampHost {
 public:
  virtual ~RampHost() = default;

  // Draws one ramp stone (its pseudo-cell) on the ramp, framed when it is a
  // normal stone and outlines are on. May throw when drawing fails.
  virtual void DrawRampStone(const TStoneCell& pseudoCell) = 0;
  // Wipes the stone-sized strip at `left` with the ramp's background colour.
  virtual void EraseRampStone(std::int32_t left) = 0;
  // Repaints the whole ramp with every stone of RampStones().
  virtual void RampPaint() = 0;
  // The landed stone falls into its cell from above the field; returns after
  // the last frame.
  virtual void DropAnimation(std::int32_t landingIndex) = 0;
  // Draws one cell of the field.
  virtual void DrawCell(std::int32_t index) = 0;
  // An error box with an OK button.
  virtual void ShowFailure(std::string_view text) = 0;
  // Starts a new game once the ramp's current work has returned; the ramp
  // stands still until it is replaced.
  virtual void RequestNewGame() = 0;
};

class Ramp {
 public:
  // `random` is the generator the game deals with.
  Ramp(Game& game, GameHost& gameHost, RampHost& host, GameRandom& random);

  // One tick of the drop timer.
  void DoDropStones();
  // A mouse button going down on the ramp at (x, y); any button drops.
  void DropTheStoneClick(std::int32_t x, std::int32_t y);
  // Drops stone i into the column below it; false when the column is full
  // (the stone stays on the ramp).
  bool DropRampStone(std::int32_t i);
  // Lands a stone dropped before once more, in its column, as the drop did
  // (a redone move); false when the column is full.
  bool DropAgain(const DroppedStone& drop);
  // Empties the ramp and repaints it (a restart from the undo history).
  void EmptyRamp();

  bool IsRampPlaceFree(std::int32_t x) const;
  // The first other stone that stone i would reach with this step, or -1.
  std::int32_t FindRampCollision(std::int32_t i, std::int32_t step) const;
  // The field column a stone drops into.
  std::int32_t DropColumn(const RampStone& stone) const;

  RampStoneList& RampStones() { return stones_; }
  const RampStoneList& RampStones() const { return stones_; }
  std::int32_t RampWidth() const;
  std::int32_t RampHeight() const;

  // A ramp stone is landing in its cell (the drawing leaves out trace lines).
  bool DroppingStone() const { return droppingStone_; }
  // The field is being settled after a drop.
  bool DropInProgress() const { return dropInProgress_; }
  // From the first step of a drop until it has settled; the window lets
  // commands that replace the field wait for it, as for a move.
  bool Dropping() const { return dropDepth_ > 0; }
  // An animation of a move or of a drop is playing: stones do not drop by
  // collision and clicks on the ramp are ignored.
  bool Busy() const { return game_.Busy() || Dropping(); }

 private:
  void MoveStones();
  bool HasLeftTheRamp(const RampStone& stone) const;
  // The step stone i takes this tick, or none when it waits. A stone met
  // head-on is dropped first, and i is kept naming the same stone.
  bool StepFor(std::size_t& i, std::int32_t& step);
  void MoveStone(std::size_t i, std::int32_t step);
  void MaybeAddStone();
  void DrawRampStone(std::size_t i);
  std::int32_t LandingRow(std::int32_t column) const;
  bool ColumnFull(std::int32_t column) const;
  // Lands a stone and settles the field as a move of no stones; a failure
  // stops the ramp and asks for a new game.
  void LandAndSettle(const std::function<void()>& land);
  void LandStone(std::size_t i, bool& removed);
  std::int32_t PlaceLandingStone(const DroppedStone& drop);
  void ShowLanding(std::int32_t landing);
  void SettleAfterDrop();
  void Fail(std::string_view text);

  Game& game_;
  GameHost& gameHost_;
  RampHost& host_;
  GameRandom& random_;
  RampStoneList stones_;
  bool droppingStone_ = false;
  bool dropInProgress_ = false;
  int dropDepth_ = 0;
  bool stepping_ = false;
  bool halted_ = false;
};

}  // namespace pebble

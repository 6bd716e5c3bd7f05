#include "engine/ramp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <stdexcept>

#include "engine_fixture.h"

namespace pebble {
namespace {

using Strings = std::vector<std::string>;
using Lefts = std::vector<std::int32_t>;
using testing::GameOn;
using testing::Msg;
using testing::MsgNow;
using testing::kW;

// Records the ramp's calls into the same list as the game's host.
class RampRecorder : public RampHost {
 public:
  explicit RampRecorder(std::vector<std::string>& calls) : calls_(calls) {}

  std::function<void()> duringDrop;  // runs inside the drop animation
  bool failDrawing = false;
  bool failDropAnimation = false;
  std::vector<std::string> failures;
  int newGamesRequested = 0;

  void DrawRampStone(const TStoneCell& cell) override {
    EXPECT_EQ(cell.Index, -1);
    EXPECT_EQ(cell.Top, 1);
    if (failDrawing) throw std::runtime_error("drawing");
    calls_.push_back("ramp draw " + std::to_string(cell.Left));
  }
  void EraseRampStone(std::int32_t left) override { calls_.push_back("ramp erase " + std::to_string(left)); }
  void RampPaint() override { calls_.push_back("ramp paint"); }
  void DropAnimation(std::int32_t index) override {
    calls_.push_back("drop " + std::to_string(index));
    if (failDropAnimation) throw std::runtime_error("animation");
    if (duringDrop) duringDrop();
  }
  void DrawCell(std::int32_t index) override { calls_.push_back("cell " + std::to_string(index)); }
  void ShowFailure(std::string_view text) override { failures.emplace_back(text); }
  void RequestNewGame() override { ++newGamesRequested; }

 private:
  std::vector<std::string>& calls_;
};

// A count-down game without new stones, unless a test asks for them.
GameSettings RampSettings() {
  GameSettings s = testing::QuietSettings();
  s.autoDrop = true;
  s.newStoneEvery = std::numeric_limits<std::int32_t>::max();
  return s;
}

GameSettings AnimatedRampSettings() {
  GameSettings s = RampSettings();
  s.animationsOn = true;
  return s;
}

RampStone Stone(char letter, std::int32_t left, bool movingRight) {
  TStoneCell cell;
  testing::SetStone(cell, letter);
  return {left, cell.Kind, cell.Color, static_cast<std::uint8_t>(movingRight)};
}

struct RampOn {
  GameOn g;
  RampRecorder host{g.host.calls};
  Ramp ramp{g.game, g.host, host, g.random};

  explicit RampOn(const Strings& rows, GameSettings settings = RampSettings()) : g(rows, settings) {
    g.random.Seed(7);
  }
  void Add(char letter, std::int32_t left, bool movingRight) {
    ramp.RampStones().push_back(Stone(letter, left, movingRight));
  }
  void Tick(int times = 1) {
    for (int t = 0; t < times; ++t) ramp.DoDropStones();
  }
  Lefts StoneLefts() const {
    Lefts lefts;
    for (const RampStone& s : ramp.RampStones()) lefts.push_back(s.Left);
    return lefts;
  }
  // A click in the middle of the ramp's height.
  void Click(std::int32_t x) { ramp.DropTheStoneClick(x, 5); }
};

// At the first tick d meets c head-on and drops it into column 3; a follows.
void AddMeetingStones(RampOn& r) {
  r.Add('c', 40, true);
  r.Add('d', 70, false);
  r.Add('a', 120, false);
}

// Eight columns: the ramp is 161 pixels wide, a stone enters the right end at 141.
const Strings kOpenField = {"........", "........", "abab...."};

TEST(RampGeometry, PlacesCollisionsAndColumns) {
  RampOn r(kOpenField);
  auto placeFree = [&](std::int32_t x, std::int32_t other) {
    r.ramp.RampStones() = {Stone('a', other, true)};
    return r.ramp.IsRampPlaceFree(x);
  };
  // Two free pixels to a stone on the left, one to a stone on the right.
  EXPECT_TRUE(placeFree(0, -22));
  EXPECT_FALSE(placeFree(0, -21));
  EXPECT_FALSE(placeFree(0, 20));
  EXPECT_TRUE(placeFree(0, 21));
  EXPECT_TRUE(placeFree(141, 119));
  EXPECT_FALSE(placeFree(141, 120));

  struct Collision {
    std::int32_t left, step, other;
    bool hit;
  } collisions[] = {
      {40, 5, 65, true},    // would touch it: it closes up to a one-pixel gap
      {40, 5, 66, false},   // a free pixel stays after the step
      {40, 5, 41, true},    // right in its path
      {40, 5, 20, false},   // behind it
      {100, -5, 75, true},  // would touch it
      {100, -5, 74, false},
      {100, -5, 99, true},
      {100, -5, 120, false},
  };
  for (const Collision& c : collisions) {
    r.ramp.RampStones() = {Stone('a', c.left, c.step > 0), Stone('b', c.other, true)};
    EXPECT_EQ(r.ramp.FindRampCollision(0, c.step), c.hit ? 1 : -1) << c.left << " " << c.step << " " << c.other;
  }

  struct Column {
    std::int32_t left, column;
  } columns[] = {
      {-60, 1},  // far out at the left end after a wide step
      {-22, 1}, {0, 1}, {10, 1}, {11, 2}, {150, 8},
      {151, 8},  // more than half beyond the last column: still the last column
      {159, 8},  // the last place before it falls off
  };
  for (const Column& c : columns) EXPECT_EQ(r.ramp.DropColumn(Stone('a', c.left, true)), c.column) << c.left;
}

TEST(Ramp, ANewStoneComesOnlyWhileItsEndIsFree) {
  GameSettings s = RampSettings();
  s.newStoneEvery = 1;
  {
    // -> -5 and 146: each end is taken.
    RampOn r(kOpenField, s);
    r.ramp.RampStones() = {Stone('a', 0, false), Stone('b', 141, true)};
    r.Tick();
    EXPECT_EQ(r.StoneLefts(), (Lefts{-5, 146}));
  }
  {
    // -> -22, just clear of the left end; 160 falls off the right end.
    RampOn r(kOpenField, s);
    r.ramp.RampStones() = {Stone('a', -17, false), Stone('b', 160, true)};
    r.Tick();
    ASSERT_EQ(r.ramp.RampStones().size(), 2u);
    const RampStone& fresh = r.ramp.RampStones().back();
    EXPECT_EQ(fresh.Left, fresh.MovingRight ? 0 : 141);
    EXPECT_EQ(fresh.Kind, skNormal);
    const auto* palette = kClassicPalette.begin();
    EXPECT_NE(std::find(palette, palette + s.colorCount, fresh.Color), palette + s.colorCount);
  }

  // Stones keep coming and never overlap; a tick without a new stone had an
  // end occupied. The stones already there are marked to tell the new one.
  RampOn r({"..........", "..........", "..........", "abcdeabcde"}, s);
  const std::int32_t rightEnd = r.ramp.RampWidth() - kW;
  constexpr ColorValue kSeen = 0x00ABCDEF;
  int added = 0;
  for (int tick = 0; tick < 80; ++tick) {
    for (RampStone& stone : r.ramp.RampStones()) stone.Color = kSeen;
    r.Tick();
    const RampStoneList& stones = r.ramp.RampStones();
    if (!stones.empty() && stones.back().Color != kSeen) {
      ++added;
      EXPECT_EQ(stones.back().Left, stones.back().MovingRight ? 0 : rightEnd);
    } else {
      EXPECT_TRUE(!r.ramp.IsRampPlaceFree(0) || !r.ramp.IsRampPlaceFree(rightEnd)) << "tick " << tick;
    }
    for (std::size_t i = 0; i < stones.size(); ++i)
      for (std::size_t j = i + 1; j < stones.size(); ++j)
        EXPECT_GE(std::abs(stones[i].Left - stones[j].Left), kW) << "stones overlap at tick " << tick;
  }
  EXPECT_GT(added, 10);
}

TEST(Ramp, NewStonesTakeColoursAndSpecialsFromTheDeal) {
  GameSettings s = RampSettings();
  s.newStoneEvery = 1;
  s.actionsOn = true;
  s.actionFrequency = 1;  // every stone special
  RampOn r(kOpenField, s);
  r.Tick();
  ASSERT_EQ(r.ramp.RampStones().size(), 1u);
  EXPECT_NE(r.ramp.RampStones()[0].Kind, skNormal);
  EXPECT_EQ(r.ramp.RampStones()[0].Color, SpecialColor);
}

TEST(Ramp, StonesCloseUpAndWaitBehindStonesOverFullColumns) {
  // Columns 5 and 6 are full. A (moving left) stands over column 6 and B
  // (moving right) over column 5: each would drop the other and cannot, so
  // both wait. C follows B, D follows A.
  RampOn r({"....ab..", "....ba..", "abcdab.."});
  r.Add('c', 100, false);  // A
  r.Add('d', 78, true);    // B
  r.Add('a', 50, true);    // C
  r.Add('b', 130, false);  // D
  const Strings field = r.g.Rows();
  r.Tick(1);
  EXPECT_EQ(r.StoneLefts(), (Lefts{100, 78, 55, 125}));
  r.Tick(1);
  EXPECT_EQ(r.StoneLefts(), (Lefts{100, 78, 57, 122})) << "one free pixel before B, two after A";
  r.Tick(5);
  EXPECT_EQ(r.StoneLefts(), (Lefts{100, 78, 57, 122})) << "everyone waits";
  EXPECT_EQ(r.g.Rows(), field);
  EXPECT_EQ(r.g.game.Score(), 0);

  // Column 6 gets room: B drops A there and moves on, and the others follow.
  Field& f = r.g.game.GetField();
  f[f.CellIndex(1, 6)].Occupied = 0;
  r.Tick(1);
  EXPECT_EQ(r.StoneLefts(), (Lefts{83, 62, 117}));
  EXPECT_EQ(r.g.Rows(), (Strings{"....ac..", "....ba..", "abcdab.."}));
  EXPECT_EQ(r.g.game.Score(), 4);
}

TEST(Ramp, AStoneMetHeadOnIsDroppedAndTheOtherMovesOn) {
  struct Case {
    const char* what;
    bool rightMoverFirst;
    std::int32_t offset;
    int ticks;
    Lefts after;
    Strings rows;
  } cases[] = {
      // The right-mover moves to 45 first; the left-mover then reaches it.
      {"the later stone drops the earlier one", true, 5, 1, {65}, {"........", "..c.....", "abab...."}},
      // The left-mover moves to 65 first; the right-mover then reaches it.
      {"the earlier stone drops the later one", false, 5, 1, {45}, {"........", "...d....", "abab...."}},
      // 10 -> 40 and 95 -> 65 leave them overlapping in each other's path.
      {"a step wider than a stone does not jump over it", true, 30, 2, {70}, {"........", "...d....", "abab...."}},
  };
  for (const Case& c : cases) {
    GameSettings s = RampSettings();
    s.dropStoneOffset = c.offset;
    RampOn r(kOpenField, s);
    const RampStone right = Stone('c', c.offset == 5 ? 40 : 10, true);
    const RampStone left = Stone('d', c.offset == 5 ? 70 : 95, false);
    r.ramp.RampStones() = c.rightMoverFirst ? RampStoneList{right, left} : RampStoneList{left, right};
    r.Tick(c.ticks);
    EXPECT_EQ(r.StoneLefts(), c.after) << c.what;
    EXPECT_EQ(r.g.Rows(), c.rows) << c.what;
    EXPECT_EQ(r.g.game.Score(), 4) << c.what;
  }
}

TEST(Ramp, StonesFallOffEitherEnd) {
  RampOn r(kOpenField);
  r.Add('a', 159, true);   // two pixels still on the ramp
  r.Add('b', -22, false);  // just beyond the left edge
  r.Tick();
  EXPECT_EQ(r.StoneLefts(), (Lefts{164, -27}));
  r.g.host.calls.clear();
  r.Tick();
  EXPECT_TRUE(r.ramp.RampStones().empty());
  EXPECT_TRUE(r.g.host.calls.empty()) << "a stone that has left is not drawn";
  EXPECT_EQ(r.g.Rows(), kOpenField);
}

TEST(Ramp, StepsOnlyInARunningCountDownGame) {
  GameSettings s = RampSettings();
  s.autoDrop = false;
  RampOn plain(kOpenField, s);
  plain.Add('a', 40, true);
  plain.Tick();
  EXPECT_EQ(plain.StoneLefts(), (Lefts{40}));

  RampOn over(kOpenField);
  over.Add('a', 40, true);
  over.g.game.SetGameRunning(false);
  over.Tick();
  over.Click(45);
  EXPECT_EQ(over.StoneLefts(), (Lefts{40}));
}

TEST(RampDrop, IntoAnEmptyColumnItSlidesLeft) {
  RampOn r({"....", "....", "a..."});
  r.Add('b', 61, false);  // over column 4
  r.Click(65);
  EXPECT_TRUE(r.ramp.RampStones().empty());
  EXPECT_EQ(r.g.Rows(), (Strings{"....", "....", "ab.."}));
  EXPECT_EQ(r.g.host.Only({"msg", "ramp", "cell", "sound", "counts"}),
            (Strings{MsgNow(kMsgDropping), "ramp erase 61", "cell 11", "sound SND_DROP", "counts"}));
  EXPECT_EQ(r.g.host.message, -1) << "the message panel is cleared";
  EXPECT_EQ(r.g.game.Counters(), (FieldCounters{12, 2, 0, 0}));
}

TEST(RampDrop, ScoresAsAMoveOfNoStonesAndIsNotUndoable) {
  RampOn r({"....", "ab..", "ab.."});
  r.g.Click(3, 1);  // the two a stones
  const Strings afterMove = r.g.Rows();
  const std::int32_t scoreAfterMove = r.g.game.Score();
  ASSERT_EQ(r.g.game.History().Count(), 1u);
  r.Add('c', 0, true);
  r.Click(3);
  EXPECT_EQ(r.g.game.Score(), scoreAfterMove + 4);
  EXPECT_EQ(r.g.game.LastMovePoints(), 4);
  EXPECT_EQ(r.g.game.History().Count(), 1u) << "no snapshot for a drop";
  EXPECT_NE(r.g.Rows(), afterMove);
  r.g.game.UndoLastMove();
  EXPECT_EQ(r.g.Rows(), (Strings{"....", "ab..", "ab.."})) << "the undo goes back past the drop";
  EXPECT_EQ(r.g.game.Score(), 0);
}

TEST(RampDrop, ClicksThatDropNothing) {
  struct Case {
    const char* what;
    std::int32_t x, y;
    int message;
  } cases[] = {
      {"beyond the right edge", 162, 5, kMsgClickOnField},
      {"below the ramp", 40, 24, kMsgClickOnField},
      {"left of the ramp", -1, 5, kMsgClickOnField},
      {"between two stones", 60, 5, -1},
      {"on a stone over a full column", 90, 5, -1},
  };
  for (const Case& c : cases) {
    RampOn r({"....a...", "....a...", "abcda..."});
    r.Add('b', 40, true);   // pixels 40..59
    r.Add('c', 85, false);  // over column 5, which is full
    r.ramp.DropTheStoneClick(c.x, c.y);
    EXPECT_EQ(r.StoneLefts(), (Lefts{40, 85})) << c.what;
    EXPECT_EQ(r.g.host.message, c.message) << c.what;
    EXPECT_EQ(r.g.game.Score(), 0) << c.what;
  }
}

TEST(RampDrop, AStoneHangingOverTheRightEndDropsIntoTheLastColumn) {
  RampOn r(kOpenField);
  r.Add('c', 155, true);  // its middle is beyond the field
  r.Click(158);
  EXPECT_EQ(r.g.Rows(), (Strings{"........", "........", "ababc..."}));
}

TEST(RampDrop, AnimatedDropFallsThenSettlesWhileTheRampIsBusy) {
  RampOn r(kOpenField, AnimatedRampSettings());
  r.Add('c', 120, false);  // over column 7
  r.Add('d', 0, true);
  r.Add('a', 22, false);  // meets d head-on at the next step
  bool busy = false, dropping = false;
  r.host.duringDrop = [&] {
    busy = r.ramp.Busy();
    dropping = r.ramp.DroppingStone() && r.ramp.Dropping();
    r.Click(5);  // ignored: an animation is playing
    r.Tick();    // the stones move, but d and a close up instead of dropping
  };
  r.Click(125);
  EXPECT_TRUE(busy);
  EXPECT_TRUE(dropping);
  EXPECT_FALSE(r.ramp.Busy());
  EXPECT_FALSE(r.ramp.DropInProgress());
  EXPECT_EQ(r.StoneLefts(), (Lefts{1, 23}));
  EXPECT_EQ(r.g.Rows(), (Strings{"........", "........", "ababc..."}));
  EXPECT_EQ(r.g.game.Score(), 4);
  EXPECT_EQ(r.g.host.Only({"msg", "drop", "cell", "sound", "delete", "counts"}),
            (Strings{MsgNow(kMsgDropping), "drop 22", "cell 22", "sound SND_DROP", "delete 0", "counts"}));
}

TEST(RampDrop, ATickDuringADropOfTheStepItselfIsSkipped) {
  RampOn r(kOpenField, AnimatedRampSettings());
  AddMeetingStones(r);
  r.host.duringDrop = [&] { r.Tick(); };
  r.Tick();
  EXPECT_EQ(r.StoneLefts(), (Lefts{65, 115})) << "each stone moved once";
}

TEST(RampDrop, ClicksAreIgnoredDuringTheAnimationOfAMove) {
  RampOn r({"....", "ab..", "ab.."}, AnimatedRampSettings());
  r.Add('c', 0, true);
  r.Add('d', 22, false);
  r.g.host.duringAnimation = [&] {
    r.Click(5);
    r.Tick();  // head-on while busy: the stones close up
  };
  r.g.Click(3, 1);
  ASSERT_TRUE(r.g.host.busySeen);
  EXPECT_EQ(r.ramp.RampStones().size(), 2u);
  // The one moving right closes up to one free pixel, the other backs off to two.
  const Lefts lefts = r.StoneLefts();
  EXPECT_GE(lefts[1] - lefts[0], kW + 1);
  EXPECT_LE(lefts[1] - lefts[0], kW + 2);
}

TEST(RampFailure, AFailedDropStartsANewGameAndStopsTheRamp) {
  RampOn r(kOpenField, AnimatedRampSettings());
  AddMeetingStones(r);
  r.host.failDropAnimation = true;
  r.Tick();
  EXPECT_EQ(r.host.failures, (Strings{std::string(ramp_texts::TimingError)}));
  EXPECT_EQ(r.host.newGamesRequested, 1);
  EXPECT_FALSE(r.ramp.Busy());
  EXPECT_FALSE(r.ramp.DroppingStone());
  EXPECT_EQ(r.StoneLefts(), (Lefts{70, 120})) << "the dropped stone is gone; nothing moves after the failure";
  r.Tick();
  r.Click(75);
  EXPECT_EQ(r.StoneLefts(), (Lefts{70, 120}));
  EXPECT_EQ(r.host.newGamesRequested, 1);
}

TEST(RampFailure, AStoneThatCannotBeDrawnLetsTheGameGoOn) {
  RampOn r(kOpenField);
  r.Add('c', 40, true);
  r.host.failDrawing = true;
  r.Tick();
  EXPECT_EQ(r.host.failures, (Strings{std::string(ramp_texts::TooFast)}));
  EXPECT_EQ(r.host.newGamesRequested, 0);
  r.Tick();
  EXPECT_EQ(r.StoneLefts(), (Lefts{50}));
}

TEST(Ramp, ARestartEmptiesAndRepaintsIt) {
  RampOn r(kOpenField);
  r.Add('c', 40, true);
  r.ramp.EmptyRamp();
  EXPECT_TRUE(r.ramp.RampStones().empty());
  EXPECT_EQ(r.g.host.calls.back(), "ramp paint");
}

}  // namespace
}  // namespace pebble

namespace pebble {
namespace {

// A redone move brings back the ramp stones dropped after it, landed by the
// rules again in their columns, so the next redone move finds its field.
TEST(RampRedo, ARedoneMoveLandsItsDropsAgain) {
  RampOn r({"........", "ab......", "abcc...."});
  struct Seen {
    std::vector<TStoneCell> cells;
    std::int32_t score;
    bool operator==(const Seen&) const = default;
  };
  const auto seen = [&] { return Seen{r.g.game.GetField().Cells(), r.g.game.Score()}; };
  const Seen start = seen();
  r.g.Click(2, 1);  // the two a: the first column closes
  r.Add('c', 60, true);
  r.Click(65);  // lands in column 4 of "bcc": three c in a row
  const Seen afterDrop = seen();
  r.g.Click(3, 2);
  const Seen end = seen();

  r.g.game.UndoLastMove();
  EXPECT_EQ(seen().cells, afterDrop.cells);
  r.g.game.UndoLastMove();
  EXPECT_EQ(seen(), start);
  const auto dropAgain = [&](const DroppedStone& drop) { EXPECT_TRUE(r.ramp.DropAgain(drop)); };
  r.g.game.RedoMove(dropAgain);
  EXPECT_EQ(seen(), afterDrop);
  r.g.game.RedoMove(dropAgain);
  EXPECT_EQ(seen(), end);
  EXPECT_FALSE(r.g.game.CanRedo());
}

}  // namespace
}  // namespace pebble

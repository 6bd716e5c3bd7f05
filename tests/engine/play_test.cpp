// Random games over random settings, checked after every click, ramp step,
// ramp drop and undo against what must always hold. The number of games comes
// from PEBBLE_PLAY_GAMES (a short run by default), the first game's seed from
// PEBBLE_PLAY_SEED; a failure names the seed that replays it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "control/saved_game.h"
#include "engine/game.h"
#include "engine/ramp.h"
#include "play_invariants.h"
#include "support/silent_host.h"

namespace pebble {
namespace {

using ::testing::AssertionFailure;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;
using testing::CellsAClickRemoves;
using testing::CellsKeepTheirPlaces;
using testing::CountersMatchARecount;
using testing::Difference;
using testing::DropLeavesEveryStoneInPlace;
using testing::FieldIsSettled;
using testing::MoveLeavesEveryStoneInPlace;
using testing::Stones;
using testing::StonesOn;

constexpr int kShortRunGames = 200;
constexpr int kMaxActionsPerGame = 400;

std::uint64_t FromEnvironment(const char* name, std::uint64_t fallback) {
  const char* text = std::getenv(name);
  if (!text || !*text) return fallback;
  return std::strtoull(text, nullptr, 10);
}

using Bytes = std::vector<std::uint8_t>;

// The points of a move of n stones as the rules state them.
constexpr std::int32_t SpecifiedPoints(std::int32_t n) { return (n - 2) * (n - 2) + n; }

// What the games went through, so a run that stopped reaching some part of
// the rules does not pass unnoticed.
struct Tally {
  int moves = 0;
  int specialMoves = 0;
  int drops = 0;
  int undos = 0;
  int clicksDuringAnimations = 0;
  int ticksDuringAnimations = 0;
  int clearedFields = 0;
  int endedGames = 0;
};

Bytes FieldBytes(const std::vector<TStoneCell>& cells) {
  Bytes bytes;
  for (const TStoneCell& cell : cells) {
    const StoneCellImage image = StoneCellBytes(cell);
    bytes.insert(bytes.end(), image.begin(), image.end());
  }
  return bytes;
}

// Fails the game whenever the rules hand the window a cell that is not on the
// field, and keeps what the end of a game reported.
class CheckingHost : public GameHost, public RampHost {
 public:
  const Game* game = nullptr;
  std::function<void()> duringAnimation;  // what the window may do while a frame waits
  std::function<void()> countsShown;
  std::vector<std::string> faults;
  std::vector<std::int32_t> results;
  std::vector<std::int32_t> bonuses;

  void ShowMessage(int id) override { message_ = id; }
  void ShowMessageNow(int id) override { message_ = id; }
  void ClearMessage() override { message_ = -1; }
  int MessageShown() const override { return message_; }
  void PlaySound(std::string_view) override {}
  void Beep() override {}
  void ShowCounts() override {
    if (countsShown) countsShown();
  }
  void SetWaitCursor(bool) override {}
  void FieldTooltipsOff() override {}
  void ShowCellHint(std::int32_t index, bool) override { OnField(index, "a hint"); }
  void DeleteAnimation(const RemovalList& runs) override {
    for (const RemovalEntry& run : runs) OnField(run.index, "a removal");
    Animate();
  }
  void FallAnimation(const FallList& stacks) override {
    for (const FallEntry& stack : stacks) OnField(stack.bottomIndex, "a falling stack");
    Animate();
  }
  void ColumnAnimation(const GapList& gaps) override {
    for (const GapEntry& gap : gaps) {
      if (gap.firstColumn < 1 || gap.firstColumn > game->GetField().Columns()) Fault("a gap outside the field");
    }
    Animate();
  }
  void DrawWholeField() override {}
  void UndoAvailable(bool) override {}
  void BestMoveRaised(std::int32_t) override {}
  void StopCountDown() override {}
  void ShowClearingBonus(std::int32_t bonus) override { bonuses.push_back(bonus); }
  void RecordResult(std::int32_t result) override { results.push_back(result); }

  void DrawRampStone(const TStoneCell&) override {}
  void EraseRampStone(std::int32_t) override {}
  void RampPaint() override {}
  void DropAnimation(std::int32_t index) override {
    OnField(index, "a landing");
    Animate();
  }
  void DrawCell(std::int32_t index) override { OnField(index, "a drawn cell"); }
  void ShowFailure(std::string_view text) override { Fault("the ramp failed: " + std::string(text)); }
  void RequestNewGame() override { Fault("the ramp asked for a new game"); }

 private:
  void OnField(std::int32_t index, const char* what) {
    if (!game->GetField().Contains(index)) Fault(std::string(what) + " at cell " + std::to_string(index));
  }
  void Fault(const std::string& what) { faults.push_back(what); }
  void Animate() {
    if (duringAnimation) duringAnimation();
  }

  int message_ = -1;
};

GameSettings RandomSettings(std::mt19937_64& random) {
  const auto between = [&random](std::int32_t low, std::int32_t high) {
    return low + static_cast<std::int32_t>(random() % static_cast<std::uint64_t>(high - low + 1));
  };
  GameSettings s;
  s.columnCount = between(3, 40);
  s.rowCount = between(3, 40);
  s.stoneWidth = between(5, 50);
  s.stoneHeight = between(5, 50);
  s.colorCount = static_cast<std::uint8_t>(between(2, 15));
  s.actionsOn = between(0, 1) == 1;
  s.actionFrequency = between(1, 40);
  s.lowScore = between(0, 1) == 1;
  s.autoDrop = between(0, 2) == 0;
  s.newStoneEvery = between(1, 10);
  s.dropStoneOffset = between(1, 30);
  s.animationsOn = between(0, 1) == 1;
  s.soundsOn = between(0, 1) == 1;
  s.undoInfo = true;
  return s;
}

std::string Describe(const GameSettings& s, std::uint64_t seed) {
  std::ostringstream text;
  text << "seed " << seed << ": " << s.columnCount << " x " << s.rowCount << " stones of " << s.stoneWidth << " x "
       << s.stoneHeight << ", " << int{s.colorCount} << " colours, actions " << s.actionsOn << " (1 in "
       << s.actionFrequency << "), low score " << s.lowScore << ", auto drop " << s.autoDrop << " (every "
       << s.newStoneEvery << ", step " << s.dropStoneOffset << ")";
  return text.str();
}

// One random game, played and checked step by step.
class CheckedGame {
 public:
  CheckedGame(const GameSettings& settings, std::uint64_t seed, Tally& tally) : random_(seed), tally_(tally) {
    host_.game = &game_;
    host_.duringAnimation = [this] { WhileAFrameWaits(); };
    dealRandom_.SetFixedSeed(seed);
    game_.NewField(settings, {settings.columnCount, settings.rowCount});
    deal_ = game_.GetField().Cells();
  }

  AssertionResult Play() {
    for (int action = 0; action < kMaxActionsPerGame && game_.GameRunning(); ++action) {
      AssertionResult step = NextAction();
      if (!step) return step << " (action " << action << ")";
    }
    return FinishAndUndoToTheStart();
  }

 private:
  struct BeforeAClick {
    Bytes field;
    std::int32_t score;
  };
  struct Pixel {
    std::int32_t x;
    std::int32_t y;
  };
  struct Position {
    Field field;
    std::int32_t score;
  };

  const Field& field() const { return game_.GetField(); }
  std::int32_t Pick(std::int32_t n) { return static_cast<std::int32_t>(random_() % static_cast<std::uint64_t>(n)); }
  template <typename T>
  const T& PickFrom(const std::vector<T>& items) {
    return items[static_cast<std::size_t>(Pick(static_cast<std::int32_t>(items.size())))];
  }

  AssertionResult NextAction() {
    const std::int32_t roll = Pick(20);
    if (game_.Settings().autoDrop && roll < 6) return RampStep();
    if (game_.Settings().autoDrop && roll < 8) return RampClick();
    if (roll == 8 && game_.CanUndo()) return UndoOneMove();
    return Click();
  }

  // Mostly a click on a stone of a group or on a special, now and then a
  // pixel anywhere, on or off the field.
  AssertionResult Click() {
    if (Pick(5) > 0) {
      if (const std::optional<Pixel> target = PixelOnAMovableStone()) return CheckedClick(target->x, target->y);
    }
    return CheckedClick(Pick(field().PixelWidth() + 8) - 4, Pick(field().PixelHeight() + 8) - 4);
  }

  // The rules' own neighbour counts only choose the target; the check of the
  // click works the group out afresh.
  std::optional<Pixel> PixelOnAMovableStone() {
    std::vector<std::int32_t> targets;
    for (const TStoneCell& cell : field().Cells()) {
      if (cell.Occupied && (IsActiveSpecial(cell.Kind) || (cell.Kind == skNormal && cell.SameColorCount > 0)))
        targets.push_back(cell.Index);
    }
    if (targets.empty()) return std::nullopt;
    const TStoneCell& target = field()[PickFrom(targets)];
    return Pixel{target.Left + 1 + Pick(field().StoneWidth()), target.Top + 1 + Pick(field().StoneHeight())};
  }

  // The cell a release at (x, y) lands on, or -1 outside the field: pixel 0
  // and pixel W both belong to the first column.
  std::int32_t CellAt(std::int32_t x, std::int32_t y) const {
    if (x < 0 || y < 0 || x >= field().PixelWidth() || y >= field().PixelHeight()) return -1;
    const std::int32_t column = x == 0 ? 1 : (x - 1) / field().StoneWidth() + 1;
    const std::int32_t row = y == 0 ? 1 : (y - 1) / field().StoneHeight() + 1;
    return field().CellIndex(row, column);
  }

  // A click, and now and then a second one made while the first one's
  // animation plays: the second is resolved on the field the first left.
  AssertionResult CheckedClick(std::int32_t x, std::int32_t y) {
    const Position before{field(), game_.Score()};
    if (game_.Settings().animationsOn && Pick(3) == 0)
      queuedClick_ = Pixel{Pick(field().PixelWidth() + 8) - 4, Pick(field().PixelHeight() + 8) - 4};
    const std::optional<Pixel> queued = queuedClick_;
    std::optional<Position> afterFirst;
    host_.countsShown = [&] {
      if (!afterFirst) afterFirst = Position{field(), game_.Score()};
    };

    game_.imgMainMouseUp(MouseButton::Left, x, y);

    host_.countsShown = nullptr;
    const bool secondMade = queued && !queuedClick_;
    queuedClick_.reset();
    const Position last{field(), game_.Score()};
    if (!secondMade || !afterFirst || !RunningOn(afterFirst->field)) return CheckedMove(before, CellAt(x, y), last);
    if (AssertionResult first = CheckedMove(before, CellAt(x, y), *afterFirst, false); !first) return first;
    ++tally_.clicksDuringAnimations;
    return CheckedMove(*afterFirst, CellAt(queued->x, queued->y), last) << " (a click made during an animation)";
  }

  // Without the ramp a game runs while a group or an active special is left;
  // with it, while any stone is.
  bool RunningOn(const Field& f) const {
    const FieldCounters& c = f.Counters();
    return game_.Settings().autoDrop ? c.StonesLeft > 0
                                     : c.StonesLeft > 0 && (c.MovableStones > 0 || c.ActiveSpecials > 0);
  }

  // The move a click on `cell` (-1: off the field) makes: exactly its group
  // or area goes, and it earns its points; the end of the game is judged
  // after the last move of a click.
  AssertionResult CheckedMove(const Position& before, std::int32_t cell, const Position& after, bool last = true) {
    const std::vector<std::int32_t> removed =
        cell < 0 ? std::vector<std::int32_t>{} : CellsAClickRemoves(before.field, cell, game_.Settings().actionsOn);
    if (removed.empty()) {
      if (FieldBytes(after.field.Cells()) != FieldBytes(before.field.Cells()) || after.score != before.score)
        return AssertionFailure() << "a click on cell " << cell << " that removes nothing changed the game";
      return CheckField();
    }
    clicks_.push_back({FieldBytes(before.field.Cells()), before.score});
    ++tally_.moves;
    if (IsActiveSpecial(before.field[cell].Kind)) ++tally_.specialMoves;
    Stones expected = StonesOn(before.field);
    for (std::int32_t i : removed) --expected[{before.field[i].Kind, before.field[i].Color}];
    std::erase_if(expected, [](const auto& entry) { return entry.second == 0; });
    if (StonesOn(after.field) != expected)
      return AssertionFailure() << "a click on cell " << cell << " did not remove exactly its " << removed.size()
                                << " stones";
    if (AssertionResult placed = MoveLeavesEveryStoneInPlace(before.field, removed, after.field); !placed)
      return placed << " after a click on cell " << cell;
    score_ = before.score + SpecifiedPoints(static_cast<std::int32_t>(removed.size()));
    if (last && !game_.GameRunning()) AddTheBonus();
    if (after.score != score_)
      return AssertionFailure() << "score " << after.score << " after a move of " << removed.size()
                                << " stones, the points of the moves give " << score_;
    return last ? CheckEndTest() : AssertionSuccess();
  }

  // Clearing the field earns a tenth of the score, except in low-score mode.
  void AddTheBonus() {
    if (field().Counters().StonesLeft != 0 || game_.Settings().lowScore) return;
    bonus_ = score_ / 10;
    score_ += *bonus_;
  }

  // The window goes on while an animation frame waits: a click made now is
  // queued, and a tick of the drop timer moves the ramp but drops nothing.
  void WhileAFrameWaits() {
    if (queuedClick_) {
      const Pixel click = *queuedClick_;
      queuedClick_.reset();
      game_.imgMainMouseUp(MouseButton::Left, click.x, click.y);
    }
    if (game_.Settings().autoDrop && Pick(2) == 0) {
      ++ticksDuringAnimations_;
      ++tally_.ticksDuringAnimations;
      ramp_.DoDropStones();
    }
  }

  AssertionResult RampStep() {
    const std::size_t onRamp = ramp_.RampStones().size();
    return CheckedDrop([this] { ramp_.DoDropStones(); }, onRamp + 1);
  }

  AssertionResult RampClick() {
    const RampStoneList& stones = ramp_.RampStones();
    std::int32_t x = Pick(ramp_.RampWidth() + 8) - 4;
    if (!stones.empty() && Pick(4) > 0) x = PickFrom(stones).Left + Pick(field().StoneWidth());
    const std::int32_t y = Pick(ramp_.RampHeight() + 2);
    return CheckedDrop([this, x, y] { ramp_.DropTheStoneClick(x, y); }, ramp_.RampStones().size());
  }

  static Stones RampStonesOf(const RampStoneList& stones) {
    Stones keyed;
    for (const RampStone& stone : stones) ++keyed[{stone.Kind, stone.Color}];
    return keyed;
  }

  // Stones come onto the field only from the ramp: each one the field gains
  // has left the ramp, and the ramp gains at most one new stone a step.
  AssertionResult CheckedDrop(const std::function<void()>& drop, std::size_t mostStonesAfter) {
    const Field before = field();
    const Stones fieldBefore = StonesOn(field());
    const Stones rampBefore = RampStonesOf(ramp_.RampStones());
    const std::int32_t stonesBefore = field().Counters().StonesLeft;
    ticksDuringAnimations_ = 0;

    drop();

    mostStonesAfter += static_cast<std::size_t>(ticksDuringAnimations_);
    const std::int32_t dropped = field().Counters().StonesLeft - stonesBefore;
    if (dropped > 0 && clicks_.empty()) droppedBeforeFirstMove_ = true;
    tally_.drops += std::max(dropped, 0);
    Stones supply = rampBefore;
    if (ramp_.RampStones().size() + static_cast<std::size_t>(std::max(dropped, 0)) > mostStonesAfter)
      return AssertionFailure() << "the ramp made more stones than it may";
    for (const auto& [key, count] : Difference(StonesOn(field()), fieldBefore)) {
      if (count < 0) return AssertionFailure() << "a ramp drop removed a stone from the field";
      supply[key] -= count;
    }
    for (const auto& [key, count] : supply) {
      if (count < 0) return AssertionFailure() << "a stone came onto the field that was not on the ramp";
    }
    if (AssertionResult placed = DropLeavesEveryStoneInPlace(before, field()); !placed) return placed;
    score_ += dropped * SpecifiedPoints(0);
    if (game_.Score() != score_)
      return AssertionFailure() << "score " << game_.Score() << " after " << dropped << " drops, expected " << score_;
    return CheckField();
  }

  AssertionResult UndoOneMove() {
    if (clicks_.empty()) return AssertionFailure() << "an undo is offered before any move";
    game_.UndoLastMove();
    const BeforeAClick before = clicks_.back();
    clicks_.pop_back();
    score_ = before.score;
    ++tally_.undos;
    if (FieldBytes(field().Cells()) != before.field) return AssertionFailure() << "an undo did not restore the field";
    if (game_.Score() != before.score) return AssertionFailure() << "an undo did not restore the score";
    return CheckField();
  }

  AssertionResult CheckField() {
    if (!host_.faults.empty()) return AssertionFailure() << host_.faults.front();
    if (AssertionResult counted = CountersMatchARecount(field()); !counted) return counted;
    if (AssertionResult settled = FieldIsSettled(field()); !settled) return settled;
    return CellsKeepTheirPlaces(field(), deal_);
  }

  AssertionResult CheckEndTest() {
    const FieldCounters& c = field().Counters();
    const bool running = RunningOn(field());
    if (game_.GameRunning() != running) return AssertionFailure() << "the end test disagrees with the field";
    const std::vector<std::int32_t> results =
        running ? std::vector<std::int32_t>{}
                : std::vector<std::int32_t>{game_.Settings().lowScore ? c.StonesLeft : score_};
    if (host_.results != results) return AssertionFailure() << "the result was not recorded once at the end";
    const std::vector<std::int32_t> bonuses = bonus_ ? std::vector<std::int32_t>{*bonus_} : std::vector<std::int32_t>{};
    if (host_.bonuses != bonuses) return AssertionFailure() << "the clearing bonus shown is not a tenth of the score";
    return CheckField();
  }

  // The start is what the first move changed: the deal, unless stones were
  // dropped before it.
  AssertionResult FinishAndUndoToTheStart() {
    if (!game_.GameRunning()) ++tally_.endedGames;
    if (field().Counters().StonesLeft == 0) ++tally_.clearedFields;
    if (clicks_.empty()) return AssertionSuccess();
    const BeforeAClick start = clicks_.front();
    if (FieldBytes(game_.StartPosition()) != start.field)
      return AssertionFailure() << "the start position a save would write is not the start of the game";
    if (AssertionResult saved = SavedStartReadsBack(); !saved) return saved;
    if (Pick(4) == 0) {
      game_.RestartGame();
      clicks_.clear();
    }
    while (!clicks_.empty()) {
      if (AssertionResult undone = UndoOneMove(); !undone) return undone << " (undoing to the start)";
    }
    if (game_.CanUndo()) return AssertionFailure() << "the history holds more moves than were made";
    if (FieldBytes(field().Cells()) != start.field || game_.Score() != 0)
      return AssertionFailure() << "back at the start the field or the score differ";
    if (!droppedBeforeFirstMove_ && start.field != FieldBytes(deal_))
      return AssertionFailure() << "the start is not the deal byte for byte";
    return CheckField();
  }

  // The saved-game bytes of the start read back to the same field.
  AssertionResult SavedStartReadsBack() {
    SavedGame saved;
    saved.computerName = "PLAY-TEST";
    saved.savedAt = 45000.5;
    saved.settings = SavedSettingsOf(game_.Settings(), field().Columns(), field().Rows());
    const FieldCounters counters = game_.StartCounters();
    saved.stonesLeft = counters.StonesLeft;
    saved.movableStones = counters.MovableStones;
    saved.activeSpecials = counters.ActiveSpecials;
    saved.cells = game_.StartPosition();
    const ParsedSavedGame read = ParseGameBlock(GameBlockBytes(saved));
    if (read.status != SavedGameStatus::Ok) return AssertionFailure() << "the saved start does not read back";
    GameSettings settings = game_.Settings();
    ApplySavedSettings(read.game.settings, settings);
    testing::SilentHost silent;
    GameRandom unused;
    Game reopened(silent, unused);
    reopened.LoadField(settings, {read.game.settings.columnCount, read.game.settings.rowCount}, read.game.cells);
    if (FieldBytes(reopened.GetField().Cells()) != FieldBytes(saved.cells) ||
        reopened.Counters() != counters)
      return AssertionFailure() << "the reopened start differs from the saved one";
    return AssertionSuccess();
  }

  std::mt19937_64 random_;
  Tally& tally_;
  GameRandom dealRandom_;
  CheckingHost host_;
  Game game_{host_, dealRandom_};
  Ramp ramp_{game_, host_, host_, dealRandom_};
  std::vector<TStoneCell> deal_;
  std::vector<BeforeAClick> clicks_;
  std::int32_t score_ = 0;
  std::optional<std::int32_t> bonus_;
  std::optional<Pixel> queuedClick_;  // made at the next animation frame
  int ticksDuringAnimations_ = 0;
  bool droppedBeforeFirstMove_ = false;
};

TEST(SelfCheckingPlay, RandomGamesKeepEveryRule) {
  const std::uint64_t games = FromEnvironment("PEBBLE_PLAY_GAMES", kShortRunGames);
  const std::uint64_t firstSeed = FromEnvironment("PEBBLE_PLAY_SEED", 20261210);
  Tally tally;
  for (std::uint64_t seed = firstSeed; seed < firstSeed + games; ++seed) {
    std::mt19937_64 random(seed);
    const GameSettings settings = RandomSettings(random);
    CheckedGame game(settings, seed, tally);
    ASSERT_TRUE(game.Play()) << Describe(settings, seed);
  }
  if (games < kShortRunGames) return;  // a replay of single games proves no coverage
  EXPECT_GT(tally.moves, 0);
  EXPECT_GT(tally.specialMoves, 0);
  EXPECT_GT(tally.drops, 0);
  EXPECT_GT(tally.undos, 0);
  EXPECT_GT(tally.clicksDuringAnimations, 0);
  EXPECT_GT(tally.ticksDuringAnimations, 0);
  EXPECT_GT(tally.clearedFields, 0);
  EXPECT_GT(tally.endedGames, 0);
  std::cout << tally.moves << " moves (" << tally.specialMoves << " of bombs and rockets), " << tally.drops
            << " drops, " << tally.undos << " undos, " << tally.clicksDuringAnimations << " clicks and "
            << tally.ticksDuringAnimations << " ramp steps during animations, " << tally.endedGames << " games to the end, "
            << tally.clearedFields << " of them cleared\n";
}

}  // namespace
}  // namespace pebble

// The solver's board against the engine: random deals of every size, with and
// without special stones, played click by click through both. After every
// click the fields, the stones removed, the points, the clickable cells and
// the end of the game must agree.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "engine/game.h"
#include "solver/board.h"
#include "support/silent_host.h"

namespace pebble::solver {
namespace {

enum class Specials { None, GoingOff, LyingInert };  // inert: actions switched off after the deal

struct Deal {
  std::int32_t columns, rows, colors;
  Specials specials;
  std::int32_t frequency;
};

Deal DrawDeal(GameRandom& pick, int sequence) {
  // Mostly small fields, where games are short and end in every way; now and
  // then the largest the dialog offers.
  const std::int32_t most = sequence % 25 == 0 ? 40 : 16;
  Deal deal{1 + pick.Random(most), 1 + pick.Random(most), 2 + pick.Random(14),
            static_cast<Specials>(pick.Random(3)), 1 + pick.Random(12)};
  if (pick.Random(3) == 0) deal.colors = 2 + pick.Random(3);  // few colours: big groups, long games
  return deal;
}

GameSettings SettingsOf(const Deal& deal) {
  GameSettings s;
  s.columnCount = deal.columns;
  s.rowCount = deal.rows;
  s.colorCount = static_cast<std::uint8_t>(deal.colors);
  s.actionsOn = deal.specials != Specials::None;
  s.actionFrequency = deal.frequency;
  s.animationsOn = false;
  s.soundsOn = false;
  s.undoInfo = false;
  return s;
}

// Stops at the first difference and says where it is.
::testing::AssertionResult SameFields(const Field& field, const Board& board) {
  for (std::int32_t i = 0; i < field.Size(); ++i) {
    const TStoneCell& cell = field[i];
    const CellContent expected = cell.Occupied ? CellContent{true, cell.Kind, cell.Color} : CellContent{};
    if (board.CellAt(i) != expected) return ::testing::AssertionFailure() << "cell " << i << " differs";
  }
  if (board.StonesLeft() != field.Counters().StonesLeft) return ::testing::AssertionFailure() << "stones left differ";
  return ::testing::AssertionSuccess();
}

bool EngineClickable(const Game& game, std::int32_t index) {
  const TStoneCell& cell = game.GetField()[index];
  return cell.Occupied && cell.Kind != skRock && (cell.Kind != skNormal || cell.SameColorCount >= 1);
}

::testing::AssertionResult SameClickableCells(const Game& game, const Board& board, std::vector<std::int32_t>& clickable) {
  clickable.clear();
  for (std::int32_t i = 0; i < game.GetField().Size(); ++i) {
    const bool engine = EngineClickable(game, i);
    if (engine != board.Clickable(i)) return ::testing::AssertionFailure() << "cell " << i << " clickable differs";
    if (engine) clickable.push_back(i);
  }
  return ::testing::AssertionSuccess();
}

// Every move the board lists is a click the engine takes and removes the
// stones it claims; on plain stones the groups it lists hold every clickable
// stone exactly once (none missed, none listed twice).
::testing::AssertionResult MovesAreTheClicks(const Board& board, const std::vector<std::int32_t>& clickable, bool plain) {
  std::int64_t grouped = 0;
  for (const Move& move : board.Moves()) {
    if (!board.Clickable(board.FieldIndex(move))) return ::testing::AssertionFailure() << "a move at an unclickable cell";
    Board played = board;
    if (played.Play(move) != move.stones) return ::testing::AssertionFailure() << "a move removes other than it claims";
    grouped += move.stones;
  }
  if (plain && grouped != static_cast<std::int64_t>(clickable.size())) {
    return ::testing::AssertionFailure() << grouped << " stones in listed groups, " << clickable.size() << " clickable";
  }
  return ::testing::AssertionSuccess();
}

// Plays one random deal to its end; returns the number of clicks made.
int PlayOneSequence(std::uint64_t seed, int sequence) {
  GameRandom pick;
  pick.Seed(seed);
  const Deal deal = DrawDeal(pick, sequence);
  testing::SilentHost host;
  GameRandom dealer;
  dealer.SetFixedSeed(seed);
  Game game(host, dealer);
  game.NewField(SettingsOf(deal), {deal.columns, deal.rows});
  if (deal.specials == Specials::LyingInert) game.MutableSettings().actionsOn = false;
  std::optional<Board> board = Board::FromField(game.GetField(), game.Settings().actionsOn);
  EXPECT_TRUE(board.has_value());
  if (!board) return 0;
  std::vector<std::int32_t> clickable;
  int clicks = 0;
  const std::string where = "seed " + std::to_string(seed) + ", click ";
  while (true) {
    SCOPED_TRACE(where + std::to_string(clicks));
    EXPECT_TRUE(SameFields(game.GetField(), *board));
    EXPECT_TRUE(SameClickableCells(game, *board, clickable));
    EXPECT_EQ(game.EndTest(), !board->Moves().empty());
    if (sequence % 4 == 0) EXPECT_TRUE(MovesAreTheClicks(*board, clickable, deal.specials == Specials::None));
    if (::testing::Test::HasFailure() || clickable.empty()) return clicks;
    const std::int32_t index = clickable[static_cast<std::size_t>(pick.Random(static_cast<std::int32_t>(clickable.size())))];
    const std::int32_t stonesBefore = game.Counters().StonesLeft;
    const TStoneCell& cell = game.GetField()[index];
    game.imgMainMouseUp(MouseButton::Left, cell.Left + 1, cell.Top + 1);
    const std::int32_t removed = board->Play(*board->MoveAtFieldIndex(index));
    EXPECT_EQ(removed, stonesBefore - game.Counters().StonesLeft);
    EXPECT_EQ(MovePoints(removed), game.LastMovePoints());
    ++clicks;
  }
}

// PEBBLE_SOLVER_SEQUENCES raises the count for a longer run on demand.
int SequenceCount() {
  const char* wanted = std::getenv("PEBBLE_SOLVER_SEQUENCES");
  return wanted ? std::max(1, std::atoi(wanted)) : 10000;
}

TEST(BoardAgainstEngine, RandomDealsPlayedToTheEnd) {
  const int sequences = SequenceCount();
  long clicks = 0;
  for (int s = 0; s < sequences && !HasFailure(); ++s) clicks += PlayOneSequence(0x5eed0000u + static_cast<std::uint64_t>(s), s);
  EXPECT_GT(clicks, sequences);  // the games were played, not only dealt
  RecordProperty("clicks", std::to_string(clicks));
}

TEST(BoardAgainstEngine, UnsettledFieldsAreRefused) {
  Field hole(2, 3, 20, 21);
  for (std::int32_t i : {1, 5}) hole[i].Occupied = 1;  // a stone in row 1 over an empty row 2
  hole.Recount(true);
  EXPECT_FALSE(Board::FromField(hole, false).has_value());
  Field gap(3, 1, 20, 21);
  gap[2].Occupied = 1;  // column 3 holds a stone, columns 1 and 2 do not
  gap.Recount(true);
  EXPECT_FALSE(Board::FromField(gap, false).has_value());
}

}  // namespace
}  // namespace pebble::solver

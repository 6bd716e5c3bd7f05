// The quick games' board against the solver's general board: on random plain
// deals of every size it holds, both list the same moves in the same order
// after every move, and a quick game played on it makes the very moves the
// same game makes on the general board.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "solver/heuristic.h"
#include "solver/plain_board.h"
#include "support/solver_fields.h"

namespace pebble::solver {
namespace {

struct PlainDeal {
  std::int32_t columns, rows;
  int colors;
};

// Fields of every size it holds, half of them of up to 15 rows (four columns
// to a word), the others taller (two to a word); few colours now and then,
// for big groups reaching over many columns and words.
PlainDeal DrawPlainDeal(GameRandom& pick) {
  const std::int32_t rows = pick.Random(2) == 0 ? 1 + pick.Random(15) : 16 + pick.Random(PlainBoard::kMaxRows - 15);
  PlainDeal deal{1 + pick.Random(PlainBoard::kMaxColumns), rows, 2 + pick.Random(7)};
  if (pick.Random(3) == 0) deal.colors = 2 + pick.Random(2);
  return deal;
}

// The board's moves but those of the colour ignored (0: none), in its order.
::testing::AssertionResult SameMoves(const Board& board, const PlainBoard& plain) {
  std::vector<Move> moves = board.Moves();
  std::erase_if(moves, [&](const Move& move) { return board.ColorIdAt(move) == plain.IgnoredColor(); });
  if (static_cast<int>(moves.size()) != plain.MoveCount()) {
    return ::testing::AssertionFailure() << moves.size() << " moves on the board, " << plain.MoveCount() << " on the plain one";
  }
  for (int i = 0; i < plain.MoveCount(); ++i) {
    const Move& move = moves[static_cast<std::size_t>(i)];
    if (plain.MoveAt(i) != move || plain.ColorIdOfMove(i) != board.ColorIdAt(move) || plain.StonesOfMove(i) != move.stones) {
      return ::testing::AssertionFailure() << "move " << i << " differs";
    }
  }
  if (plain.StonesLeft() != board.StonesLeft()) return ::testing::AssertionFailure() << "stones left differ";
  return ::testing::AssertionSuccess();
}

// Random moves through both boards. Now and then a colour is ignored for a
// while, as the quick games do, and again listed.
TEST(PlainBoard, ListsTheBoardsMovesAfterEveryMove) {
  GameRandom pick;
  pick.Seed(0x91a1);
  long played = 0;
  for (int deal = 0; deal < 3000 && !HasFailure(); ++deal) {
    const PlainDeal d = DrawPlainDeal(pick);
    Board board = DealtBoard(d.columns, d.rows, d.colors, 7'000 + static_cast<std::uint64_t>(deal));
    ASSERT_TRUE(PlainBoard::Fits(board));
    PlainBoard plain;
    plain.Load(board, deal % 2 == 0 ? 0 : 1 + pick.Random(board.ColorIdCount()));
    SCOPED_TRACE("deal " + std::to_string(deal));
    while (!HasFailure()) {
      if (pick.Random(8) == 0) plain.IgnoreColor(pick.Random(board.ColorIdCount() + 1));
      ASSERT_TRUE(SameMoves(board, plain));
      if (plain.MoveCount() == 0) {
        if (plain.IgnoredColor() == 0) break;
        plain.IgnoreColor(0);
        continue;
      }
      const int i = pick.Random(plain.MoveCount());
      const Move move = plain.MoveAt(i);
      ASSERT_EQ(plain.Play(i), board.Play(move));
      ++played;
    }
  }
  EXPECT_GT(played, 30'000);  // the deals were played, not only dealt
}

TEST(PlainBoard, QuickGamesMakeTheSameMovesAsOnTheBoard) {
  const StopRule never{nullptr, std::chrono::steady_clock::time_point::max(), nullptr, false};
  GameRandom pick;
  pick.Seed(0x91a2);
  for (int deal = 0; deal < 300 && !HasFailure(); ++deal) {
    const PlainDeal d = deal % 3 == 0 ? PlainDeal{15, 15, 5} : DrawPlainDeal(pick);
    const Board board = DealtBoard(d.columns, d.rows, d.colors, 8'000 + static_cast<std::uint64_t>(deal));
    const std::vector<Move> moves = board.Moves();
    if (moves.empty()) continue;
    RolloutRandom quickRandom{0x5eed + static_cast<std::uint64_t>(deal)}, boardRandom = quickRandom;
    Rollout quick, reference;
    ASSERT_TRUE(PlayOut(Goal::StandardScoring, board, 5, moves, quickRandom, quick, never));
    ASSERT_TRUE(PlayOutOnBoard(Goal::StandardScoring, board, 5, moves, boardRandom, reference, never));
    SCOPED_TRACE("deal " + std::to_string(deal));
    EXPECT_EQ(quick.moves, reference.moves);
    EXPECT_EQ(quick.tally, reference.tally);
    EXPECT_EQ(quick.stonesLeft, reference.stonesLeft);
    EXPECT_EQ(quickRandom.state, boardRandom.state);
  }
}

TEST(PlainBoard, HoldsOnlyPlainFieldsWithinItsSize) {
  EXPECT_TRUE(PlainBoard::Fits(DealtBoard(PlainBoard::kMaxColumns, PlainBoard::kMaxRows, 5, 1)));
  EXPECT_FALSE(PlainBoard::Fits(DealtBoard(PlainBoard::kMaxColumns + 1, 10, 5, 1)));
  EXPECT_FALSE(PlainBoard::Fits(DealtBoard(10, PlainBoard::kMaxRows + 1, 5, 1)));
  Field withRock = FieldOfRows({"ab", "ba"});
  withRock[0].Kind = skRock;
  EXPECT_FALSE(PlainBoard::Fits(*Board::FromField(withRock, false)));
}

}  // namespace
}  // namespace pebble::solver

#include "solver/heuristic.h"

#include "solver/plain_board.h"

namespace pebble::solver {

int MostPlentifulColor(const ColorCounts& counts, int colorIds) {
  int top = 1;
  for (int id = 2; id <= colorIds; ++id) {
    if (counts[static_cast<std::size_t>(id)] > counts[static_cast<std::size_t>(top)]) top = id;
  }
  return top;
}

void CountAfterMove(const Board& board, int color, std::int32_t removed, ColorCounts& counts) {
  if (board.IsSpecialColorId(color)) {
    counts = board.ColorCounts();
  } else {
    counts[static_cast<std::size_t>(color)] -= removed;
  }
}

namespace {

// Of two moves drawn from `count`, the smaller group goes first: big groups
// are kept to grow. Returns the chosen one's place among the `count`.
template <typename StonesAt>
std::size_t SmallerOfTwo(std::size_t count, RolloutRandom& random, StonesAt stonesAt) {
  const std::size_t one = random.Next() % count;
  const std::size_t other = random.Next() % count;
  return stonesAt(other) < stonesAt(one) ? other : one;
}

// The board lists no moves of the colour saved for last while other moves
// exist; once none is left it lists them all, for the rest of the game.
void AgreeOnSavedColor(PlainBoard& board, int saved) {
  if (board.IgnoredColor() == 0) return;
  if (board.IgnoredColor() != saved) board.IgnoreColor(saved);
  if (board.MoveCount() == 0) board.IgnoreColor(0);
}

// The move the quick game plays on a plain board: while the colour saved
// for last is ignored, every move listed is one the game may choose.
int DrawPlainMove(const PlainBoard& board, int saved, RolloutRandom& random) {
  const auto stonesOf = [&](std::size_t i) { return board.StonesOfMove(static_cast<int>(i)); };
  if (board.IgnoredColor() == saved) return static_cast<int>(SmallerOfTwo(static_cast<std::size_t>(board.MoveCount()), random, stonesOf));
  thread_local std::array<std::uint16_t, PlainBoard::kMaxColumns * PlainBoard::kMaxRows> allowed;
  std::size_t count = 0;
  for (int i = 0; i < board.MoveCount(); ++i) {
    if (board.ColorIdOfMove(i) != saved) allowed[count++] = static_cast<std::uint16_t>(i);
  }
  if (count == 0) return static_cast<int>(SmallerOfTwo(static_cast<std::size_t>(board.MoveCount()), random, stonesOf));
  return allowed[SmallerOfTwo(count, random, [&](std::size_t i) { return board.StonesOfMove(allowed[i]); })];
}

// The quick game on a plain board: the same draws, on the board of colour
// masks.
bool PlayOutPlain(Goal goal, const Board& position, std::int64_t tally, RolloutRandom& random, Rollout& out,
                  const StopRule& stop) {
  thread_local PlainBoard board;
  out.moves.clear();
  ColorCounts counts = position.ColorCounts();
  int saved = MostPlentifulColor(counts, position.ColorIdCount());
  board.Load(position, saved);
  while (true) {
    AgreeOnSavedColor(board, saved);
    if (board.MoveCount() == 0) break;
    if (stop.Soon(board.StonesLeft())) return false;
    const int move = DrawPlainMove(board, saved, random);
    const int color = board.ColorIdOfMove(move);
    out.moves.push_back(board.MoveAt(move));
    const std::int32_t removed = board.Play(move);
    tally += MoveGain(goal, removed);
    counts[static_cast<std::size_t>(color)] -= removed;
    saved = MostPlentifulColor(counts, position.ColorIdCount());
  }
  out.tally = tally;
  out.stonesLeft = board.StonesLeft();
  return true;
}

}  // namespace

bool PlayOut(Goal goal, const Board& position, std::int64_t tally, const std::vector<Move>& moves, RolloutRandom& random,
             Rollout& out, const StopRule& stop) {
  if (PlainBoard::Fits(position)) return PlayOutPlain(goal, position, tally, random, out, stop);
  return PlayOutOnBoard(goal, position, tally, moves, random, out, stop);
}

bool PlayOutOnBoard(Goal goal, const Board& position, std::int64_t tally, const std::vector<Move>& moves,
                    RolloutRandom& random, Rollout& out, const StopRule& stop) {
  thread_local Board board;
  thread_local std::vector<Move> open, allowed;
  board = position;
  open = moves;
  out.moves.clear();
  ColorCounts counts = board.ColorCounts();
  int saved = MostPlentifulColor(counts, board.ColorIdCount());
  while (!open.empty()) {
    if (stop.Soon(board.StonesLeft())) return false;
    allowed.clear();
    for (const Move& m : open) {
      if (board.ColorIdAt(m) != saved) allowed.push_back(m);
    }
    const std::vector<Move>& from = allowed.empty() ? open : allowed;
    const Move move = from[SmallerOfTwo(from.size(), random, [&](std::size_t i) { return from[i].stones; })];
    const int color = board.ColorIdAt(move);
    const std::int32_t removed = board.Play(move);
    tally += MoveGain(goal, removed);
    out.moves.push_back(move);
    // The colour saved for last is chosen again as the game goes: the one
    // with the most stones left.
    CountAfterMove(board, color, removed, counts);
    saved = MostPlentifulColor(counts, board.ColorIdCount());
    if (!board.Moves(open, stop.cancel)) return false;
  }
  out.tally = tally;
  out.stonesLeft = board.StonesLeft();
  return true;
}

}  // namespace pebble::solver

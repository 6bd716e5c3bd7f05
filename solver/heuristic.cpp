#include "solver/heuristic.h"

namespace pebble::solver {
namespace {

using ColorCounts = std::array<std::int32_t, Board::kMaxColorIds + 1>;

int MostPlentifulColor(const ColorCounts& counts, int colorIds) {
  int top = 1;
  for (int id = 2; id <= colorIds; ++id) {
    if (counts[static_cast<std::size_t>(id)] > counts[static_cast<std::size_t>(top)]) top = id;
  }
  return top;
}

}  // namespace

bool PlayOut(Goal goal, const Board& position, std::int64_t tally, const std::vector<Move>& moves, RolloutRandom& random,
             Rollout& out, const StopRule& stop) {
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
    // Of two moves drawn, the smaller group goes first: big groups are kept
    // to grow.
    const Move& one = from[random.Next() % from.size()];
    const Move& other = from[random.Next() % from.size()];
    const Move move = other.stones < one.stones ? other : one;
    const int color = board.ColorIdAt(move);
    const std::int32_t removed = board.Play(move);
    tally += MoveGain(goal, removed);
    out.moves.push_back(move);
    // The colour saved for last is chosen again as the game goes: the one
    // with the most stones left. A bomb or rocket takes stones of any colour.
    if (board.IsSpecialColorId(color)) {
      counts = board.ColorCounts();
    } else {
      counts[static_cast<std::size_t>(color)] -= removed;
    }
    saved = MostPlentifulColor(counts, board.ColorIdCount());
    if (!board.Moves(open, stop.cancel)) return false;
  }
  out.tally = tally;
  out.stonesLeft = board.StonesLeft();
  return true;
}

}  // namespace pebble::solver

#include "solver/heuristic.h"

namespace pebble::solver {
namespace {

int MostPlentifulColor(const Board& board) {
  const auto counts = board.ColorCounts();
  int top = 1;
  for (int id = 2; id <= board.ColorIdCount(); ++id) {
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
  const int saved = MostPlentifulColor(board);
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
    tally += MoveGain(goal, board.Play(move));
    out.moves.push_back(move);
    board.Moves(open);
  }
  out.tally = tally;
  out.stonesLeft = board.StonesLeft();
  return true;
}

}  // namespace pebble::solver

#include "solver/advice.h"

#include "solver/solver.h"

namespace pebble::solver {
namespace {

// The same stones in the same cells, told by their colours: two boards read
// from fields at different moments may number the colours differently.
bool SameStones(const Board& a, const Board& b) {
  if (a.Columns() != b.Columns() || a.Rows() != b.Rows() || a.StonesLeft() != b.StonesLeft()) return false;
  const std::int32_t cells = a.Columns() * a.Rows();
  for (std::int32_t index = 0; index < cells; ++index) {
    if (a.CellAt(index) != b.CellAt(index)) return false;
  }
  return true;
}

// The best of the known lines that still play from `now` to the end.
Line BestKnownLine(const Board& now, const AdviceAsk& ask, const std::vector<KnownLine>& known) {
  Line best;
  for (const KnownLine& line : known) {
    const std::optional<std::vector<std::int32_t>> rest = RestOfLine(line, now);
    if (!rest) continue;
    const std::optional<Line> played = LineOfClicks(now, *rest, ask.goal, ask.scoreSoFar);
    if (played && played->value > best.value) best = *played;
  }
  return best;
}

}  // namespace

Goal GoalOf(const GameSettings& settings) { return settings.lowScore ? Goal::FewestStones : Goal::MostPoints; }

std::optional<Board> BoardOf(const Field& field, const GameSettings& settings) {
  return Board::FromField(field, settings.actionsOn);
}

std::int64_t CountModeResult(const Advice& advice, const GameSettings& settings) {
  return settings.lowScore ? std::int64_t{advice.stonesLeft} : advice.points;
}

Advice AdviceOf(const Board& board, const Line& line, Goal goal) {
  Advice advice;
  if (!line.Found() || line.moves.empty()) return advice;
  advice.found = true;
  advice.fieldIndex = board.FieldIndex(line.moves.front());
  advice.cells = board.CellsOfMove(line.moves.front());
  advice.stonesLeft = line.stonesLeft;
  advice.points = FinalPoints(goal, line.tally, line.stonesLeft);
  Board played = board;
  for (const Move& move : line.moves) {
    advice.clicks.push_back(played.FieldIndex(move));
    played.Play(move);
  }
  return advice;
}

std::optional<Line> LineOfClicks(const Board& start, const std::vector<std::int32_t>& clicks, Goal goal,
                                 std::int64_t tallySoFar) {
  Board board = start;
  Line line;
  line.tally = tallySoFar;
  for (const std::int32_t click : clicks) {
    const std::optional<Move> move = board.MoveAtFieldIndex(click);
    if (!move) return std::nullopt;
    line.moves.push_back(*move);
    line.tally += MoveGain(goal, board.Play(*move));
  }
  if (!board.Moves().empty()) return std::nullopt;  // the game would still run
  line.stonesLeft = board.StonesLeft();
  line.value = LineValue(goal, line.tally, line.stonesLeft);
  return line;
}

std::optional<std::vector<std::int32_t>> RestOfLine(const KnownLine& line, const Board& now) {
  if (!line.from) return std::nullopt;
  Board board = *line.from;
  for (std::size_t played = 0;; ++played) {
    // Every move removes stones: once fewer are left than at `now`, the line has passed it by.
    if (board.StonesLeft() < now.StonesLeft()) return std::nullopt;
    if (board.StonesLeft() == now.StonesLeft() && SameStones(board, now)) {
      return std::vector<std::int32_t>(line.clicks.begin() + static_cast<std::ptrdiff_t>(played), line.clicks.end());
    }
    if (played == line.clicks.size()) return std::nullopt;
    const std::optional<Move> move = board.MoveAtFieldIndex(line.clicks[played]);
    if (!move) return std::nullopt;
    board.Play(*move);
  }
}

Advice Advise(const Board& now, const AdviceAsk& ask, const std::vector<KnownLine>& known,
              const std::atomic<bool>& cancel) {
  SolveRequest request{ask.goal, ask.budget, ask.threads, ask.stopWhenCleared, ask.scoreSoFar};
  request.known = BestKnownLine(now, ask, known);
  return AdviceOf(now, Solve(now, request, cancel), ask.goal);
}

}  // namespace pebble::solver

#include "solver/advice.h"

namespace pebble::solver {

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

}  // namespace pebble::solver

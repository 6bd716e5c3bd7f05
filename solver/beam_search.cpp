#include "solver/beam_search.h"

#include <algorithm>
#include <functional>
#include <queue>
#include <unordered_map>

#include "solver/heuristic.h"

namespace pebble::solver {
namespace {

struct Step {
  std::int32_t parent;
  Move move;
};

// Where a line through a position ends: the goal's points of the whole line
// and the stones it leaves.
struct LineEnd {
  std::int64_t tally = 0;
  std::int32_t stonesLeft = 0;
};

struct Child {
  std::int32_t parent;
  Move move;
  std::int64_t tally;
  std::int64_t estimate;  // the value of `end`
  LineEnd end;            // of its best known line
  std::uint64_t hash;
  std::uint32_t lineStart, lineEnd;  // its best known line on from it, in the layer's line store; empty: not stored
  bool dominated = false;  // the same position is reached by another child with at least its points
};

// The best line known on from a kept position: its moves after the position
// and where the whole line ends.
struct KnownLine {
  std::vector<Move> moves;
  LineEnd end;
  std::int64_t value = 0;
};

// A position the beam keeps: the board, the goal's points on the way to it,
// and the best line known through it.
struct Kept {
  Board board;
  std::int64_t tally = 0;
  KnownLine known;
};

class Beam {
 public:
  Beam(const Board& start, BeamOptions options, const StopRule& stop, BestLine& best)
      : options_(options), stop_(stop), best_(best), goal_(best.GetGoal()), random_{options.seed * 0x9E3779B97F4A7C15ull + 1} {
    Kept& root = kept_.emplace_back(Kept{start, best.TallySoFar(), {}});
    // A new pass searches around the best line of the passes before it.
    const Line line = best.Get();
    if (line.Found()) root.known = {line.moves, {line.tally, line.stonesLeft}, line.value};
  }

  PassEnd Run() {
    if (!kept_.front().board.Moves(moves_, stop_.cancel)) return PassEnd::Stopped;
    if (moves_.empty()) OfferFinished(-1, {}, kept_.front().tally, kept_.front().board);
    while (!kept_.empty()) {
      if (!ExpandLayer()) return PassEnd::Stopped;
      KeepBest();
    }
    return dropped_ ? PassEnd::Finished : PassEnd::Exhaustive;
  }

 private:
  bool ExpandLayer() {
    children_.clear();
    lines_.clear();
    topEstimates_ = {};
    for (std::size_t i = 0; i < kept_.size(); ++i) {
      const Kept& from = kept_[i];
      if (!from.board.Moves(moves_, stop_.cancel)) return false;
      for (const Move& move : moves_) {
        if (stop_.Soon(from.board.StonesLeft())) return false;
        scratch_ = from.board;
        const std::int64_t tally = from.tally + MoveGain(goal_, scratch_.Play(move));
        if (!scratch_.Moves(childMoves_, stop_.cancel)) return false;
        const auto parent = static_cast<std::int32_t>(i);
        if (childMoves_.empty()) {
          OfferFinished(parent, move, tally, scratch_);
          continue;
        }
        if (!PlayOut(goal_, scratch_, tally, childMoves_, random_, rollout_, stop_)) return false;
        Child child{parent, move, tally, LineValue(goal_, rollout_.tally, rollout_.stonesLeft), {rollout_.tally, rollout_.stonesLeft},
                    scratch_.Hash(), 0, 0};
        if (child.estimate > best_.Value()) OfferRollout(parent, move, child.estimate);
        child.lineStart = static_cast<std::uint32_t>(lines_.size());
        RememberLine(from.known, child);
        child.lineEnd = static_cast<std::uint32_t>(lines_.size());
        children_.push_back(child);
      }
    }
    return true;
  }

  // A child on its parent's best known line is worth at least that line: the
  // beam never loses the best line it has seen, and searches around it. The
  // line is stored only for a child that may still be kept, so a layer holds
  // some times the beam's width of lines, not one for every child.
  void RememberLine(const KnownLine& known, Child& child) {
    const bool onKnownLine = !known.moves.empty() && known.moves.front() == child.move && known.value > child.estimate;
    if (onKnownLine) {
      child.estimate = known.value;
      child.end = known.end;
    }
    // Twice the width leaves room for repeated positions, which are dropped.
    const auto room = 2 * static_cast<std::size_t>(options_.width);
    if (topEstimates_.size() == room && child.estimate < topEstimates_.top()) return;
    topEstimates_.push(child.estimate);
    if (topEstimates_.size() > room) topEstimates_.pop();
    if (onKnownLine) {
      lines_.insert(lines_.end(), known.moves.begin() + 1, known.moves.end());
    } else {
      lines_.insert(lines_.end(), rollout_.moves.begin(), rollout_.moves.end());
    }
  }

  // The children with the best estimates go on, one of each position: of
  // two orders of moves that reach the same position, the one with fewer
  // points can never end better, and is dropped.
  void KeepBest() {
    DropDominatedTwins();
    std::erase_if(children_, [](const Child& child) { return child.dominated; });
    std::sort(children_.begin(), children_.end(), [](const Child& a, const Child& b) { return a.estimate > b.estimate; });
    const std::size_t width = static_cast<std::size_t>(options_.width);
    if (children_.size() > width) {
      dropped_ = true;
      children_.resize(width);
    }
    std::vector<Step>& steps = layers_.emplace_back();
    next_.resize(children_.size());
    for (std::size_t i = 0; i < children_.size(); ++i) {
      const Child& child = children_[i];
      Kept& kept = next_[i];
      PlayChild(child, kept.board);
      kept.tally = child.tally;
      kept.known.moves.assign(lines_.begin() + child.lineStart, lines_.begin() + child.lineEnd);
      kept.known.end = child.end;
      kept.known.value = child.estimate;
      steps.push_back({child.parent, child.move});
    }
    std::swap(kept_, next_);
  }

  void PlayChild(const Child& child, Board& board) const {
    board = kept_[static_cast<std::size_t>(child.parent)].board;
    board.Play(child.move);
  }

  // Marks each child whose position another child reaches with at least as
  // many points; the one that stays takes over the better known line of the
  // two, as it plays from the same position. Equal hashes are confirmed on
  // the boards, so a rare clash of hashes never drops a position.
  void DropDominatedTwins() {
    firstOfHash_.clear();
    for (std::size_t i = 0; i < children_.size(); ++i) {
      const auto [at, isNew] = firstOfHash_.try_emplace(children_[i].hash, i);
      if (isNew) continue;
      Child& held = children_[at->second];
      Child& other = children_[i];
      PlayChild(held, twinA_);
      PlayChild(other, twinB_);
      if (!twinA_.SamePosition(twinB_)) continue;
      const bool otherWins = other.tally > held.tally || (other.tally == held.tally && other.estimate > held.estimate);
      Child& winner = otherWins ? other : held;
      Child& loser = otherWins ? held : other;
      TakeOverLine(winner, loser);
      loser.dominated = true;
      at->second = otherWins ? i : at->second;
    }
  }

  void TakeOverLine(Child& winner, const Child& loser) const {
    if (loser.lineEnd == loser.lineStart) return;  // its line was not stored
    const LineEnd end{winner.tally + (loser.end.tally - loser.tally), loser.end.stonesLeft};
    const std::int64_t value = LineValue(goal_, end.tally, end.stonesLeft);
    if (value <= winner.estimate) return;
    winner.estimate = value;
    winner.end = end;
    winner.lineStart = loser.lineStart;
    winner.lineEnd = loser.lineEnd;
  }

  void OfferFinished(std::int32_t parent, const Move& last, std::int64_t tally, const Board& end) {
    const std::int64_t value = LineValue(goal_, tally, end.StonesLeft());
    if (value <= best_.Value()) return;
    Line line{parent >= 0 ? PathTo(parent, last) : std::vector<Move>{}, tally, end.StonesLeft(), value};
    best_.Offer(line);
  }

  void OfferRollout(std::int32_t parent, const Move& move, std::int64_t value) {
    Line line{PathTo(parent, move), rollout_.tally, rollout_.stonesLeft, value};
    line.moves.insert(line.moves.end(), rollout_.moves.begin(), rollout_.moves.end());
    best_.Offer(line);
  }

  // The moves from the start to position `parent` of the newest layer, then `last`.
  std::vector<Move> PathTo(std::int32_t parent, const Move& last) const {
    std::vector<Move> path{last};
    for (std::size_t depth = layers_.size(); depth-- > 0;) {
      const Step& step = layers_[depth][static_cast<std::size_t>(parent)];
      path.push_back(step.move);
      parent = step.parent;
    }
    std::reverse(path.begin(), path.end());
    return path;
  }

  BeamOptions options_;
  const StopRule& stop_;
  BestLine& best_;
  Goal goal_;
  RolloutRandom random_;
  Rollout rollout_;
  std::vector<Kept> kept_, next_;
  std::vector<std::vector<Step>> layers_;  // layers_[d][i]: how position i after move d + 1 was reached
  std::vector<Child> children_;
  std::vector<Move> lines_;  // the children's best known lines, one after the other
  std::priority_queue<std::int64_t, std::vector<std::int64_t>, std::greater<>> topEstimates_;  // the layer's best, up to the width
  std::vector<Move> moves_, childMoves_;
  std::unordered_map<std::uint64_t, std::size_t> firstOfHash_;  // the child that holds each position of the layer
  Board scratch_, twinA_, twinB_;
  bool dropped_ = false;
};

}  // namespace

PassEnd BeamPass(const Board& start, BeamOptions options, const StopRule& stop, BestLine& best) {
  Beam beam(start, options, stop, best);
  return beam.Run();
}

}  // namespace pebble::solver

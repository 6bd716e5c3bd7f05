#include "solver/beam_search.h"

#include <algorithm>
#include <functional>
#include <queue>
#include <unordered_set>

#include "solver/heuristic.h"

namespace pebble::solver {
namespace {

struct Step {
  std::int32_t parent;
  Move move;
};

struct Child {
  std::int32_t parent;
  Move move;
  std::int64_t tally;
  std::int64_t estimate;
  std::uint64_t hash;
  std::uint32_t lineStart, lineEnd;  // its best known line on from it, in the layer's line store
};

// The best line known on from a kept position: its moves after the position
// and what the whole line is worth.
struct KnownLine {
  std::vector<Move> moves;
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
    Kept& root = kept_.emplace_back(Kept{start, 0, {}});
    // A new pass searches around the best line of the passes before it.
    const Line line = best.Get();
    if (line.Found()) root.known = {line.moves, line.value};
  }

  PassEnd Run() {
    if (kept_.front().board.Moves().empty()) OfferFinished(-1, {}, 0, kept_.front().board);
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
      from.board.Moves(moves_);
      for (const Move& move : moves_) {
        if ((++expanded_ & 15) == 0 && stop_.Now()) return false;
        scratch_ = from.board;
        const std::int64_t tally = from.tally + MoveGain(goal_, scratch_.Play(move));
        scratch_.Moves(childMoves_);
        const auto parent = static_cast<std::int32_t>(i);
        if (childMoves_.empty()) {
          OfferFinished(parent, move, tally, scratch_);
          continue;
        }
        PlayOut(goal_, scratch_, tally, childMoves_, random_, rollout_);
        std::int64_t estimate = LineValue(goal_, rollout_.tally, rollout_.stonesLeft);
        if (estimate > best_.Value()) OfferRollout(parent, move, estimate);
        const auto lineStart = static_cast<std::uint32_t>(lines_.size());
        RememberLine(from.known, move, estimate);
        children_.push_back({parent, move, tally, estimate, scratch_.Hash(), lineStart, static_cast<std::uint32_t>(lines_.size())});
      }
    }
    return true;
  }

  // A child on its parent's best known line is worth at least that line: the
  // beam never loses the best line it has seen, and searches around it. The
  // line is stored only for a child that may still be kept, so a layer holds
  // some times the beam's width of lines, not one for every child.
  void RememberLine(const KnownLine& known, const Move& move, std::int64_t& estimate) {
    const bool onKnownLine = !known.moves.empty() && known.moves.front() == move && known.value > estimate;
    if (onKnownLine) estimate = known.value;
    // Twice the width leaves room for repeated positions, which are dropped.
    const auto room = 2 * static_cast<std::size_t>(options_.width);
    if (topEstimates_.size() == room && estimate < topEstimates_.top()) return;
    topEstimates_.push(estimate);
    if (topEstimates_.size() > room) topEstimates_.pop();
    if (onKnownLine) {
      lines_.insert(lines_.end(), known.moves.begin() + 1, known.moves.end());
    } else {
      lines_.insert(lines_.end(), rollout_.moves.begin(), rollout_.moves.end());
    }
  }

  void KeepBest() {
    std::sort(children_.begin(), children_.end(), [](const Child& a, const Child& b) { return a.estimate > b.estimate; });
    seen_.clear();
    std::vector<Step>& steps = layers_.emplace_back();
    next_.resize(std::min<std::size_t>(children_.size(), static_cast<std::size_t>(options_.width)));
    for (const Child& child : children_) {
      if (steps.size() == next_.size()) {
        dropped_ = true;  // perhaps only repeats are left; counted as dropped all the same
        break;
      }
      if (!seen_.insert(child.hash).second) continue;  // the same position by another order of moves
      Kept& kept = next_[steps.size()];
      kept.board = kept_[static_cast<std::size_t>(child.parent)].board;
      kept.board.Play(child.move);
      kept.tally = child.tally;
      kept.known.moves.assign(lines_.begin() + child.lineStart, lines_.begin() + child.lineEnd);
      kept.known.value = child.estimate;
      steps.push_back({child.parent, child.move});
    }
    next_.resize(steps.size());
    std::swap(kept_, next_);
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
  std::unordered_set<std::uint64_t> seen_;
  Board scratch_;
  std::uint64_t expanded_ = 0;
  bool dropped_ = false;
};

}  // namespace

PassEnd BeamPass(const Board& start, BeamOptions options, const StopRule& stop, BestLine& best) {
  Beam beam(start, options, stop, best);
  return beam.Run();
}

}  // namespace pebble::solver

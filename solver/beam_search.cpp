#include "solver/beam_search.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <queue>
#include <thread>
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

class Beam;

// One thread's share of a layer: it plays every move of the kept positions
// given to it, judges each child by a quick game, and stores the lines of
// the children that may still be kept. Each thread has its own random
// stream, so that two threads never play the same quick games.
class Expander {
 public:
  Expander(const Beam& beam, std::uint64_t seed) : beam_(beam), random_{seed} {}

  // Expands kept positions, each the next one no thread has taken yet,
  // storing the lines of its best `room` children.
  bool Expand(std::atomic<std::size_t>& next, std::size_t room);

  std::vector<Child> children;
  std::vector<Move> lines;  // the children's best known lines, one after the other

 private:
  bool ExpandMove(std::size_t parent, const Move& move);
  void RememberLine(const KnownLine& known, Child& child);

  const Beam& beam_;
  std::size_t room_ = 0;
  RolloutRandom random_;
  Rollout rollout_;
  std::priority_queue<std::int64_t, std::vector<std::int64_t>, std::greater<>> topEstimates_;  // the best, up to the room
  std::vector<Move> moves_, childMoves_;
  Board scratch_;
};

class Beam {
 public:
  Beam(const Board& start, BeamOptions options, const StopRule& stop, BestLine& best)
      : options_(options), stop_(stop), best_(best), goal_(best.GetGoal()) {
    Kept& root = kept_.emplace_back(Kept{start, best.TallySoFar(), {}});
    // A new pass searches around the best line of the passes before it.
    const Line line = best.Get();
    if (line.Found()) root.known = {line.moves, {line.tally, line.stonesLeft}, line.value};
    const unsigned threads = std::max(1u, options.threads);
    for (unsigned t = 0; t < threads; ++t) {
      expanders_.emplace_back(*this, (options.seed + 0x51ED2701ull * t) * 0x9E3779B97F4A7C15ull + 1);
    }
  }

  PassEnd Run() {
    if (!kept_.front().board.Moves(moves_, stop_.cancel)) return PassEnd::Stopped;
    if (moves_.empty()) OfferFinished(-1, {}, kept_.front().tally, kept_.front().board);
    // A layer's time runs from the end of one expansion to the end of the
    // next: the keeping of the last layer's children is part of its cost.
    std::chrono::nanoseconds expanded = stop_.Reading();
    while (!kept_.empty()) {
      if (!ExpandLayer()) return PassEnd::Stopped;
      const std::chrono::nanoseconds now = stop_.Reading();
      lastLayer_ = now - expanded;
      expanded = now;
      KeepBest(lastLayer_);
    }
    return dropped_ ? PassEnd::Finished : PassEnd::Exhaustive;
  }

 private:
  friend class Expander;

  // The threads share the layer's kept positions, each taking the next one
  // as it is free, so that none waits long for the others at the layer's
  // end. Each thread takes part only with some milliseconds of work to do:
  // starting it costs, and on a busy machine it may wait that long for its
  // turn. Twice the width of stored lines leaves room for repeated positions,
  // which are dropped; of that, each thread stores twice its share, so that
  // many threads do not hold many times the lines a beam needs.
  bool ExpandLayer() {
    const std::size_t threads = ThreadsForLayer();
    const auto width = static_cast<std::size_t>(options_.width);
    const std::size_t room = std::min(2 * width, 4 * width / threads + 1);
    std::vector<char> expanded(threads, 0);
    std::atomic<std::size_t> next{0};
    {
      std::vector<std::jthread> helpers;
      for (std::size_t t = 1; t < threads; ++t) {
        helpers.emplace_back([&, t] { expanded[t] = expanders_[t].Expand(next, room); });
      }
      expanded[0] = expanders_[0].Expand(next, room);
    }
    if (std::find(expanded.begin(), expanded.end(), 0) != expanded.end()) return false;
    GatherChildren(threads);
    return true;
  }

  std::size_t ThreadsForLayer() const {
    if (options_.shareAbove.count() <= 0) return expanders_.size();
    return std::min<std::size_t>(expanders_.size(), 1 + static_cast<std::size_t>(lastLayer_ / options_.shareAbove));
  }

  // The children of all threads in one list, their lines in one store.
  void GatherChildren(std::size_t threads) {
    children_.swap(expanders_[0].children);
    lines_.swap(expanders_[0].lines);
    for (std::size_t t = 1; t < threads; ++t) {
      const auto offset = static_cast<std::uint32_t>(lines_.size());
      for (Child child : expanders_[t].children) {
        child.lineStart += offset;
        child.lineEnd += offset;
        children_.push_back(child);
      }
      lines_.insert(lines_.end(), expanders_[t].lines.begin(), expanders_[t].lines.end());
    }
  }

  // The children with the best estimates go on, one of each position: of
  // two orders of moves that reach the same position, the one with fewer
  // points can never end better, and is dropped.
  void KeepBest(std::chrono::nanoseconds took) {
    DropDominatedTwins();
    std::erase_if(children_, [](const Child& child) { return child.dominated; });
    std::sort(children_.begin(), children_.end(), [](const Child& a, const Child& b) { return a.estimate > b.estimate; });
    const std::size_t width = WidthThatEndsInTime(took);
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

  // A pass that would not end before the time is up narrows its beam for the
  // layers still to come, so that the widest pass, the last, still plays its
  // best positions to the end instead of being cut off with nothing but its
  // quick games to show. Each kept position costs about what one did in the
  // layer just played; the layers after it cost less and less as the field
  // empties and the quick games get shorter, on 15 x 15 about a quarter of
  // that on average up to the end of the longest line known, while the last
  // few layers cost about the same each, their work being mostly the keeping.
  // The time is counted a little shorter, for a margin. Asked again at every
  // layer, the guess corrects itself as the pass goes on; it widens the beam
  // again only slowly, as one short layer may just have been lucky with the
  // machine.
  std::size_t WidthThatEndsInTime(std::chrono::nanoseconds took) {
    if (children_.empty()) return 0;
    const double left = std::chrono::duration<double>(stop_.Deadline() - stop_.Reading()).count();
    const double perKept = std::chrono::duration<double>(took).count() / static_cast<double>(kept_.size());
    std::uint32_t longest = 1;
    for (const Child& child : children_) longest = std::max(longest, child.lineEnd - child.lineStart);
    const double layersLeft = longest;
    const double cheaper = std::clamp(layersLeft / 8, 1.0, 3.5);
    const double fits = cheaper * 0.8 * left / std::max(1e-9, perKept * layersLeft);
    allowed_ = std::clamp(fits, 1.0, std::min(1.5 * allowed_ + 1, static_cast<double>(options_.width)));
    return static_cast<std::size_t>(allowed_);
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

  void OfferFinished(std::int32_t parent, const Move& last, std::int64_t tally, const Board& end) const {
    const std::int64_t value = LineValue(goal_, tally, end.StonesLeft());
    if (value <= best_.Value()) return;
    Line line{parent >= 0 ? PathTo(parent, last) : std::vector<Move>{}, tally, end.StonesLeft(), value};
    best_.Offer(line);
  }

  void OfferRollout(std::int32_t parent, const Move& move, const Rollout& rollout, std::int64_t value) const {
    Line line{PathTo(parent, move), rollout.tally, rollout.stonesLeft, value};
    line.moves.insert(line.moves.end(), rollout.moves.begin(), rollout.moves.end());
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
  std::deque<Expander> expanders_;  // one per thread
  std::vector<Kept> kept_, next_;
  std::vector<std::vector<Step>> layers_;  // layers_[d][i]: how position i after move d + 1 was reached
  std::vector<Child> children_;
  std::vector<Move> lines_;  // the children's best known lines, one after the other
  std::vector<Move> moves_;
  std::unordered_map<std::uint64_t, std::size_t> firstOfHash_;  // the child that holds each position of the layer
  Board twinA_, twinB_;
  std::chrono::nanoseconds lastLayer_{};  // the time of the layer played last, on the stop rule's clock
  double allowed_ = 1e9;         // the width the time still allows
  bool dropped_ = false;
};

bool Expander::Expand(std::atomic<std::size_t>& next, std::size_t room) {
  room_ = room;
  children.clear();
  lines.clear();
  topEstimates_ = {};
  for (std::size_t i = next++; i < beam_.kept_.size(); i = next++) {
    if (!beam_.kept_[i].board.Moves(moves_, beam_.stop_.cancel)) return false;
    for (const Move& move : moves_) {
      if (!ExpandMove(i, move)) return false;
    }
  }
  return true;
}

// Plays the move from kept position `parent`; a child with moves left is
// judged by a quick game, a finished one is offered as it is.
bool Expander::ExpandMove(std::size_t parent, const Move& move) {
  const Kept& from = beam_.kept_[parent];
  if (beam_.stop_.Soon(from.board.StonesLeft())) return false;
  scratch_ = from.board;
  const std::int64_t tally = from.tally + MoveGain(beam_.goal_, scratch_.Play(move));
  if (!scratch_.Moves(childMoves_, beam_.stop_.cancel)) return false;
  const auto at = static_cast<std::int32_t>(parent);
  if (childMoves_.empty()) {
    beam_.OfferFinished(at, move, tally, scratch_);
    return true;
  }
  if (!PlayOut(beam_.goal_, scratch_, tally, childMoves_, random_, rollout_, beam_.stop_)) return false;
  Child child{at, move, tally, LineValue(beam_.goal_, rollout_.tally, rollout_.stonesLeft), {rollout_.tally, rollout_.stonesLeft},
              scratch_.Hash(), 0, 0};
  if (child.estimate > beam_.best_.Value()) beam_.OfferRollout(at, move, rollout_, child.estimate);
  child.lineStart = static_cast<std::uint32_t>(lines.size());
  RememberLine(from.known, child);
  child.lineEnd = static_cast<std::uint32_t>(lines.size());
  children.push_back(child);
  return true;
}

// A child on its parent's best known line is worth at least that line: the
// beam never loses the best line it has seen, and searches around it. The
// line is stored only for a child that may still be kept, so a layer holds
// some times the beam's width of lines, not one for every child.
void Expander::RememberLine(const KnownLine& known, Child& child) {
  const bool onKnownLine = !known.moves.empty() && known.moves.front() == child.move && known.value > child.estimate;
  if (onKnownLine) {
    child.estimate = known.value;
    child.end = known.end;
  }
  if (topEstimates_.size() == room_ && child.estimate < topEstimates_.top()) return;
  topEstimates_.push(child.estimate);
  if (topEstimates_.size() > room_) topEstimates_.pop();
  if (onKnownLine) {
    lines.insert(lines.end(), known.moves.begin() + 1, known.moves.end());
  } else {
    lines.insert(lines.end(), rollout_.moves.begin(), rollout_.moves.end());
  }
}

}  // namespace

PassEnd BeamPass(const Board& start, BeamOptions options, const StopRule& stop, BestLine& best) {
  Beam beam(start, options, stop, best);
  return beam.Run();
}

}  // namespace pebble::solver

#include "solver/nrpa.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "solver/heuristic.h"
#include "solver/plain_board.h"
#include "solver/seeded_threads.h"

namespace pebble::solver {
namespace {

// The weights of the moves a level has been taught; a move never taught
// weighs 0. Open addressing, as it is read for every move of every step.
class Policy {
 public:
  double Weight(std::uint64_t code) const {
    if (entries_.empty()) return 0;
    for (std::size_t i = code & Mask();; i = (i + 1) & Mask()) {
      if (entries_[i].code == code) return entries_[i].weight;
      if (entries_[i].code == 0) return 0;
    }
  }
  void Add(std::uint64_t code, double delta) {
    if (2 * (used_ + 1) > entries_.size()) Grow();
    std::size_t i = code & Mask();
    while (entries_[i].code != code && entries_[i].code != 0) i = (i + 1) & Mask();
    if (entries_[i].code == 0) {
      entries_[i].code = code;
      ++used_;
    }
    entries_[i].weight += delta;
  }

 private:
  struct Entry {
    std::uint64_t code = 0;  // 0: free; no move has code 0
    double weight = 0;
  };
  std::size_t Mask() const { return entries_.size() - 1; }
  void Grow() {
    std::vector<Entry> old(std::max<std::size_t>(4096, 2 * entries_.size()));
    old.swap(entries_);
    used_ = 0;
    for (const Entry& e : old) {
      if (e.code != 0) Add(e.code, e.weight);
    }
  }
  std::vector<Entry> entries_;
  std::size_t used_ = 0;
};

// A quick game drawn from a policy, with what adapting to it needs: at each
// step the move chosen and every move offered.
struct Sequence {
  std::vector<Move> moves;
  std::vector<std::uint64_t> chosen;
  std::vector<std::uint64_t> offered;   // of all steps, one after the other
  std::vector<float> priors;            // of each move offered, added to its weight
  std::vector<std::uint32_t> stepEnds;  // where each step's offered moves end
  std::int64_t tally = 0;
  std::int32_t stonesLeft = 0;
  std::int64_t value = std::numeric_limits<std::int64_t>::min();

  void Clear() {
    moves.clear();
    chosen.clear();
    offered.clear();
    priors.clear();
    stepEnds.clear();
    value = std::numeric_limits<std::int64_t>::min();
  }
};

// A quick game on the board of colour masks, for plain fields it can hold.
// Every move is offered; the colour saved for last is the one with the most
// stones left, chosen again after each move.
class PlainPosition {
 public:
  bool Start(const Board& start, const StopRule&) {
    counts_ = start.ColorCounts();
    colorIds_ = start.ColorIdCount();
    saved_ = MostPlentifulColor(counts_, colorIds_);
    board_.Load(start);
    return true;
  }
  int Saved() const { return saved_; }
  int Count() const { return board_.MoveCount(); }
  Move At(int i) const { return board_.MoveAt(i); }
  int ColorOf(int i) const { return board_.ColorIdOfMove(i); }
  std::int32_t StonesLeft() const { return board_.StonesLeft(); }
  // The stones removed; below zero: the stop rule ended the game.
  std::int32_t Play(int i, const StopRule&) {
    const int color = ColorOf(i);
    const std::int32_t removed = board_.Play(i);
    counts_[static_cast<std::size_t>(color)] -= removed;
    saved_ = MostPlentifulColor(counts_, colorIds_);
    return removed;
  }

 private:
  PlainBoard board_;
  ColorCounts counts_{};
  int colorIds_ = 0, saved_ = 0;
};

// The same on the general board, for every other field: bombs, rockets and
// rocks, and fields too large for the masks.
class FullPosition {
 public:
  bool Start(const Board& start, const StopRule& stop) {
    board_ = start;
    counts_ = board_.ColorCounts();
    saved_ = MostPlentifulColor(counts_, board_.ColorIdCount());
    return board_.Moves(moves_, stop.cancel);
  }
  int Saved() const { return saved_; }
  int Count() const { return static_cast<int>(moves_.size()); }
  Move At(int i) const { return moves_[static_cast<std::size_t>(i)]; }
  int ColorOf(int i) const { return board_.ColorIdAt(At(i)); }
  std::int32_t StonesLeft() const { return board_.StonesLeft(); }
  std::int32_t Play(int i, const StopRule& stop) {
    const int color = ColorOf(i);
    const std::int32_t removed = board_.Play(At(i));
    CountAfterMove(board_, color, removed, counts_);
    saved_ = MostPlentifulColor(counts_, board_.ColorIdCount());
    return board_.Moves(moves_, stop.cancel) ? removed : -1;
  }

 private:
  Board board_;
  std::vector<Move> moves_;
  ColorCounts counts_{};
  int saved_ = 0;
};

template <typename Position>
class Adaptation {
 public:
  Adaptation(const Board& start, NrpaOptions options, const StopRule& stop, BestLine& best)
      : start_(start), options_(options), stop_(stop), best_(best), random_{options.seed * 2 + 0x9E3779B97F4A7C15ull},
        found_(static_cast<std::size_t>(options.level) + 1), taught_(static_cast<std::size_t>(options.level) + 1) {}

  void Run() {
    while (true) {
      Policy policy;
      Sequence line;
      if (options_.fromBestSoFar && !Replay(best_.Get(), line)) return;
      if (!Level(options_.level, policy, line)) return;
    }
  }

 private:
  // Level n: the best of `iterations` searches of level n-1, each from the
  // policy as taught by the best line so far, which starts as `best` (none
  // when it is clear). False: stopped.
  bool Level(int level, Policy& policy, Sequence& best) {
    if (level == 0) return PlayOut(policy, best);
    Sequence& found = found_[static_cast<std::size_t>(level)];
    Policy& below = taught_[static_cast<std::size_t>(level)];
    for (int i = 0; i < options_.iterations; ++i) {
      if (level > 1) below = policy;  // the level below teaches a copy of its own
      found.Clear();
      if (!Level(level - 1, level > 1 ? below : policy, found)) return false;
      if (found.value >= best.value) std::swap(found, best);
      Adapt(policy, best);
    }
    return true;
  }

  // One quick game, each move drawn with a chance in proportion to
  // e^weight among the moves offered; offered when it beats the best so far.
  bool PlayOut(const Policy& policy, Sequence& out) {
    const bool played = Play(out, [&](double top) { return Draw(top); }, policy);
    if (played && out.value > best_.Value()) best_.Offer({out.moves, out.tally, out.stonesLeft, out.value});
    return played;
  }

  // The line found by another search, with the moves offered on its way, to
  // teach the policy from the start; `out` stays clear when the line makes
  // a move not offered. False: stopped.
  bool Replay(const Line& line, Sequence& out) {
    const Policy untaught;
    std::size_t step = 0;
    bool offered = true;
    const bool played = Play(out, [&](double) {
      for (int i = 0; i < position_.Count(); ++i) {
        if (step < line.moves.size() && position_.At(i) == line.moves[step]) {
          ++step;
          return i;
        }
      }
      offered = false;
      return 0;
    }, untaught);
    if (!offered || step != line.moves.size()) out.Clear();
    return played;
  }

  // Plays a game to the end, each move chosen by `choose` from the moves
  // offered, whose weights under the policy (priors included) are in
  // chances_ and the top one given; records the game in `out`. False:
  // stopped.
  template <typename Choose>
  bool Play(Sequence& out, Choose choose, const Policy& policy) {
    if (!position_.Start(start_, stop_)) return false;
    std::int64_t tally = best_.TallySoFar();
    // Asked before each move and at the end: a position without a move
    // would otherwise be played again and again without asking.
    while (true) {
      if (stop_.Soon(position_.StonesLeft())) return false;
      if (position_.Count() == 0) break;
      const int count = position_.Count();
      chances_.resize(static_cast<std::size_t>(count));
      double top = -std::numeric_limits<double>::infinity();
      for (int i = 0; i < count; ++i) {
        const std::uint64_t code = MoveCode(position_.ColorOf(i), position_.At(i));
        const float prior = position_.ColorOf(i) == position_.Saved() ? -static_cast<float>(options_.savedPenalty) : 0.0f;
        out.offered.push_back(code);
        out.priors.push_back(prior);
        chances_[static_cast<std::size_t>(i)] = policy.Weight(code) + prior;
        top = std::max(top, chances_[static_cast<std::size_t>(i)]);
      }
      const int pick = choose(top);
      out.stepEnds.push_back(static_cast<std::uint32_t>(out.offered.size()));
      out.chosen.push_back(out.offered[out.offered.size() - static_cast<std::size_t>(count - pick)]);
      out.moves.push_back(position_.At(pick));
      const std::int32_t removed = position_.Play(pick, stop_);
      if (removed < 0) return false;
      tally += MoveGain(best_.GetGoal(), removed);
    }
    out.tally = tally;
    out.stonesLeft = position_.StonesLeft();
    out.value = LineValue(best_.GetGoal(), tally, out.stonesLeft);
    return true;
  }

  // Turns the weights in chances_ into chances and draws one; weights are
  // taken relative to the top one so that e^weight never overflows.
  int Draw(double top) {
    double sum = 0;
    for (double& c : chances_) sum += (c = std::exp(c - top));
    double r = static_cast<double>(random_.Next() >> 11) * 0x1p-53 * sum;
    for (std::size_t i = 0; i + 1 < chances_.size(); ++i) {
      r -= chances_[i];
      if (r < 0) return static_cast<int>(i);
    }
    return static_cast<int>(chances_.size()) - 1;
  }

  // Pulls the policy towards the line: at each step the move played gains
  // alpha, and every move offered loses alpha times its chance under the
  // policy as it was before this adaptation.
  void Adapt(Policy& policy, const Sequence& line) {
    changes_.clear();
    std::size_t begin = 0;
    for (std::size_t step = 0; step < line.chosen.size(); ++step) {
      const std::size_t end = line.stepEnds[step];
      chances_.resize(end - begin);
      double top = -std::numeric_limits<double>::infinity();
      for (std::size_t i = begin; i < end; ++i) {
        top = std::max(top, chances_[i - begin] = policy.Weight(line.offered[i]) + line.priors[i]);
      }
      double sum = 0;
      for (double& c : chances_) sum += (c = std::exp(c - top));
      for (std::size_t i = begin; i < end; ++i) changes_.push_back({line.offered[i], -options_.alpha * chances_[i - begin] / sum});
      changes_.push_back({line.chosen[step], options_.alpha});
      begin = end;
    }
    for (const auto& [code, delta] : changes_) policy.Add(code, delta);
  }

  const Board& start_;
  NrpaOptions options_;
  const StopRule& stop_;
  BestLine& best_;
  RolloutRandom random_;
  Position position_;
  std::vector<Sequence> found_;  // per level: what the level below found last
  std::vector<Policy> taught_;   // per level: the copy the level below teaches
  std::vector<double> chances_;
  std::vector<std::pair<std::uint64_t, double>> changes_;
};

std::uint64_t Mix(std::uint64_t x) {
  x ^= x >> 30;
  x *= 0xBF58476D1CE4E5B9ull;
  x ^= x >> 27;
  x *= 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

}  // namespace

std::uint64_t MoveCode(int colorId, const Move& move) {
  const std::uint64_t place = (std::uint64_t(std::uint16_t(move.column)) << 16) | std::uint16_t(move.height);
  const std::uint64_t code = Mix((std::uint64_t(colorId) << 56) ^ (place << 24) ^ std::uint32_t(move.stones));
  return code == 0 ? 1 : code;
}

void NrpaSearch(const Board& start, NrpaOptions options, const StopRule& stop, BestLine& best) {
  options.level = std::max(1, options.level);
  if (PlainBoard::Fits(start)) {
    Adaptation<PlainPosition>(start, options, stop, best).Run();
  } else {
    Adaptation<FullPosition>(start, options, stop, best).Run();
  }
}

void NrpaWork(const Board& start, unsigned threads, const StopRule& stop, BestLine& best, NrpaOptions options) {
  OnSeededThreads(threads, [&](std::uint64_t seed) {
    NrpaOptions own = options;
    own.seed = options.seed + seed;
    NrpaSearch(start, own, stop, best);
  });
}

}  // namespace pebble::solver

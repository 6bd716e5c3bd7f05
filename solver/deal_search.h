#pragma once
// The search of a game's own deal, in the background while it is played: the
// best line the solver finds from the deal's start, kept for the end of the
// game, when the player's result is set beside it. It runs at idle priority
// on one thread, so moves and animations stay smooth and the player's other
// programs come first, and it rests with its best line once that line has not
// become better for a few seconds, or its budget is spent.

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "solver/advice.h"
#include "solver/background_runner.h"
#include "solver/board.h"
#include "solver/goal.h"
#include "solver/line.h"

namespace pebble::solver {

struct DealSearchLimits {
  // In the background, on one thread: it costs the program at most as many
  // CPU-seconds, however long that takes on a busy machine.
  // None: the deal is searched only when Finish asks.
  std::chrono::milliseconds budget{5000};
  // It rests earlier once its best line has not become better for so much
  // of the program's CPU time: later passes rarely find more, and the
  // player's core is worth more.
  std::chrono::milliseconds patience{2000};
  // After the end of a game that came before any line was found: on every
  // core at the game's priority, so the result is there within half a second.
  std::chrono::milliseconds searchOn{400};
};

class DealSearch {
 public:
  using Ticket = BackgroundRunner<Line>::Ticket;
  using Ready = BackgroundRunner<Line>::Ready;
  using Limits = DealSearchLimits;

  // Searches the deal from its start, forgetting any earlier deal. `known` is
  // a line already known to play from there to the end (the clearing line of
  // a deal dealt to be cleared): the best found is never worse.
  void Start(const Board& start, Goal goal, Limits limits = {}, const std::vector<std::int32_t>& known = {});
  // Ends the background search and keeps its best line. True when the best
  // is known now (Best(); none for no deal); false when no line had been
  // found yet: then the deal is searched a moment more, and `ready` signals
  // on the search's thread that Collect(ticket) can take the line.
  bool Finish(const Ready& ready);
  void Collect(Ticket ticket);
  // Ends the search and forgets the deal.
  void Forget();
  bool HasThread() const { return runner_.Busy(); }
  // The best line found: where it ends, and the clicks that play it from the
  // start. Nothing before Finish, for no deal, or when it found no line.
  const std::optional<Advice>& Best() const { return best_; }
  // The best line known from the deal's start so far, also while the search
  // runs: advice follows it as long as the player does.
  KnownLine BestSoFar() const;

 private:
  void Keep(const Line& found);

  std::optional<Board> start_;
  Goal goal_ = Goal::FewestStones;
  Limits limits_;
  Line known_;
  Line kept_;  // the best of the known line and the lines found
  std::shared_ptr<BestLine> progress_;  // the running search's best so far
  bool searchedOn_ = false;
  std::optional<Advice> best_;
  BackgroundRunner<Line> runner_;  // last: it ends the search before the rest goes
};

}  // namespace pebble::solver

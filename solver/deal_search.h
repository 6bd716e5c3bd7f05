#pragma once
// The search of a game's own deal, in the background while it is played: the
// best line the solver finds from the deal's start, kept for the end of the
// game, when the player's result is set beside it. It runs below the game's
// priority on fewer threads than the machine has, so moves and animations
// stay smooth, and it rests with its best line once its time is spent.

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "solver/advice.h"
#include "solver/background_runner.h"
#include "solver/board.h"
#include "solver/goal.h"
#include "solver/line.h"

namespace pebble::solver {

class DealSearch {
 public:
  struct Limits {
    std::chrono::milliseconds budget{20000};
    unsigned threads = 0;  // 0: one fewer than the machine's cores, at least one
  };

  DealSearch() = default;
  DealSearch(const DealSearch&) = delete;
  DealSearch& operator=(const DealSearch&) = delete;

  // Searches the deal from its start, forgetting any earlier deal. `known` is
  // a line already known to play from there to the end (the clearing line of
  // a deal dealt to be cleared): the best found is never worse.
  void Start(const Board& start, Goal goal, Limits limits, const std::vector<std::int32_t>& known = {});
  // Ends the search and keeps its best line; nothing to do once it has ended.
  void Stop();
  // Ends the search and forgets the deal.
  void Forget();
  bool HasThread() const { return runner_.Busy(); }
  // The best line found, once stopped: where it ends, and the clicks that
  // play it from the start. Nothing while it runs, for no deal, or when it
  // found no line.
  const std::optional<Advice>& Best() const { return best_; }

 private:
  std::optional<Board> start_;
  Goal goal_ = Goal::FewestStones;
  Line known_;
  std::optional<Advice> best_;
  BackgroundRunner<Line> runner_;  // last: it ends the search before the rest goes
};

// The line that the clicks play from `start`, when each is a move and they
// leave no move behind; nothing otherwise.
std::optional<Line> LineOfClicks(const Board& start, const std::vector<std::int32_t>& clicks, Goal goal);

// The threads of a background search: one fewer than the machine's cores,
// at least one.
unsigned BackgroundThreads();

}  // namespace pebble::solver

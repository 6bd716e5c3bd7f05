#pragma once
// A line of moves from the start position, and the best one the search
// threads have found so far, shared between them.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <limits>
#include <mutex>
#include <vector>

#include "solver/board.h"
#include "solver/goal.h"
#include "solver/search_clock.h"

namespace pebble::solver {

struct Line {
  std::vector<Move> moves;
  std::int64_t tally = 0;  // the goal's points before the clearing bonus, the game's score so far included
  std::int32_t stonesLeft = 0;
  std::int64_t value = std::numeric_limits<std::int64_t>::min();  // LineValue; min: no line yet

  bool Found() const { return value != std::numeric_limits<std::int64_t>::min(); }
};

class BestLine {
 public:
  using Clock = std::chrono::steady_clock;
  // `tallySoFar`: the points the game has scored before the position searched.
  // Lines count on from there, so that the clearing bonus, a tenth of the
  // whole score, weighs what it weighs in the game.
  explicit BestLine(Goal goal, std::int64_t tallySoFar = 0) : goal_(goal), tallySoFar_(tallySoFar) {}
  // Keeps the line when it is better than the best so far.
  void Offer(const Line& line);
  Line Get() const;
  std::int64_t Value() const { return value_.load(std::memory_order_relaxed); }
  bool Found() const { return Value() != std::numeric_limits<std::int64_t>::min(); }
  // When the best line last became better.
  Clock::time_point ImprovedAt() const { return Clock::time_point(Clock::duration(improvedAt_.load(std::memory_order_relaxed))); }
  // The same on a search clock's reading.
  std::chrono::nanoseconds ImprovedAt(SearchClock clock) const;
  std::int64_t TallySoFar() const { return tallySoFar_; }
  bool Cleared() const { return cleared_.load(std::memory_order_relaxed); }
  // Called when a search has looked at every line: nothing better exists.
  void MarkProven() { proven_.store(true, std::memory_order_relaxed); }
  bool Proven() const { return proven_.load(std::memory_order_relaxed); }
  Goal GetGoal() const { return goal_; }

 private:
  Goal goal_;
  std::int64_t tallySoFar_;
  mutable std::mutex mutex_;
  Line best_;
  std::atomic<Clock::rep> improvedAt_{Clock::now().time_since_epoch().count()};
  std::atomic<std::int64_t> improvedAtCpu_{ProgramCpuTime().count()};  // the program's CPU time then
  std::atomic<std::int64_t> value_{std::numeric_limits<std::int64_t>::min()};
  std::atomic<bool> cleared_{false};
  std::atomic<bool> proven_{false};
};

// When a search must give up: cancelled, out of time, nothing better left to
// find, (when asked) as soon as a line clears the field, or (when asked) once
// the best line has not become better for a while.
struct StopRule {
  const std::atomic<bool>* cancel = nullptr;
  std::chrono::steady_clock::time_point deadline;  // on the wall clock
  const BestLine* best = nullptr;
  bool stopWhenCleared = false;
  std::chrono::steady_clock::duration patience{0};  // zero: no limit; on the rule's clock
  // With the program's CPU time, the deadline is `cpuDeadline`, and the
  // patience is counted in CPU time too.
  SearchClock clock = SearchClock::Wall;
  std::chrono::nanoseconds cpuDeadline{0};

  // Now and the deadline on the rule's clock: a search plans its passes by them.
  std::chrono::nanoseconds Reading() const { return ReadingOf(clock); }
  std::chrono::nanoseconds Deadline() const {
    return clock == SearchClock::Wall ? std::chrono::nanoseconds(deadline.time_since_epoch()) : cpuDeadline;
  }

  bool Now() const {
    if (cancel && cancel->load(std::memory_order_relaxed)) return true;
    if (best && (best->Proven() || (stopWhenCleared && best->Cleared()))) return true;
    const std::chrono::nanoseconds now = Reading();
    if (best && patience.count() > 0 && best->Found() && now - best->ImprovedAt(clock) >= patience) return true;
    return now >= Deadline();
  }
  // The same, asked often inside a search: `work` is about how many cells
  // the step since the last question went over. A cancel is seen at once;
  // the clock is read only after some thousand cells of work, so that small
  // fields do not pay for it and large ones still stop within milliseconds.
  bool Soon(std::int64_t work) const {
    if (cancel && cancel->load(std::memory_order_relaxed)) return true;
    thread_local std::int64_t untilClock = 0;
    untilClock -= work + 1;
    if (untilClock > 0) return false;
    untilClock = 4096;
    return Now();
  }
};

}  // namespace pebble::solver

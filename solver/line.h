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

namespace pebble::solver {

struct Line {
  std::vector<Move> moves;
  std::int64_t tally = 0;  // the goal's points before the clearing bonus
  std::int32_t stonesLeft = 0;
  std::int64_t value = std::numeric_limits<std::int64_t>::min();  // LineValue; min: no line yet

  bool Found() const { return value != std::numeric_limits<std::int64_t>::min(); }
};

class BestLine {
 public:
  explicit BestLine(Goal goal) : goal_(goal) {}
  // Keeps the line when it is better than the best so far.
  void Offer(const Line& line);
  Line Get() const;
  std::int64_t Value() const { return value_.load(std::memory_order_relaxed); }
  bool Cleared() const { return cleared_.load(std::memory_order_relaxed); }
  // Called when a search has looked at every line: nothing better exists.
  void MarkProven() { proven_.store(true, std::memory_order_relaxed); }
  bool Proven() const { return proven_.load(std::memory_order_relaxed); }
  Goal GetGoal() const { return goal_; }

 private:
  Goal goal_;
  mutable std::mutex mutex_;
  Line best_;
  std::atomic<std::int64_t> value_{std::numeric_limits<std::int64_t>::min()};
  std::atomic<bool> cleared_{false};
  std::atomic<bool> proven_{false};
};

// When a search must give up: cancelled, out of time, nothing better left to
// find, or (when asked) as soon as a line clears the field.
struct StopRule {
  const std::atomic<bool>* cancel = nullptr;
  std::chrono::steady_clock::time_point deadline;
  const BestLine* best = nullptr;
  bool stopWhenCleared = false;

  bool Now() const {
    if (cancel && cancel->load(std::memory_order_relaxed)) return true;
    if (best && (best->Proven() || (stopWhenCleared && best->Cleared()))) return true;
    return std::chrono::steady_clock::now() >= deadline;
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

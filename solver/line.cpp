#include "solver/line.h"

namespace pebble::solver {

void BestLine::Offer(const Line& line) {
  if (line.value <= Value()) return;
  std::lock_guard lock(mutex_);
  if (line.value <= best_.value) return;
  best_ = line;
  value_.store(line.value, std::memory_order_relaxed);
  improvedAt_.store(Clock::now().time_since_epoch().count(), std::memory_order_relaxed);
  improvedAtCpu_.store(ProgramCpuTime().count(), std::memory_order_relaxed);
  if (line.stonesLeft == 0) cleared_.store(true, std::memory_order_relaxed);
}

std::chrono::nanoseconds BestLine::ImprovedAt(SearchClock clock) const {
  if (clock == SearchClock::Wall) return ImprovedAt().time_since_epoch();
  return std::chrono::nanoseconds(improvedAtCpu_.load(std::memory_order_relaxed));
}

Line BestLine::Get() const {
  std::lock_guard lock(mutex_);
  return best_;
}

}  // namespace pebble::solver

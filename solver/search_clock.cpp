#include "solver/search_clock.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <ctime>
#endif

namespace pebble::solver {
namespace {

using Steady = std::chrono::steady_clock;

constexpr auto kFreshFor = std::chrono::milliseconds(2);

}  // namespace

std::chrono::nanoseconds ProgramCpuTime() {
#if defined(_WIN32)
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return {};
  const auto ticks = [](const FILETIME& t) { return (std::uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime; };
  return std::chrono::nanoseconds(static_cast<std::int64_t>((ticks(kernel) + ticks(user)) * 100));
#else
  timespec spent{};
  if (clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &spent) != 0) return {};
  return std::chrono::seconds(spent.tv_sec) + std::chrono::nanoseconds(spent.tv_nsec);
#endif
}

std::chrono::nanoseconds ReadingOf(SearchClock clock) {
  const Steady::time_point now = Steady::now();
  if (clock == SearchClock::Wall) return now.time_since_epoch();
  thread_local Steady::time_point readAt{};
  thread_local std::chrono::nanoseconds cpu{};
  if (now - readAt >= kFreshFor || now < readAt) {
    cpu = ProgramCpuTime();
    readAt = now;
  }
  return cpu;
}

}  // namespace pebble::solver

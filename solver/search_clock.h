#pragma once
// What a search's budget and patience are counted in: the wall clock, for a
// search the player waits for, or the program's own CPU time, for a search in
// the background. At idle priority on a busy machine the background search
// gets little of the processor; counted on the wall clock it would give up
// before it had searched, counted in CPU time it costs the program the same
// few CPU-seconds whatever else runs.

#include <chrono>
#include <cstdint>

namespace pebble::solver {

enum class SearchClock : std::uint8_t { Wall, ProgramCpu };

// The processor time the whole program has used, every thread together.
std::chrono::nanoseconds ProgramCpuTime();
// The clock's reading now. The program's CPU time is read afresh at most
// every few milliseconds per thread: a search asks often, and the reading
// costs a call into the system.
std::chrono::nanoseconds ReadingOf(SearchClock clock);

}  // namespace pebble::solver

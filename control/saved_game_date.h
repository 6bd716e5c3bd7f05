#pragma once
// Dates in saved games count days since 30 December 1899, 00:00 local time; the
// fraction is the time of day.

#include <chrono>

namespace pebble {

double DaysSince1899(std::chrono::system_clock::time_point when);
double CurrentDateTime();

}  // namespace pebble

#include "control/saved_game_date.h"

#include <ctime>

namespace pebble {
namespace {

std::tm LocalTime(std::time_t t) {
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &t);
#else
  localtime_r(&t, &local);
#endif
  return local;
}

}  // namespace

double DaysSince1899(std::chrono::system_clock::time_point when) {
  using namespace std::chrono;
  const auto wholeSeconds = floor<seconds>(when);
  const std::tm local = LocalTime(system_clock::to_time_t(wholeSeconds));
  const year_month_day day{year{local.tm_year + 1900}, month{static_cast<unsigned>(local.tm_mon + 1)},
                           std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
  const auto dayNumber = (sys_days{day} - sys_days{year{1899} / December / 30}).count();
  const double secondOfDay = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec +
                             duration<double>(when - wholeSeconds).count();
  return static_cast<double>(dayNumber) + secondOfDay / 86400.0;
}

double CurrentDateTime() { return DaysSince1899(std::chrono::system_clock::now()); }

}  // namespace pebble

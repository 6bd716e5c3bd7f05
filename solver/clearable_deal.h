#pragma once
// Deals that can be cleared: deal number after deal number is dealt until the
// solver finds a line that clears one.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <vector>

#include "config/game_settings.h"
#include "engine/deal.h"

namespace pebble::solver {

struct DealPatience {
  std::chrono::milliseconds perDeal{150};  // the search of one deal
  std::chrono::milliseconds total{3000};   // no more deals are tried after this
};

struct ClearableDeal {
  bool cleared = false;               // false: patience ran out or the dealing was cancelled; the last deal tried stays
  std::vector<std::int32_t> clicks;   // the clearing line, as the cells to click one after the other
  DealNumber dealNumber = 0;          // the deal the field is dealt from
  int dealsTried = 0;
};

// Tries the deals from `first` on (after the last deal number comes the
// first) with these settings and this field size until the solver clears
// one, patience runs out, or `cancel` is raised.
ClearableDeal SeekClearableDeal(const GameSettings& settings, FieldSize size, DealNumber first, DealPatience patience,
                                const std::atomic<bool>& cancel);

}  // namespace pebble::solver

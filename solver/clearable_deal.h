#pragma once
// Deals that can be cleared: new fields are dealt, deal number after deal
// number, until the solver finds a line that clears one.

#include <chrono>
#include <cstdint>
#include <vector>

#include "engine/game.h"

namespace pebble::solver {

struct DealPatience {
  std::chrono::milliseconds perDeal{150};  // the search of one deal
  std::chrono::milliseconds total{3000};   // no more deals are tried after this
};

struct ClearableDeal {
  bool cleared = false;               // false: patience ran out; the last deal dealt stays
  std::vector<std::int32_t> clicks;   // the clearing line, as the cells to click one after the other
  DealNumber dealNumber = 0;          // the deal the field was dealt from
  int dealsTried = 0;
};

// Deals the game's field with its settings until the solver clears one: a
// random deal first, then the deal numbers that follow it.
ClearableDeal DealClearableField(Game& game, const GameSettings& settings, FieldSize size, DealPatience patience = {});

}  // namespace pebble::solver

#pragma once
// Runs the solver behind the window: one search at a time on worker threads,
// over its own copy of the field. The answer reaches the window thread as a
// value through onAdvice; a cancelled search never answers, and no search
// outlives its advisor.

#include <QObject>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>

#include "config/game_settings.h"
#include "engine/field.h"
#include "solver/advice.h"

namespace pebble::ui {

class Advisor : public QObject {
  Q_OBJECT
 public:
  explicit Advisor(QObject* parent = nullptr);
  ~Advisor() override;

  // Starts a search of the field as it stands (cancelling one under way).
  // A field the solver cannot read is answered at once, with no move.
  void Ask(const Field& field, const GameSettings& settings, std::chrono::milliseconds budget,
           bool stopWhenCleared = false);
  // Stops the search under way and waits for its threads; its answer is dropped.
  void Cancel();
  bool Searching() const { return searching_; }
  bool HasThread() const { return worker_.joinable(); }

  std::function<void(const solver::Advice&)> onAdvice;

 private:
  void Deliver(std::uint64_t request, solver::Advice advice);

  std::thread worker_;
  std::atomic<bool> cancel_{false};
  std::uint64_t request_ = 0;
  bool searching_ = false;
};

}  // namespace pebble::ui

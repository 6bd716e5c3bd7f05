#pragma once
// Runs the solver behind the window: one search at a time on the background
// runner, over its own copy of the field. The answer reaches the window
// thread as a value through onAdvice; a cancelled or outdated search never
// answers, and no search outlives its advisor.

#include <QObject>
#include <chrono>
#include <functional>

#include "config/game_settings.h"
#include "engine/field.h"
#include "solver/advice.h"
#include "solver/background_runner.h"

namespace pebble::ui {

class Advisor : public QObject {
  Q_OBJECT
 public:
  explicit Advisor(QObject* parent = nullptr);
  ~Advisor() override;

  // Starts a search of the field as it stands (cancelling one under way).
  // A field the solver cannot read is answered with no move.
  void Ask(const Field& field, const GameSettings& settings, std::chrono::milliseconds budget,
           bool stopWhenCleared = false);
  // Stops the search under way and waits for its thread; its answer is dropped.
  void Cancel();
  bool Searching() const { return runner_.Busy(); }
  bool HasThread() const { return runner_.Busy(); }

  std::function<void(const solver::Advice&)> onAdvice;

 private:
  using Runner = solver::BackgroundRunner<solver::Advice>;
  void Deliver(Runner::Ticket ticket);

  Runner runner_;
};

}  // namespace pebble::ui

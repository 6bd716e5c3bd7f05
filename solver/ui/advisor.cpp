#include "solver/ui/advisor.h"

#include <QMetaObject>

#include "solver/solver.h"

namespace pebble::ui {

Advisor::Advisor(QObject* parent) : QObject(parent) {}

Advisor::~Advisor() { Cancel(); }

void Advisor::Ask(const Field& field, const GameSettings& settings, std::chrono::milliseconds budget,
                  bool stopWhenCleared) {
  Cancel();
  const std::uint64_t request = ++request_;
  searching_ = true;
  std::optional<solver::Board> board = solver::BoardOf(field, settings);
  if (!board) {
    QMetaObject::invokeMethod(this, [this, request] { Deliver(request, {}); }, Qt::QueuedConnection);
    return;
  }
  const solver::Goal goal = solver::GoalOf(settings);
  cancel_ = false;
  worker_ = std::thread([this, request, goal, budget, stopWhenCleared, start = std::move(*board)] {
    const solver::Line line = solver::Solve(start, {goal, budget, 0, stopWhenCleared}, cancel_);
    solver::Advice advice = solver::AdviceOf(start, line, goal);
    // Queued: it runs on the window thread, and not at all once this advisor is gone.
    QMetaObject::invokeMethod(this, [this, request, advice = std::move(advice)] { Deliver(request, advice); },
                              Qt::QueuedConnection);
  });
}

void Advisor::Cancel() {
  cancel_ = true;
  if (worker_.joinable()) worker_.join();
  searching_ = false;
  ++request_;  // an answer already queued is now out of date
}

void Advisor::Deliver(std::uint64_t request, solver::Advice advice) {
  if (request != request_ || !searching_) return;
  if (worker_.joinable()) worker_.join();  // it has nothing left to do but end
  searching_ = false;
  if (onAdvice) onAdvice(advice);
}

}  // namespace pebble::ui

#include "solver/ui/advisor.h"

#include <QMetaObject>

#include "solver/solver.h"

namespace pebble::ui {

Advisor::Advisor(QObject* parent) : QObject(parent) {}

Advisor::~Advisor() { Cancel(); }

void Advisor::Ask(const Field& field, const GameSettings& settings, std::chrono::milliseconds budget,
                  bool stopWhenCleared) {
  std::optional<solver::Board> board = solver::BoardOf(field, settings);
  const solver::Goal goal = solver::GoalOf(settings);
  auto search = [goal, budget, stopWhenCleared, start = std::move(board)](const std::atomic<bool>& cancel) {
    if (!start) return solver::Advice{};
    const solver::Line line = solver::Solve(*start, {goal, budget, 0, stopWhenCleared}, cancel);
    return solver::AdviceOf(*start, line, goal);
  };
  // Queued: the answer is taken on the window thread, and not at all once this advisor is gone.
  runner_.Start(std::move(search), solver::Priority::Normal, [this](Runner::Ticket ticket) {
    QMetaObject::invokeMethod(this, [this, ticket] { Deliver(ticket); }, Qt::QueuedConnection);
  });
}

void Advisor::Cancel() { runner_.Cancel(); }

void Advisor::Deliver(Runner::Ticket ticket) {
  std::optional<solver::Advice> advice = runner_.Take(ticket);
  if (advice && onAdvice) onAdvice(*advice);
}

}  // namespace pebble::ui

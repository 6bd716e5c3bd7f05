#include "solver/ui/advisor.h"

#include <QMetaObject>

namespace pebble::ui {

Advisor::Advisor(QObject* parent) : QObject(parent) {}

Advisor::~Advisor() { Cancel(); }

void Advisor::Ask(std::optional<solver::Board> board, const solver::AdviceAsk& ask, std::vector<solver::KnownLine> known) {
  auto search = [ask, start = std::move(board), known = std::move(known)](const std::atomic<bool>& cancel) {
    if (!start) return solver::Advice{};
    return solver::Advise(*start, ask, known, cancel);
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

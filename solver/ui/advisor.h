#pragma once
// Runs the solver behind the window: one search at a time on the background
// runner, over its own copy of the field. The answer reaches the window
// thread as a value through onAdvice; a cancelled or outdated search never
// answers, and no search outlives its advisor.

#include <QObject>
#include <functional>
#include <optional>
#include <vector>

#include "solver/advice.h"
#include "solver/background_runner.h"

namespace pebble::ui {

class Advisor : public QObject {
  Q_OBJECT
 public:
  explicit Advisor(QObject* parent = nullptr);
  ~Advisor() override;

  // Starts a search of `board`, the field as it stands (cancelling one under
  // way), from the best of the known lines that still pass there. A field
  // the solver cannot read (no board) is answered with no move.
  void Ask(std::optional<solver::Board> board, const solver::AdviceAsk& ask, std::vector<solver::KnownLine> known);
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

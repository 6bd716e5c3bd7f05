#pragma once
// The solver's part of the main window: best-move advice with its ring on
// the field, dealing fields that can be cleared, and the background search
// of the deal whose best line is set beside the player's result at the end.
// Every search runs on a background runner; answers reach the window thread
// as values, an outdated one never, and no search outlives this part.

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/game.h"
#include "scores/deal_comparison.h"
#include "solver/advice.h"
#include "solver/background_runner.h"
#include "solver/clearable_deal.h"
#include "solver/deal_search.h"

class QWidget;

namespace pebble::ui {

class Advisor;
class AdviceOverlay;

// What the solver part needs of the window around it.
class SolverHost {
 public:
  virtual void ShowMessage(int stringId) = 0;
  virtual void ShowMessageNow(int stringId) = 0;
  virtual void ClearMessage() = 0;
  virtual int MessageShown() const = 0;
  // A message with figures in it: `text` writes it in the language asked.
  virtual void ShowMessageWith(int stringId, std::function<std::string(int languageOffset)> text) = 0;
  // How the ended game compares with the deal's best line; nothing hides it.
  virtual void ShowDealComparison(const std::optional<DealComparison>& comparison) = 0;

 protected:
  ~SolverHost() = default;
};

class GameSolver : public QObject {
  Q_OBJECT
 public:
  // `field` is the widget the field is painted on; the advice's ring lies over it.
  GameSolver(Game& game, SolverHost& host, QWidget* field, QObject* parent = nullptr);
  ~GameSolver() override;

  // --- best-move advice (key B) ----------------------------------------------
  // Asks for the best move on the field as it stands; after the end of a
  // game, tells how the game compares with the deal's best instead.
  void AskForAdvice();
  // Stops a search under way and takes the ring off the field.
  void CancelAdvice();
  bool Advising() const;
  const solver::Advice& LastAdvice() const { return lastAdvice_; }
  const AdviceOverlay& Overlay() const { return *overlay_; }

  // --- dealing ---------------------------------------------------------------
  // Deals a new game's field: at random, the deal asked for, or, with the
  // option, one the solver clears. That one is sought in the background:
  // then the answer is true, and `dealt` runs once it is on the field.
  bool DealField(const GameSettings& settings, FieldSize size, std::optional<DealNumber> asked,
                 std::function<void()> dealt);
  bool Dealing() const { return dealer_.Busy(); }
  // The option asked for a deal that can be cleared; none was found in time.
  bool DealUnproven() const { return dealUnproven_; }
  // The line that clears this game's deal, when it was dealt to be cleared.
  const std::vector<std::int32_t>& ClearingLine() const { return clearingLine_; }

  // --- the deal's best -------------------------------------------------------
  // The game has started: its deal is searched from a moment after the field
  // is on screen, below the game's priority.
  void StartDealSearch();
  // The game has ended with this result: the comparison comes at once when
  // the search has a line, else after a short search more.
  void GameEnded(std::int32_t result);
  // An undo past the end: the game's result is not yet known.
  void GameResumed();
  // The deal is searched, or waits to be.
  bool DealSearching() const { return dealSearch_.HasThread() || dealSearchStart_.isActive(); }
  const std::optional<solver::Advice>& DealSearchBest() const { return dealSearch_.Best(); }
  // How the ended game compares with the best line found; nothing while it runs.
  const std::optional<DealComparison>& DealBest() const { return dealBest_; }

  // Ends every search and forgets the game (a new game, the close).
  void ForgetGame();

  // How long after the start of a game its deal's search begins.
  static constexpr int kDealSearchDelayMs = 1000;

 private:
  void ShowAdvice(const solver::Advice& advice);
  std::vector<solver::KnownLine> KnownLines() const;
  using ClearableDealer = solver::BackgroundRunner<solver::ClearableDeal>;
  void TakeClearableDeal(ClearableDealer::Ticket ticket, const std::function<void()>& dealt);
  void BeginDealSearch();
  void CollectDealBest(solver::DealSearch::Ticket ticket);
  void CompareWithDealBest();
  void HideDealBest();
  void ShowDealBestMessage();

  Game& game_;
  SolverHost& host_;
  Advisor* advisor_;
  AdviceOverlay* overlay_;
  solver::Advice lastAdvice_;
  std::vector<TStoneCell> adviceAskedOn_;  // the field the search under way looks at
  std::optional<solver::Board> askedBoard_;  // the same, as the solver reads it
  solver::KnownLine advised_;  // the line advised last, from where it was advised
  std::vector<std::int32_t> clearingLine_;
  bool dealUnproven_ = false;
  QTimer dealSearchStart_;
  std::optional<solver::Board> dealtBoard_;  // the deal whose search waits to start
  std::optional<std::int32_t> result_;  // the ended game's, while the deal's best is still sought
  std::optional<DealComparison> dealBest_;
  solver::DealSearch dealSearch_;
  ClearableDealer dealer_;
};

}  // namespace pebble::ui

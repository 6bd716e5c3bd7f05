#include "solver/ui/game_solver.h"

#include <QMetaObject>
#include <QWidget>

#include "config/string_ids.h"
#include "config/string_table.h"
#include "solver/ui/advice_overlay.h"
#include "solver/ui/advisor.h"

namespace pebble::ui {
namespace {

// The answer comes within a second on the default field, threads started and all.
constexpr std::chrono::milliseconds kAdviceBudget{800};
// Keeps a new game on the default field well under half a second; larger
// fields with many colours may need several deals, and get a few seconds.
constexpr solver::DealPatience kDealPatience{std::chrono::milliseconds(150), std::chrono::milliseconds(3000)};

}  // namespace

GameSolver::GameSolver(Game& game, SolverHost& host, QWidget* field, QObject* parent)
    : QObject(parent), game_(game), host_(host), advisor_(new Advisor(this)), overlay_(new AdviceOverlay(field)) {
  advisor_->onAdvice = [this](const solver::Advice& advice) { ShowAdvice(advice); };
  dealSearchStart_.setSingleShot(true);
  dealSearchStart_.setInterval(kDealSearchDelayMs);
  connect(&dealSearchStart_, &QTimer::timeout, this, &GameSolver::BeginDealSearch);
}

GameSolver::~GameSolver() = default;

// --- best-move advice ----------------------------------------------------------

void GameSolver::AskForAdvice() {
  if (game_.SettingUp() || game_.MoveInProgress()) return;
  if (!game_.GameRunning()) {
    ShowDealBestMessage();  // after the end, B tells how the game compares with the best found
    return;
  }
  CancelAdvice();
  lastAdvice_ = {};
  host_.ShowMessageNow(kMsgSearching);
  adviceAskedOn_ = game_.GetField().Cells();
  askedBoard_ = solver::BoardOf(game_.GetField(), game_.Settings());
  const solver::AdviceAsk ask{solver::GoalOf(game_.Settings()), game_.Score(), kAdviceBudget};
  advisor_->Ask(askedBoard_, ask, KnownLines());
}

// The lines the advice keeps its word by: the one it advised last, and the
// deal's best so far (or, before its search begins, the line a deal dealt to
// be cleared came with). Each counts only where the game still follows it.
std::vector<solver::KnownLine> GameSolver::KnownLines() const {
  std::vector<solver::KnownLine> known{advised_, dealSearch_.BestSoFar()};
  if (dealtBoard_ && !clearingLine_.empty()) known.push_back({dealtBoard_, clearingLine_});
  return known;
}

bool GameSolver::Advising() const { return advisor_->Searching(); }

void GameSolver::ShowAdvice(const solver::Advice& advice) {
  // A ramp stone may have landed meanwhile: advice for another field is none.
  if (game_.GetField().Cells() != adviceAskedOn_) {
    if (host_.MessageShown() == kMsgSearching) host_.ClearMessage();
    return;
  }
  lastAdvice_ = advice;
  if (!advice.found) {
    host_.ShowMessage(kMsgNoAdvice);
    return;
  }
  advised_ = {askedBoard_, advice.clicks};
  const Field& field = game_.GetField();
  overlay_->ShowCells(advice.cells, field.Columns(), {field.StoneWidth(), field.StoneHeight()});
  const int id = game_.Settings().lowScore ? kMsgAdviceStones : kMsgAdvicePoints;
  const std::string figure = std::to_string(solver::CountModeResult(advice, game_.Settings()));
  host_.ShowMessageWith(id, [id, figure](int languageOffset) { return FormatText(id, languageOffset, {figure}); });
}

void GameSolver::CancelAdvice() {
  advisor_->Cancel();
  overlay_->Clear();
  if (host_.MessageShown() == kMsgSearching) host_.ClearMessage();
}

// --- dealing -------------------------------------------------------------------

bool GameSolver::DealField(const GameSettings& settings, FieldSize size, std::optional<DealNumber> asked,
                           std::function<void()> dealt) {
  dealer_.Cancel();
  clearingLine_.clear();
  dealUnproven_ = false;
  // The first deal tried is a random one; a deal number the player asked for is played as it is.
  game_.NewField(settings, size, asked);
  if (!settings.clearableDeals || asked) return false;
  auto seek = [settings, size, first = *game_.Deal()](const std::atomic<bool>& cancel) {
    return solver::SeekClearableDeal(settings, size, first, kDealPatience, cancel);
  };
  // The player waits for this deal, so it runs at the game's own priority.
  dealer_.Start(std::move(seek), solver::Priority::Normal, [this, dealt = std::move(dealt)](ClearableDealer::Ticket ticket) {
    // Queued: taken on the window thread, and not at all once this part is gone.
    QMetaObject::invokeMethod(this, [this, ticket, dealt] { TakeClearableDeal(ticket, dealt); }, Qt::QueuedConnection);
  });
  host_.ShowMessage(kMsgDealing);
  return true;
}

void GameSolver::TakeClearableDeal(ClearableDealer::Ticket ticket, const std::function<void()>& dealt) {
  const std::optional<solver::ClearableDeal> deal = dealer_.Take(ticket);
  if (!deal) return;  // given up for another game or the close
  const Field& field = game_.GetField();
  game_.NewField(game_.Settings(), {field.Columns(), field.Rows()}, deal->dealNumber);
  clearingLine_ = deal->clicks;
  dealUnproven_ = !deal->cleared;
  dealt();
}

// --- the deal's best -------------------------------------------------------------
// While a game is played, the solver searches its deal from the start; when
// the game ends, the statistics window sets the best line it found beside
// the player's result, and B says the same in the status bar. Games with the
// ramp are left out: stones that fall from it are not part of the deal.

void GameSolver::StartDealSearch() {
  HideDealBest();
  advised_ = {};
  dealSearch_.Forget();
  result_.reset();
  if (game_.Settings().autoDrop) return;
  // The deal as dealt; a field the solver cannot read has nothing to compare with.
  dealtBoard_ = solver::BoardOf(game_.GetField(), game_.Settings());
  // Nothing of the search runs before the field is on screen.
  if (dealtBoard_) dealSearchStart_.start();
}

void GameSolver::BeginDealSearch() {
  if (!dealtBoard_) return;
  dealSearch_.Start(*dealtBoard_, solver::GoalOf(game_.Settings()), {}, clearingLine_);
  dealtBoard_.reset();
}

void GameSolver::GameEnded(std::int32_t result) {
  if (dealSearchStart_.isActive()) {
    // Over before its search began: the deal is searched now, at the game's priority.
    dealSearchStart_.stop();
    if (dealtBoard_) dealSearch_.Start(*dealtBoard_, solver::GoalOf(game_.Settings()), {.budget = std::chrono::milliseconds(0)}, clearingLine_);
    dealtBoard_.reset();
  }
  result_ = result;
  const bool known = dealSearch_.Finish([this](solver::DealSearch::Ticket ticket) {
    QMetaObject::invokeMethod(this, [this, ticket] { CollectDealBest(ticket); }, Qt::QueuedConnection);
  });
  if (known) CompareWithDealBest();
}

void GameSolver::CollectDealBest(solver::DealSearch::Ticket ticket) {
  dealSearch_.Collect(ticket);
  if (game_.GameRunning()) return;  // an undo past the end: the comparison waits for the end
  CompareWithDealBest();
  if (host_.MessageShown() == kMsgSearchingDealBest) ShowDealBestMessage();
}

void GameSolver::CompareWithDealBest() {
  const std::optional<solver::Advice>& best = dealSearch_.Best();
  if (!best || !result_) return;
  dealBest_ = DealComparison{game_.Settings().lowScore, solver::CountModeResult(*best, game_.Settings()), *result_};
  host_.ShowDealComparison(dealBest_);
}

void GameSolver::GameResumed() { HideDealBest(); }

void GameSolver::HideDealBest() {
  dealBest_.reset();
  host_.ShowDealComparison(std::nullopt);
}

void GameSolver::ShowDealBestMessage() {
  if (!dealBest_) {
    if (dealSearch_.HasThread()) host_.ShowMessage(kMsgSearchingDealBest);  // searched a moment more
    return;
  }
  const DealComparison comparison = *dealBest_;
  host_.ShowMessageWith(kDealBestCaption, [comparison](int languageOffset) { return DealComparisonText(comparison, languageOffset); });
}

void GameSolver::ForgetGame() {
  CancelAdvice();
  advised_ = {};
  askedBoard_.reset();
  dealer_.Cancel();
  dealSearchStart_.stop();
  dealtBoard_.reset();
  dealSearch_.Forget();
  result_.reset();
  HideDealBest();
}

}  // namespace pebble::ui

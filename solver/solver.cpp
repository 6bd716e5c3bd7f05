#include "solver/solver.h"

#include <algorithm>
#include <thread>

#include "solver/beam_search.h"
#include "solver/heuristic.h"
#include "solver/nested_search.h"
#include "solver/nrpa.h"

namespace pebble::solver {
namespace {

using Clock = std::chrono::steady_clock;

// Keeps the kept positions of one beam within some tens of megabytes, also
// on the largest fields a picture can make.
int WidestBeam(const Board& start) {
  const std::int64_t cells = std::max(1, start.Columns() * start.Rows());
  return static_cast<int>(std::clamp<std::int64_t>(20'000'000 / cells, 1, 1 << 20));
}

// The next beam as wide as the time left allows, judged by how long the last
// one took (the work grows about linearly with the width), so that it ends
// before the time is up: at most four times wider, and narrower when the
// time left is short. A pass cut off by the time still hands back its best
// line, but a pass that ends has searched its whole width.
int NextWidth(int width, std::chrono::nanoseconds took, std::chrono::nanoseconds left, int widest) {
  const double tookSeconds = std::max(1e-6, std::chrono::duration<double>(took).count());
  const double fits = width * 0.9 * std::chrono::duration<double>(left).count() / tookSeconds;
  return static_cast<int>(std::clamp<double>(fits, 1, std::min(4.0 * width, double(widest))));
}

// Beams of growing width, each layer shared by all the threads, so that in
// the same time a pass is as many times wider as there are threads (two
// beams of their own would mostly repeat each other). Each pass is shaken by
// a seed of its own, the very first one unshaken, until the stop rule says
// enough.
void Work(const Board& start, unsigned threads, const StopRule& stop, BestLine& best) {
  const int widest = WidestBeam(start);
  int width = 1;
  for (std::uint64_t pass = 0; !stop.Now(); ++pass) {
    const std::chrono::nanoseconds began = stop.Reading();
    const PassEnd end = BeamPass(start, {width, pass, threads}, stop, best);
    if (end == PassEnd::Exhaustive) best.MarkProven();
    if (end != PassEnd::Finished) return;
    const std::chrono::nanoseconds now = stop.Reading();
    width = NextWidth(width, now - began, stop.Deadline() - now, widest);
  }
}

// The beam for the first quarter of the time, in which it often sees every
// line of a small field, then policy adaptation taught the beam's line first.
void BeamThenNrpa(const Board& start, unsigned threads, const StopRule& stop, BestLine& best) {
  const std::chrono::nanoseconds quarter = (stop.Deadline() - stop.Reading()) / 4;
  StopRule beam = stop;
  beam.deadline = Clock::now() + quarter;
  beam.cpuDeadline = ProgramCpuTime() + quarter;
  Work(start, threads, beam, best);
  if (!stop.Now()) NrpaWork(start, threads, stop, best, {.fromBestSoFar = true});
}

// A search always has a whole line to hand back, even when a busy machine
// gave it no time at all: one quick game from the start. It may use the
// program's processor time the budget gives, and at least kFirstLineWork, so
// that a search starved of time still finds one; on a field too large for
// that it finds none, as before, and a cancel stops it at once.
constexpr std::chrono::milliseconds kFirstLineWork{100};

void FirstLine(const Board& start, const SolveRequest& request, const std::atomic<bool>& cancel, BestLine& best) {
  if (best.Found()) return;
  StopRule stop{&cancel, Clock::time_point::max()};
  stop.clock = SearchClock::ProgramCpu;
  stop.cpuDeadline = ProgramCpuTime() + std::max<std::chrono::nanoseconds>(request.budget, kFirstLineWork);
  std::vector<Move> moves;
  if (!start.Moves(moves, &cancel)) return;
  Rollout game;
  RolloutRandom random{0x9E3779B97F4A7C15ull};
  if (!PlayOut(request.goal, start, best.TallySoFar(), moves, random, game, stop)) return;
  best.Offer({game.moves, game.tally, game.stonesLeft, LineValue(request.goal, game.tally, game.stonesLeft)});
}

}  // namespace

unsigned SearchThreads(unsigned wanted) {
  if (wanted > 0) return wanted;
  return std::max(1u, std::thread::hardware_concurrency());
}

Line Solve(const Board& start, const SolveRequest& request, const std::atomic<bool>& cancel) {
  BestLine best(request.goal, request.tallySoFar);
  return Solve(start, request, cancel, best);
}

Line Solve(const Board& start, const SolveRequest& request, const std::atomic<bool>& cancel, BestLine& best) {
  if (request.known.Found()) best.Offer(request.known);
  StopRule stop{&cancel, Clock::now() + request.budget, &best, request.stopWhenCleared, request.patience};
  stop.clock = request.clock;
  stop.cpuDeadline = ProgramCpuTime() + request.budget;
  FirstLine(start, request, cancel, best);
  switch (request.search) {
    case SearchKind::Beam: Work(start, SearchThreads(request.threads), stop, best); break;
    case SearchKind::Nrpa: NrpaWork(start, SearchThreads(request.threads), stop, best); break;
    case SearchKind::Nested: NestedWork(start, SearchThreads(request.threads), stop, best); break;
    case SearchKind::BeamThenNrpa: BeamThenNrpa(start, SearchThreads(request.threads), stop, best); break;
  }
  return best.Get();
}

}  // namespace pebble::solver

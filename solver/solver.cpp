#include "solver/solver.h"

#include <algorithm>
#include <thread>
#include <vector>

#include "solver/beam_search.h"

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

// One worker: beams of growing width, each shaken by its own seed (the very
// first beam of the first worker unshaken), until the stop rule says enough.
void Work(const Board& start, unsigned worker, unsigned workers, const StopRule& stop, BestLine& best) {
  const int widest = WidestBeam(start);
  int width = 1;
  for (std::uint64_t pass = 0; !stop.Now(); ++pass) {
    const std::chrono::nanoseconds began = stop.Reading();
    const std::uint64_t seed = pass == 0 && worker == 0 ? 0 : 1 + worker + pass * workers;
    const PassEnd end = BeamPass(start, {width, seed}, stop, best);
    if (end == PassEnd::Exhaustive) best.MarkProven();
    if (end != PassEnd::Finished) return;
    const std::chrono::nanoseconds now = stop.Reading();
    width = NextWidth(width, now - began, stop.Deadline() - now, widest);
  }
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
  const unsigned workers = SearchThreads(request.threads);
  {
    std::vector<std::jthread> threads;
    for (unsigned w = 1; w < workers; ++w) {
      threads.emplace_back([&, w] { Work(start, w, workers, stop, best); });
    }
    Work(start, 0, workers, stop, best);
  }
  return best.Get();
}

}  // namespace pebble::solver

#pragma once
// One job at a time on a thread of its own, below the game's priority when
// asked: the solver's searches run here, so the window never waits for them.
// A job sees a cancel flag and is expected to return soon once it is raised
// (the solver's searches then answer with the best line so far). Its result
// is handed back only for the latest run: an answer to a question that has
// since been cancelled or asked again never comes back. No thread outlives
// its runner.

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <thread>
#include <utility>

namespace pebble::solver {

enum class Priority : std::uint8_t {
  Normal,  // an answer the player waits for
  Low,     // work the player has asked for but need not watch
  Idle,    // work nobody waits for: it runs only when the machine has nothing else to do
};

// Puts the calling thread, and the threads it starts afterwards, at that priority.
void LowerThisThread(Priority priority);

template <typename Result>
class BackgroundRunner {
 public:
  using Job = std::function<Result(const std::atomic<bool>& cancel)>;
  using Ticket = std::uint64_t;
  // Called on the job's thread once the job has returned: a sign for the
  // owner to fetch the result with Take(ticket) on its own thread.
  using Ready = std::function<void(Ticket)>;

  BackgroundRunner() = default;
  BackgroundRunner(const BackgroundRunner&) = delete;
  BackgroundRunner& operator=(const BackgroundRunner&) = delete;
  ~BackgroundRunner() { Cancel(); }

  // Runs the job, cancelling the run before; the ticket names this run.
  Ticket Start(Job job, Priority priority = Priority::Normal, Ready ready = {}) {
    Cancel();
    const Ticket ticket = ticket_;
    cancel_ = false;
    returned_ = false;
    thread_ = std::thread([this, ticket, priority, job = std::move(job), ready = std::move(ready)] {
      LowerThisThread(priority);
      result_ = job(cancel_);
      returned_.store(true, std::memory_order_release);
      if (ready) ready(ticket);
    });
    return ticket;
  }

  // Stops the run and waits for its thread; its result is dropped, and its
  // ticket takes nothing any more.
  void Cancel() {
    cancel_ = true;
    Join();
    result_.reset();
    ++ticket_;
  }

  // Stops the run, waits for it and hands back what the job answered.
  // Nothing when no run is under way or its result was taken already.
  std::optional<Result> Stop() {
    if (!thread_.joinable()) return std::nullopt;
    cancel_ = true;
    return TakeCurrent();
  }

  // The result of run `ticket` once its job has returned; nothing while it
  // runs, for a run cancelled or replaced since, or a result taken already.
  std::optional<Result> Take(Ticket ticket) {
    if (ticket != ticket_ || !Returned()) return std::nullopt;
    return TakeCurrent();
  }

  // A run is under way, or its result waits to be taken.
  bool Busy() const { return thread_.joinable(); }
  // The job of the run under way has returned (its thread is ending).
  bool Returned() const { return thread_.joinable() && returned_.load(std::memory_order_acquire); }

 private:
  void Join() {
    if (thread_.joinable()) thread_.join();
  }
  std::optional<Result> TakeCurrent() {
    Join();
    ++ticket_;  // taken once only
    return std::exchange(result_, std::nullopt);
  }

  std::thread thread_;
  std::atomic<bool> cancel_{false};
  std::atomic<bool> returned_{false};
  std::optional<Result> result_;  // written by the job's thread; read only after joining it
  Ticket ticket_ = 1;
};

}  // namespace pebble::solver

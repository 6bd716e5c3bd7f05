// The one background runner: a result reaches its owner only for the latest
// run, a cancel or a stop ends the job and joins its thread, no thread
// outlives the runner, and background work runs below the game's priority.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>

#include "solver/background_runner.h"

#if defined(__linux__)
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace pebble::solver {
namespace {

using namespace std::chrono_literals;
using Runner = BackgroundRunner<int>;

// Waits on the test's thread for the sign a job's thread gives once its job has returned.
struct ReadySign {
  std::promise<Runner::Ticket> promise;
  std::future<Runner::Ticket> future = promise.get_future();
  Runner::Ready Callback() {
    return [this](Runner::Ticket ticket) { promise.set_value(ticket); };
  }
  Runner::Ticket Wait() {
    EXPECT_EQ(future.wait_for(10s), std::future_status::ready) << "the job never returned";
    return future.get();
  }
};

// Works until cancelled, then answers how often it looked.
int UntilCancelled(const std::atomic<bool>& cancel) {
  int looks = 1;
  while (!cancel) {
    std::this_thread::sleep_for(1ms);
    ++looks;
  }
  return looks;
}

#if defined(__linux__)
std::ptrdiff_t ThreadsOfThisProcess() {
  const auto tasks = std::filesystem::directory_iterator("/proc/self/task");
  return std::distance(begin(tasks), end(tasks));
}
#endif

TEST(BackgroundRunner, HandsBackTheResultOfItsRunOnce) {
  Runner runner;
  ReadySign sign;
  const Runner::Ticket ticket = runner.Start([](const std::atomic<bool>&) { return 42; }, Priority::Normal, sign.Callback());
  EXPECT_EQ(sign.Wait(), ticket);
  EXPECT_TRUE(runner.Returned());
  EXPECT_EQ(runner.Take(ticket), std::optional<int>{42});
  EXPECT_FALSE(runner.Busy());
  EXPECT_EQ(runner.Take(ticket), std::nullopt);  // taken already
  EXPECT_EQ(runner.Stop(), std::nullopt);
}

TEST(BackgroundRunner, NothingIsTakenWhileTheJobRuns) {
  Runner runner;
  const Runner::Ticket ticket = runner.Start(UntilCancelled);
  EXPECT_TRUE(runner.Busy());
  EXPECT_EQ(runner.Take(ticket), std::nullopt);
  EXPECT_TRUE(runner.Busy());  // still running: a look does not end it
  const std::optional<int> looks = runner.Stop();
  ASSERT_TRUE(looks.has_value());
  EXPECT_GE(*looks, 1);
  EXPECT_FALSE(runner.Busy());
}

// An answer that arrives after its question was cancelled or asked again is
// out of date: the runner, not its owner, drops it.
TEST(BackgroundRunner, AStaleAnswerIsNeverHandedBack) {
  struct Case {
    const char* what;
    void (*overtake)(Runner&);
  };
  const Case cases[] = {
      {"cancelled", [](Runner& r) { r.Cancel(); }},
      {"asked again", [](Runner& r) { r.Start(UntilCancelled); }},
      {"asked again, and that answered too", [](Runner& r) { r.Start([](const std::atomic<bool>&) { return 2; }); }},
      {"stopped", [](Runner& r) { r.Stop(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Runner runner;
    ReadySign sign;
    const Runner::Ticket stale = runner.Start([](const std::atomic<bool>&) { return 1; }, Priority::Normal, sign.Callback());
    sign.Wait();  // the answer is there, its sign already on its way to the owner
    c.overtake(runner);
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(runner.Take(stale), std::nullopt);
  }
}

TEST(BackgroundRunner, CancelEndsTheJobAndJoinsItsThread) {
  Runner runner;
  std::atomic<bool> ended{false};
  runner.Start([&ended](const std::atomic<bool>& cancel) {
    const int looks = UntilCancelled(cancel);
    ended = true;
    return looks;
  });
  std::this_thread::sleep_for(5ms);
  runner.Cancel();
  EXPECT_TRUE(ended);
  EXPECT_FALSE(runner.Busy());
  EXPECT_EQ(runner.Stop(), std::nullopt);  // its answer went with it
}

TEST(BackgroundRunner, NoThreadOutlivesTheRunner) {
#if defined(__linux__)
  const std::ptrdiff_t before = ThreadsOfThisProcess();
#endif
  std::atomic<bool> ended{false};
  {
    Runner runner;
    runner.Start([&ended](const std::atomic<bool>& cancel) {
      const int looks = UntilCancelled(cancel);
      std::this_thread::sleep_for(20ms);  // slow to end: the runner must still wait
      ended = true;
      return looks;
    });
#if defined(__linux__)
    EXPECT_EQ(ThreadsOfThisProcess(), before + 1);
#endif
  }
  EXPECT_TRUE(ended);
#if defined(__linux__)
  EXPECT_EQ(ThreadsOfThisProcess(), before);
#endif
}

#if defined(__linux__)
struct Standing {
  int policy = -1;
  int nice = 0;
  bool operator==(const Standing&) const = default;
};

// The scheduling policy and nice value of the thread it is asked on.
Standing OfThisThread() { return {sched_getscheduler(0), getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()))}; }

TEST(BackgroundRunner, RunsBelowTheGameAsAskedAndSoDoTheThreadsItStarts) {
  const Standing game = OfThisThread();
  const struct {
    Priority priority;
    Standing expected;
  } cases[] = {
      {Priority::Normal, game},
      {Priority::Low, {game.policy, 10}},
      {Priority::Idle, {SCHED_IDLE, 19}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.priority));
    BackgroundRunner<std::pair<Standing, Standing>> runner;
    runner.Start(
        [](const std::atomic<bool>&) {
          Standing started;
          std::thread([&started] { started = OfThisThread(); }).join();
          return std::pair{OfThisThread(), started};
        },
        c.priority);
    const auto standings = runner.Stop();
    ASSERT_TRUE(standings.has_value());
    EXPECT_EQ(standings->first, c.expected);
    EXPECT_EQ(standings->second, c.expected);
  }
  EXPECT_EQ(OfThisThread(), game);  // the game's own thread keeps its place
}
#endif

}  // namespace
}  // namespace pebble::solver

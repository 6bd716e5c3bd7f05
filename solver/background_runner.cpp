#include "solver/background_runner.h"

#if defined(__linux__)
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>
#endif
#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace pebble::solver {

void LowerThisThread(Priority priority) {
  if (priority == Priority::Normal) return;
#if defined(__linux__)
  // A Linux thread has a nice value of its own; the threads it starts inherit
  // it and its scheduling policy. A thread may always lower itself.
  setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), priority == Priority::Idle ? 19 : 10);
  if (priority == Priority::Idle) {
    const sched_param none{};
    pthread_setschedparam(pthread_self(), SCHED_IDLE, &none);
  }
#elif defined(_WIN32)
  SetThreadPriority(GetCurrentThread(), priority == Priority::Idle ? THREAD_PRIORITY_IDLE : THREAD_PRIORITY_BELOW_NORMAL);
#endif
}

}  // namespace pebble::solver

// POSIX: SIGINT and SIGTERM, installed without SA_RESTART so that a wait ends at once.
#include <signal.h>
#include <time.h>

#include <cerrno>

#include "cli/interrupt.h"

namespace vor::cli {
namespace {

std::atomic<void (*)()> handlerFunction{nullptr};
struct sigaction previousInt {};
struct sigaction previousTerm {};

extern "C" void OnSignal(int) {
  if (void (*function)() = handlerFunction.load()) function();
}

}  // namespace

InterruptHandler::InterruptHandler(void (*onInterrupt)()) {
  handlerFunction.store(onInterrupt);
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &previousInt);
  sigaction(SIGTERM, &action, &previousTerm);
}

InterruptHandler::~InterruptHandler() {
  sigaction(SIGINT, &previousInt, nullptr);
  sigaction(SIGTERM, &previousTerm, nullptr);
  handlerFunction.store(nullptr);
}

std::int64_t MonotonicUs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return std::int64_t{now.tv_sec} * 1'000'000 + now.tv_nsec / 1000;
}

void SleepUntil(std::int64_t deadlineUs, const std::atomic<bool>& interrupted) {
  timespec until{};
  until.tv_sec = static_cast<time_t>(deadlineUs / 1'000'000);
  until.tv_nsec = static_cast<long>(deadlineUs % 1'000'000 * 1000);
  // A signal ends the sleep with EINTR; the handler has set `interrupted` by then.
  while (!interrupted.load() &&
         clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
  }
}

}  // namespace vor::cli

#pragma once

#include <atomic>
#include <cstdint>

namespace vor::cli {

// While one lives, Ctrl+C and the system's other requests to end a console program (SIGTERM;
// Ctrl+Break and closing the console window on Windows) call `onInterrupt` instead of ending the
// process. It runs in a signal handler or on a thread of the system's: lock-free atomics only.
class InterruptHandler {
public:
  explicit InterruptHandler(void (*onInterrupt)());
  ~InterruptHandler();
  InterruptHandler(const InterruptHandler&) = delete;
  InterruptHandler& operator=(const InterruptHandler&) = delete;
};

// Monotonic time in microseconds.
std::int64_t MonotonicUs();

// Waits until `deadlineUs` on the monotonic clock, or until `interrupted` is set by the handler.
void SleepUntil(std::int64_t deadlineUs, const std::atomic<bool>& interrupted);

}  // namespace vor::cli

// Systems without POSIX signal masks: a standard C handler notes the signal and the waiting thread
// looks for the note. On Windows the console's Ctrl+C and Ctrl+Break arrive as SIGINT and SIGBREAK.
#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>

#include "simulator/stop_signals.h"

namespace vor {
namespace {

// A signal handler can reach nothing else; a lock-free atomic is safe to set from one, and on
// Windows the handler runs on a thread of its own.
static_assert(std::atomic<bool>::is_always_lock_free);
std::atomic<bool> stopRequested{false};

void NoteStopSignal(int) { stopRequested = true; }

}  // namespace

void CatchStopSignals() {
  std::signal(SIGINT, NoteStopSignal);
  std::signal(SIGTERM, NoteStopSignal);
#ifdef SIGBREAK
  std::signal(SIGBREAK, NoteStopSignal);
#endif
}

void WaitForStopSignal() {
  // A tenth of a second is quick enough for a person at the console.
  while (!stopRequested) std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

}  // namespace vor

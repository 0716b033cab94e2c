// Windows: the console's control handler, which the system calls on a thread of its own; an event
// wakes the waiting thread.
#include <windows.h>

#include "cli/interrupt.h"

namespace vor::cli {
namespace {

std::atomic<void (*)()> handlerFunction{nullptr};
HANDLE wakeEvent = nullptr;  // manual reset: once interrupted, every later wait ends at once

BOOL WINAPI OnConsoleControl(DWORD type) {
  switch (type) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
      if (void (*function)() = handlerFunction.load()) function();
      SetEvent(wakeEvent);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

InterruptHandler::InterruptHandler(void (*onInterrupt)()) {
  if (wakeEvent == nullptr) wakeEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ResetEvent(wakeEvent);
  handlerFunction.store(onInterrupt);
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

InterruptHandler::~InterruptHandler() {
  SetConsoleCtrlHandler(OnConsoleControl, FALSE);
  handlerFunction.store(nullptr);
}

std::int64_t MonotonicUs() {
  static const LONGLONG frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<std::int64_t>(now.QuadPart / frequency * 1'000'000 +
                                   now.QuadPart % frequency * 1'000'000 / frequency);
}

void SleepUntil(std::int64_t deadlineUs, const std::atomic<bool>& interrupted) {
  // The event is set only while a handler lives; a timer's granularity is a millisecond or so.
  for (;;) {
    const std::int64_t leftUs = deadlineUs - MonotonicUs();
    if (leftUs <= 0 || interrupted.load()) return;
    WaitForSingleObject(wakeEvent, static_cast<DWORD>((leftUs + 999) / 1000));
  }
}

}  // namespace vor::cli

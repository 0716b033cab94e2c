#include "cli/monitor_command.h"

#include <signal.h>
#include <time.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <memory>

#include "cli/image_commands.h"
#include "cli/link_session.h"
#include "cli/standard_output.h"
#include "definitions/definition_loader.h"
#include "link/live_block.h"
#include "live/live_record.h"
#include "monitor/monitor_poll.h"

namespace vor::cli {
namespace {

std::atomic<bool> interrupted{false};
std::atomic<SerialLink*> interruptedLink{nullptr};

// Only lock-free atomics here: a receive in progress sees the stop within a slice and gives up.
extern "C" void OnInterrupt(int) {
  interrupted.store(true);
  if (SerialLink* link = interruptedLink.load()) link->RequestStop();
}

// Ctrl+C and SIGTERM end the polling cleanly while it runs. Installed without SA_RESTART, so a
// wait for the next deadline ends at once.
class InterruptHandler {
public:
  explicit InterruptHandler(SerialLink& link) {
    interrupted.store(false);
    interruptedLink.store(&link);
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previousInt_);
    sigaction(SIGTERM, &action, &previousTerm_);
  }
  ~InterruptHandler() {
    sigaction(SIGINT, &previousInt_, nullptr);
    sigaction(SIGTERM, &previousTerm_, nullptr);
    interruptedLink.store(nullptr);
  }
  InterruptHandler(const InterruptHandler&) = delete;
  InterruptHandler& operator=(const InterruptHandler&) = delete;

private:
  struct sigaction previousInt_ {};
  struct sigaction previousTerm_ {};
};

std::int64_t MonotonicUs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return std::int64_t{now.tv_sec} * 1'000'000 + now.tv_nsec / 1000;
}

// Waits until `deadlineUs` on the monotonic clock, or until interrupted.
void SleepUntil(std::int64_t deadlineUs) {
  timespec until{};
  until.tv_sec = static_cast<time_t>(deadlineUs / 1'000'000);
  until.tv_nsec = static_cast<long>(deadlineUs % 1'000'000 * 1000);
  while (!interrupted.load() &&
         clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
  }
}

// A line per poll as it happens, also into a pipe. False when it did not reach standard output:
// polling on would print into nothing.
bool PrintLine(const QString& line) {
  std::printf("%s\n", line.toUtf8().constData());
  return FlushStandardOutput();
}

}  // namespace

int MonitorCommand(LinkSession& session, int count, bool json) {
  if (!session.Connect()) return kExitFailure;
  ConfigImage image;
  if (!session.Read(image)) return kExitFailure;
  auto set = std::make_unique<DefinitionSet>();
  if (!LoadDefinitions(image, *set, session.Prompts())) return kExitFailure;

  const LiveSlots liveSlots = LiveSlotWalk(*set);
  const QStringList columns = LiveColumns(*set, liveSlots);
  // A header that did not reach standard output shows at the first poll's line.
  if (!json) PrintLine(CsvHeader(columns));

  InterruptHandler handler(session.Link());
  constexpr std::int64_t kPeriodUs = std::int64_t{MonitorPoll::kPeriodMs} * 1000;
  LiveBlock block;
  std::int64_t deadlineUs = MonotonicUs();
  std::int64_t firstUs = deadlineUs;
  for (int polls = 0; count == 0 || polls < count; ++polls) {
    if (polls > 0) {
      deadlineUs = NextPollDeadlineUs(deadlineUs, MonotonicUs(), kPeriodUs);
      SleepUntil(deadlineUs);
    }
    if (interrupted.load()) break;
    const std::int64_t startUs = MonotonicUs();
    if (polls == 0) firstUs = startUs;
    const LiveRead read = ReadLiveBlock(session.Link(), block);
    if (read.aborted) break;
    const LiveRecord record =
        MakeLiveRecord(*set, liveSlots, block.bytes, read.answered[0], (startUs - firstUs) / 1000);
    if (!PrintLine(json ? JsonLine(columns, record) : CsvRow(record))) return kExitFailure;
  }
  return kExitOk;
}

}  // namespace vor::cli

#include "cli/monitor_command.h"

#include <atomic>
#include <cstdio>
#include <memory>

#include "cli/image_commands.h"
#include "cli/interrupt.h"
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
void OnInterrupt() {
  interrupted.store(true);
  if (SerialLink* link = interruptedLink.load()) link->RequestStop();
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

  interrupted.store(false);
  interruptedLink.store(&session.Link());
  const InterruptHandler handler(OnInterrupt);
  constexpr std::int64_t kPeriodUs = std::int64_t{MonitorPoll::kPeriodMs} * 1000;
  LiveBlock block;
  std::int64_t deadlineUs = MonotonicUs();
  std::int64_t firstUs = deadlineUs;
  bool printed = true;
  for (int polls = 0; count == 0 || polls < count; ++polls) {
    if (polls > 0) {
      deadlineUs = NextPollDeadlineUs(deadlineUs, MonotonicUs(), kPeriodUs);
      SleepUntil(deadlineUs, interrupted);
    }
    if (interrupted.load()) break;
    const std::int64_t startUs = MonotonicUs();
    if (polls == 0) firstUs = startUs;
    const LiveRead read = ReadLiveBlock(session.Link(), block);
    if (read.aborted) break;
    const LiveRecord record =
        MakeLiveRecord(*set, liveSlots, block.bytes, read.answered[0], (startUs - firstUs) / 1000);
    printed = PrintLine(json ? JsonLine(columns, record) : CsvRow(record));
    if (!printed) break;
  }
  interruptedLink.store(nullptr);
  return printed ? kExitOk : kExitFailure;
}

}  // namespace vor::cli

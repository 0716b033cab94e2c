#pragma once

// A LinkAccess for unit tests: runs each job at once, on this thread, on a link over a virtual
// port (virtual time) to `controller`, or to nobody when there is none. The live poll runs only
// when the test says so (Poll), so every poll happens at a moment the test chooses.
#include <memory>

#include "link/link_access.h"
#include "link/live_block.h"
#include "simulator/virtual_port.h"

namespace vor::test {

class ImmediateLink : public LinkAccess {
public:
  explicit ImmediateLink(SimulatedController* controller = nullptr) {
    auto owned = std::make_unique<VirtualPort>(clock, controller);
    port = owned.get();
    link.SetPort(std::move(owned));
  }

  JobResult RunJob(const QString&, const std::function<bool(SerialLink&)>& job) override {
    ++jobs;
    return job(link) ? JobResult::Done : JobResult::Failed;
  }

  void StartLivePoll(int periodMs, std::function<void(const LivePoll&)> onPoll) override {
    pollPeriodMs = periodMs;
    onPoll_ = std::move(onPoll);
  }
  void StopLivePoll() override { onPoll_ = nullptr; }
  bool LivePollRunning() const override { return onPoll_ != nullptr; }

  // One poll of the simulated controller, delivered as the real link delivers it; false while
  // no poll runs.
  bool Poll() {
    if (!onPoll_) return false;
    LivePoll poll;
    poll.timeUs = clock.NowUs();
    poll.answered = ReadLiveBlock(link, liveBlock).answered;
    poll.block = liveBlock;
    onPoll_(poll);
    return true;
  }

  VirtualClock clock;
  SerialLink link{clock};
  VirtualPort* port = nullptr;
  LiveBlock liveBlock;
  int jobs = 0;
  int pollPeriodMs = 0;

private:
  std::function<void(const LivePoll&)> onPoll_;
};

}  // namespace vor::test

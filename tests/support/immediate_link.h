#pragma once

// A LinkAccess for unit tests: runs each job at once, on this thread, on a link over a virtual
// port (virtual time) to `controller`, or to nobody when there is none. The live poll runs only
// when the test says so, so every poll happens at a moment the test chooses: Poll reads the
// simulated controller, Deliver hands over a poll's result made by the test.
#include <memory>

#include "link/link_access.h"
#include "link/live_block.h"
#include "simulator/virtual_port.h"

namespace vor::test {

class ImmediateLink : public LinkAccess {
public:
  explicit ImmediateLink(SimulatedController* controller = nullptr) : controller_(controller) {
    auto owned = std::make_unique<VirtualPort>(clock, controller);
    port = owned.get();
    link.SetPort(std::move(owned));
  }

  JobResult RunJob(const QString&, const std::function<bool(SerialLink&)>& job) override {
    ++jobs;
    busy_ = true;
    const bool done = job(link);
    busy_ = false;
    emit JobFinished();
    return done ? JobResult::Done : JobResult::Failed;
  }
  // Found when there is a controller at the other end.
  JobResult ScanForController(const QString& operation) override {
    return RunJob(operation, [this](SerialLink&) { return controller_ != nullptr; });
  }
  QString DevicePath() const override { return QString(); }
  bool Busy() const override { return busy_; }

  void StartLivePoll(int periodMs, std::function<void(const LivePoll&)> onPoll) override {
    ++starts;
    lastPeriodMs = periodMs;
    onPoll_ = std::move(onPoll);
  }
  void StopLivePoll() override {
    if (onPoll_) ++stops;
    onPoll_ = nullptr;
  }
  bool LivePollRunning() const override { return onPoll_ != nullptr; }

  // Hands `poll` to the running poll's receiver, as the link would; false (nothing delivered)
  // while no poll runs.
  bool Deliver(const LivePoll& poll) {
    if (!onPoll_) return false;
    onPoll_(poll);
    return true;
  }
  // One poll of the simulated controller, delivered; false while no poll runs.
  bool Poll() {
    if (!onPoll_) return false;
    LivePoll poll;
    poll.timeUs = clock.NowUs();
    poll.answered = ReadLiveBlock(link, liveBlock).answered;
    poll.block = liveBlock;
    return Deliver(poll);
  }

  VirtualClock clock;
  SerialLink link{clock};
  VirtualPort* port = nullptr;
  LiveBlock liveBlock;
  int jobs = 0;
  int starts = 0;
  int stops = 0;
  int lastPeriodMs = 0;

private:
  SimulatedController* controller_;
  bool busy_ = false;
  std::function<void(const LivePoll&)> onPoll_;
};

}  // namespace vor::test

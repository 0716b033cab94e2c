#pragma once

#include <functional>

#include "link/link_access.h"

namespace vor::test {

// A link whose live poll the test drives itself: it records how the poll was started and stopped,
// and Deliver hands a poll's result to the page as the link would, on the calling thread.
class FakeLinkAccess : public LinkAccess {
public:
  JobResult RunJob(const QString&, const std::function<bool(SerialLink&)>&) override {
    ++jobs;
    return JobResult::Refused;
  }
  void StartLivePoll(int periodMs, std::function<void(const LivePoll&)> onPoll) override {
    ++starts;
    lastPeriodMs = periodMs;
    onPoll_ = std::move(onPoll);
  }
  void StopLivePoll() override {
    if (onPoll_) ++stops;
    onPoll_ = nullptr;
  }
  bool LivePollRunning() const override { return bool(onPoll_); }

  // Hands `poll` to the running poll's receiver; false (nothing delivered) while none runs.
  bool Deliver(const LivePoll& poll) {
    if (!onPoll_) return false;
    onPoll_(poll);
    return true;
  }

  int starts = 0;
  int stops = 0;
  int jobs = 0;
  int lastPeriodMs = 0;

private:
  std::function<void(const LivePoll&)> onPoll_;
};

}  // namespace vor::test

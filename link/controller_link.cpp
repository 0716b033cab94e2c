#include "link/controller_link.h"

namespace vor {

ControllerLink::ControllerLink(PortSystem& ports, LinkClock& clock, Prompter& prompter)
    : link_(clock), scan_(link_, ports, prompter) {
  // A stopped poll gives up the exchange it is in; the flag is lowered once it has.
  thread_.SetTickInterrupt({[this] { link_.RequestStop(); }, [this] { link_.ClearStop(); }});
  connect(&thread_, &LinkThread::JobFinished, this, &LinkAccess::JobFinished);
}

ControllerLink::~ControllerLink() {
  StopLivePoll();
  // The port was opened on the link thread and is closed there, after a poll being cut short.
  thread_.Run(QString(), [this] {
    link_.ClosePort();
    return true;
  });
}

void ControllerLink::SetOpenFailureHandler(
    std::function<void(const QString&, OpenStatus)> handler) {
  scan_.SetOpenFailureHandler(std::move(handler));
}

JobResult ControllerLink::SetObserver(FrameObserver* observer) {
  return thread_.Run(QString(), [this, observer] {
    link_.SetObserver(observer);
    return true;
  });
}

JobResult ControllerLink::RunJob(const QString& operation,
                                 const std::function<bool(SerialLink&)>& job) {
  return thread_.Run(operation, [&] { return job(link_); });
}

void ControllerLink::StartLivePoll(int periodMs, std::function<void(const LivePoll&)> onPoll) {
  StopLivePoll();
  onPoll_ = std::move(onPoll);
  const std::uint64_t generation = ++generation_;
  thread_.StartRepeating(periodMs, [this, generation] { PollOnce(generation); });
}

void ControllerLink::StopLivePoll() {
  if (!thread_.Repeating()) return;
  ++generation_;  // whatever is still on its way is dropped
  thread_.StopRepeating();
  onPoll_ = nullptr;
}

void ControllerLink::PollOnce(std::uint64_t generation) {
  LivePoll poll;
  poll.timeUs = link_.Clock().NowUs();
  const LiveRead read = ReadLiveBlock(link_, liveBlock_);
  if (read.aborted) return;
  poll.block = liveBlock_;
  poll.answered = read.answered;
  thread_.PostToOwner([this, generation, poll] {
    if (generation == generation_ && onPoll_) onPoll_(poll);
  });
}

JobResult ControllerLink::ScanForController(const QString& operation) {
  const JobResult scan = thread_.Run(operation, [this] { return scan_.ScanForController(); });
  if (scan == JobResult::Failed && scanFailed_) scanFailed_();
  return scan;
}

}  // namespace vor

#include "link/controller_link.h"

#include <QCoreApplication>

#include "link/config_transfer.h"

namespace vor {

ControllerLink::ControllerLink(PortSystem& ports, LinkClock& clock, Prompter& prompter,
                               QObject* uiContext)
    : prompter_(prompter, uiContext), link_(clock), scan_(link_, ports, prompter_) {}

ControllerLink::~ControllerLink() {
  StopLivePoll();
  // The port was opened on the link thread and is closed there.
  thread_.Run(QString(), [this] {
    link_.ClosePort();
    return true;
  });
}

void ControllerLink::SetOpenFailureHandler(
    std::function<void(const QString&, OpenStatus)> handler) {
  scan_.SetOpenFailureHandler(std::move(handler));
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
  link_.RequestStop();
  thread_.StopRepeating();
  link_.ClearStop();
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

bool ControllerLink::ScanForController() {
  const bool found =
      thread_.Run(QCoreApplication::translate("vor::ControllerLink", "Searching for controller..."),
                  [this] { return scan_.ScanForController(); }) == JobResult::Done;
  if (!found && scanFailed_) scanFailed_();
  return found;
}

bool ControllerLink::ReadImage(ConfigImage& image) {
  return RunJob(QCoreApplication::translate("vor::ControllerLink", "Reading..."),
                [&](SerialLink& link) { return vor::ReadImage(link, image); }) == JobResult::Done;
}

bool ControllerLink::WriteImage(const ConfigImage& image) {
  return RunJob(QCoreApplication::translate("vor::ControllerLink", "Writing..."),
                [&](SerialLink& link) { return WriteSucceeded(vor::WriteImage(link, image)); }) ==
         JobResult::Done;
}

}  // namespace vor

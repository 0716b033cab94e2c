#pragma once

#include <QStringList>
#include <cstdint>

#include "link/config_image.h"
#include "link/link_access.h"
#include "link/link_thread.h"
#include "link/live_block.h"
#include "link/port_scan.h"
#include "link/serial_link.h"

namespace vor {

// The program's one link to the controller: the link object, its port scan and the live block,
// served by the link thread. The scan, the image transfers, every later exchange and the live
// poll run there while the user interface waits without freezing.
class ControllerLink : public LinkAccess {
public:
  // `ports`, `clock` and `prompter` are used on the link thread, and must outlive this object.
  // The scan asks its message there, so `prompter` must be one that may be asked from another
  // thread (the desktop program passes a prompter that asks on the user-interface thread). The
  // thread that constructs this object drives it.
  ControllerLink(PortSystem& ports, LinkClock& clock, Prompter& prompter);
  ~ControllerLink() override;

  // Scan only these device paths, in this order.
  void SetPortOverride(const QStringList& devicePaths) { scan_.SetPortOverride(devicePaths); }
  // Called on the link thread for every port that cannot be opened.
  void SetOpenFailureHandler(std::function<void(const QString&, OpenStatus)> handler);
  // Called (on the user-interface thread) after a scan that found no controller.
  void SetScanFailedHandler(std::function<void()> handler) { scanFailed_ = std::move(handler); }
  // Sees every frame from the next exchange on (set on the link thread, after anything it has in
  // hand). Refused, as a job is, while a job runs.
  JobResult SetObserver(FrameObserver* observer);
  void SetWaitPolicy(JobWaitPolicy* policy) { thread_.SetWaitPolicy(policy); }

  JobResult RunJob(const QString& operation, const std::function<bool(SerialLink&)>& job) override;
  void StartLivePoll(int periodMs, std::function<void(const LivePoll&)> onPoll) override;
  void StopLivePoll() override;
  bool LivePollRunning() const override { return thread_.Repeating(); }

  // The port scan, on the link thread: Done when a controller answered (then Connected holds
  // from now on), Failed when none did, Refused while another job runs. `operation` names it
  // for the wait policy.
  JobResult ScanForController(const QString& operation) override;
  QString DevicePath() const override { return scan_.ConnectedPath(); }
  bool Busy() const override { return thread_.Busy(); }

  bool Connected() const { return scan_.Connected; }
  LinkThread& Thread() { return thread_; }

private:
  // One poll, on the link thread; its result goes to the user interface unless it was abandoned.
  void PollOnce(std::uint64_t generation);

  SerialLink link_;
  PortScan scan_;
  LiveBlock liveBlock_;  // link thread only
  std::function<void(const LivePoll&)> onPoll_;
  std::function<void()> scanFailed_;
  // Counts the polls started (user-interface thread only); a result of an earlier poll is
  // dropped on arrival.
  std::uint64_t generation_ = 0;
  LinkThread thread_;  // last: ended first, while the rest still exists
};

}  // namespace vor

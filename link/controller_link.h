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
  // `ports` and `clock` are used on the link thread only. `prompter` shows the scan's message
  // on the thread of `uiContext`, which is also the thread that drives this object.
  ControllerLink(PortSystem& ports, LinkClock& clock, Prompter& prompter, QObject* uiContext);
  ~ControllerLink() override;

  // Scan only these device paths, in this order.
  void SetPortOverride(const QStringList& devicePaths) { scan_.SetPortOverride(devicePaths); }
  void SetOpenFailureHandler(std::function<void(const QString&, OpenStatus)> handler);
  // Called (on the user-interface thread) after a scan that found no controller.
  void SetScanFailedHandler(std::function<void()> handler) { scanFailed_ = std::move(handler); }
  void SetObserver(FrameObserver* observer) { link_.SetObserver(observer); }
  void SetBusyIndicator(BusyIndicator* indicator) { thread_.SetBusyIndicator(indicator); }

  JobResult RunJob(const QString& operation, const std::function<bool(SerialLink&)>& job) override;
  void StartLivePoll(int periodMs, std::function<void(const LivePoll&)> onPoll) override;
  void StopLivePoll() override;
  bool LivePollRunning() const override { return thread_.Repeating(); }

  // Each runs on the link thread and returns its result; false at once while another job runs.
  bool ScanForController();
  bool ReadImage(ConfigImage& image);
  bool WriteImage(const ConfigImage& image);

  bool Connected() const { return scan_.Connected; }
  QString DevicePath() const { return scan_.ConnectedPath(); }
  LinkThread& Thread() { return thread_; }

private:
  // One poll, on the link thread; its result goes to the user interface unless it was abandoned.
  void PollOnce(std::uint64_t generation);

  CrossThreadPrompter prompter_;
  SerialLink link_;
  PortScan scan_;
  LiveBlock liveBlock_;  // link thread only
  std::function<void(const LivePoll&)> onPoll_;
  std::function<void()> scanFailed_;
  // Counts the polls started and stopped (user-interface thread only); a result of an earlier
  // generation is dropped on arrival.
  std::uint64_t generation_ = 0;
  LinkThread thread_;  // last: stopped first, while the rest still exists
};

}  // namespace vor

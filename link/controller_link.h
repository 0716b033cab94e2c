#pragma once

#include <QStringList>

#include "link/config_image.h"
#include "link/link_access.h"
#include "link/link_thread.h"
#include "link/port_scan.h"
#include "link/serial_link.h"

namespace vor {

// The program's one link to the controller: the link object and its port scan, served by the
// link thread. The scan, the image transfers and every later exchange run there as jobs while
// the user interface waits without freezing.
class ControllerLink : public LinkAccess {
public:
  // `ports` and `clock` are used on the link thread only. `prompter` shows the scan's message
  // on the thread of `uiContext`.
  ControllerLink(PortSystem& ports, LinkClock& clock, Prompter& prompter, QObject* uiContext);
  ~ControllerLink() override;

  // Scan only these device paths, in this order.
  void SetPortOverride(const QStringList& devicePaths) { scan_.SetPortOverride(devicePaths); }
  void SetLeadingPorts(const QStringList& devicePaths) { scan_.SetLeadingPorts(devicePaths); }
  void SetOpenFailureHandler(std::function<void(const QString&, OpenStatus)> handler);
  void SetObserver(FrameObserver* observer) { link_.SetObserver(observer); }
  void SetBusyIndicator(BusyIndicator* indicator) { thread_.SetBusyIndicator(indicator); }

  JobResult RunJob(const QString& operation,
                   const std::function<bool(SerialLink&)>& job) override;

  // Each runs on the link thread and returns its result; false at once while another job runs.
  bool ScanForController();
  bool ReadImage(ConfigImage& image);
  bool WriteImage(const ConfigImage& image);

  bool Connected() const { return scan_.Connected; }
  QString DevicePath() const { return scan_.ConnectedPath(); }
  LinkThread& Thread() { return thread_; }
  // For jobs on the link thread only.
  SerialLink& Link() { return link_; }

private:
  CrossThreadPrompter prompter_;
  SerialLink link_;
  PortScan scan_;
  LinkThread thread_;  // last: stopped first, while the rest still exists
};

}  // namespace vor

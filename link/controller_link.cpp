#include "link/controller_link.h"

#include "link/config_transfer.h"

namespace vor {

ControllerLink::ControllerLink(PortSystem& ports, LinkClock& clock, Prompter& prompter,
                               QObject* uiContext)
    : prompter_(prompter, uiContext), link_(clock), scan_(link_, ports, prompter_) {}

ControllerLink::~ControllerLink() {
  // The port was opened on the link thread and is closed there.
  thread_.Run(QString(), [this] {
    link_.port.reset();
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

bool ControllerLink::ScanForController() {
  return thread_.Run(QStringLiteral("Searching for controller..."),
                     [this] { return scan_.ScanForController(); }) == JobResult::Done;
}

bool ControllerLink::ReadImage(ConfigImage& image) {
  return RunJob(QStringLiteral("Reading..."),
                [&](SerialLink& link) { return vor::ReadImage(link, image); }) == JobResult::Done;
}

bool ControllerLink::WriteImage(const ConfigImage& image) {
  return RunJob(QStringLiteral("Writing..."),
                [&](SerialLink& link) { return vor::WriteImage(link, image); }) == JobResult::Done;
}

}  // namespace vor

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

bool ControllerLink::ScanForController() {
  return thread_.Run(QStringLiteral("Searching for controller..."),
                     [this] { return scan_.ScanForController(); });
}

bool ControllerLink::ReadImage(ConfigImage& image) {
  return thread_.Run(QStringLiteral("Reading..."), [&] { return vor::ReadImage(link_, image); });
}

bool ControllerLink::WriteImage(const ConfigImage& image) {
  return thread_.Run(QStringLiteral("Writing..."), [&] { return vor::WriteImage(link_, image); });
}

}  // namespace vor

#pragma once

// A LinkAccess for unit tests: runs each job at once, on this thread, on a link over a virtual
// port (virtual time) to `controller`, or to nobody when there is none.
#include <memory>

#include "link/link_access.h"
#include "simulator/virtual_port.h"

namespace vor::test {

class ImmediateLink : public LinkAccess {
public:
  explicit ImmediateLink(SimulatedController* controller = nullptr) {
    auto owned = std::make_unique<VirtualPort>(clock, controller);
    port = owned.get();
    link.port = std::move(owned);
  }

  JobResult RunJob(const QString&, const std::function<bool(SerialLink&)>& job) override {
    ++jobs;
    return job(link) ? JobResult::Done : JobResult::Failed;
  }

  VirtualClock clock;
  SerialLink link{clock};
  VirtualPort* port = nullptr;
  int jobs = 0;
};

}  // namespace vor::test

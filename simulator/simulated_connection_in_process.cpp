// Systems without pseudo-terminals (Windows): the simulated controller on a line inside the
// process, in real time, behind a port system that has this one port.
#include "simulator/simulated_connection.h"
#include "simulator/virtual_port.h"

namespace vor {
namespace {

// The port's name, as `vor-cli scan` and the About box show it.
constexpr char kDevicePath[] = "SIMULATED";

class InProcessConnection : public SimulatedConnection {
public:
  explicit InProcessConnection(SimulatedController& controller) {
    ports_.AddDevice(QString::fromLatin1(kDevicePath), &controller);
  }

  PortSystem& Ports(PortSystem&) override { return ports_; }
  QString DevicePath() const override { return QString::fromLatin1(kDevicePath); }

private:
  RealLineTime time_;
  VirtualPortSystem ports_{time_};
};

}  // namespace

std::unique_ptr<SimulatedConnection> SimulatedConnection::Start(SimulatedController& controller,
                                                                QString&) {
  return std::make_unique<InProcessConnection>(controller);
}

}  // namespace vor

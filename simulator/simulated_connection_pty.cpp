// Systems with pseudo-terminals: the simulated controller on one, reached through the machine's
// serial ports as a real controller is.
#include "simulator/pty_controller.h"
#include "simulator/simulated_connection.h"

namespace vor {
namespace {

class PtyConnection : public SimulatedConnection {
public:
  explicit PtyConnection(SimulatedController& controller) : pty_(controller) {}

  bool Start(QString& error) { return pty_.Start(error); }
  PortSystem& Ports(PortSystem& machine) override { return machine; }
  QString DevicePath() const override { return pty_.DevicePath(); }

private:
  PtyController pty_;
};

}  // namespace

std::unique_ptr<SimulatedConnection> SimulatedConnection::Start(SimulatedController& controller,
                                                                QString& error) {
  auto connection = std::make_unique<PtyConnection>(controller);
  if (!connection->Start(error)) return nullptr;
  return connection;
}

}  // namespace vor

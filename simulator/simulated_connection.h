#pragma once

#include <QString>
#include <memory>

namespace vor {

class PortSystem;
class SimulatedController;

// A simulated controller reached as a program reaches a real one, for --simulate: where the system
// has pseudo-terminals (Linux) on one of them, behind the machine's own serial ports; elsewhere on
// a line inside the process, at the pace of a 19200-baud line in real time, behind a port system
// of its own that has this one port.
class SimulatedConnection {
public:
  virtual ~SimulatedConnection() = default;

  // Connects `controller`, which must outlive the connection; nullptr with `error` set when it
  // cannot be.
  static std::unique_ptr<SimulatedConnection> Start(SimulatedController& controller,
                                                    QString& error);

  // The port system to scan: `machine` (the machine's serial ports) or the connection's own.
  virtual PortSystem& Ports(PortSystem& machine) = 0;
  // The one port that leads to the simulated controller.
  virtual QString DevicePath() const = 0;
};

}  // namespace vor

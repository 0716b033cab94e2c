#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "link/serial_link.h"
#include "link/serial_port.h"

namespace vor {

class Prompter;

// Finds the controller among the serial ports and hands its open port to the link.
class PortScan {
public:
  static constexpr int kQueueBytes = 512;

  PortScan(SerialLink& link, PortSystem& ports, Prompter& prompter)
      : link_(link), ports_(ports), prompter_(prompter) {}

  // Scan only these device paths, in this order, instead of the machine's port list.
  void SetPortOverride(const QStringList& devicePaths) { override_ = devicePaths; }
  // Called for every port that cannot be opened, in either pass.
  void SetOpenFailureHandler(std::function<void(const QString&, OpenStatus)> handler) {
    openFailed_ = std::move(handler);
  }

  // Empties `PortNames` and fills it with the ports to try; returns their number.
  int ListPorts(QStringList& PortNames);

  // Probe pass, then detection pass. Returns `Connected`: once a controller has answered, its
  // port belongs to the link and later calls return 1 without touching any port.
  bool ScanForController();

  bool Connected = false;
  QString ConnectedPath() const { return connectedPath_; }

private:
  // Configures the opened `port`, reopens `devicePath` into it, configures it again and asks the
  // controller to identify itself. The reopened port (or nullptr) is left in `port`.
  bool OpenAndDetect(std::unique_ptr<SerialPort>& port, const QString& devicePath,
                     const PortSettings& settings);
  // The five configuration steps; false when any of them failed (all five are tried).
  static bool Configure(SerialPort& port, const PortSettings& settings);
  std::unique_ptr<SerialPort> Open(const QString& devicePath);

  SerialLink& link_;
  PortSystem& ports_;
  Prompter& prompter_;
  QStringList override_;
  QStringList PortNames;
  QString connectedPath_;
  std::function<void(const QString&, OpenStatus)> openFailed_;
};

}  // namespace vor

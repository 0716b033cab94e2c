#include "link/port_scan.h"

#include "resources/prompter.h"

namespace vor {

int PortScan::ListPorts(QStringList& portNames) {
  portNames = override_.isEmpty() ? ports_.AvailablePorts() : override_;
  return static_cast<int>(portNames.size());
}

std::unique_ptr<SerialPort> PortScan::Open(const QString& devicePath) {
  OpenStatus status = OpenStatus::OtherError;
  std::unique_ptr<SerialPort> port = ports_.Open(devicePath, status);
  if (!port && openFailed_) openFailed_(devicePath, status);
  return port;
}

bool PortScan::ScanForController() {
  if (Connected) return true;
  ListPorts(PortNames);

  // Probe pass: a frame with whatever settings the port has, nothing read.
  for (const QString& name : PortNames) {
    std::unique_ptr<SerialPort> port = Open(name);
    if (!port) continue;
    link_.SetRequest(Command::PortProbe, 16);
    link_.SendFrame(*port);
  }

  const PortSettings settings;
  for (const QString& name : PortNames) {
    std::unique_ptr<SerialPort> port = Open(name);
    if (!port) continue;
    Connected = OpenAndDetect(port, name, settings);
    if (Connected) {
      link_.SetPort(std::move(port));
      link_.SetReopen([this, name]() -> std::unique_ptr<SerialPort> {
        std::unique_ptr<SerialPort> reopened = Open(name);
        if (reopened) Configure(*reopened, PortSettings{});
        return reopened;
      });
      connectedPath_ = name;
      break;
    }
  }
  return Connected;
}

bool PortScan::Configure(SerialPort& port, const PortSettings& settings) {
  bool ok = port.SetQueueSizes(kQueueBytes, kQueueBytes);
  ok = port.ApplyLineSettings(settings) && ok;
  ok = port.SetTimeouts(PortTimeouts{}) && ok;
  ok = port.Purge() && ok;
  return ok;
}

bool PortScan::OpenAndDetect(std::unique_ptr<SerialPort>& port, const QString& devicePath,
                             const PortSettings& settings) {
  if (!Configure(*port, settings)) prompter_.Ask(kMsgRs232SettingError);

  port.reset();
  port = Open(devicePath);
  if (!port) return false;
  Configure(*port, settings);  // a failure here is not reported

  link_.SetRequest(Command::Detect, 0);
  if (!link_.SendFrame(*port)) return false;  // no answer can come
  // Only an answer to Detect with its three payload bytes counts; payload byte 2 tells.
  if (link_.ReceiveFrame(*port) != Received::Frame) return false;
  const std::uint8_t kind = link_.rxFrame.Payload(2);
  return kind == 1 || kind == 2;
}

}  // namespace vor

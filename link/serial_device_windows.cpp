// Windows: the ports the registry lists under HARDWARE\DEVICEMAP\SERIALCOMM, in its order, named as
// the system names them (COM3); a port another program holds cannot be opened a second time.
#include <windows.h>

#include "link/registry_ports.h"
#include "link/serial_device.h"

namespace vor {

QStringList MachinePorts() {
  return RegistryPorts(HKEY_LOCAL_MACHINE, QStringLiteral("HARDWARE\\DEVICEMAP\\SERIALCOMM"));
}

QString DeviceFile(const QString& path) { return path; }

OpenStatus OpenFailureStatus(const QString&, QSerialPort::SerialPortError error) {
  switch (error) {
    case QSerialPort::DeviceNotFoundError:
      return OpenStatus::Missing;
    case QSerialPort::PermissionError:
      // ERROR_ACCESS_DENIED: a COM port opens for one program at a time, and any user may open
      // one, so this is a port in use.
      return OpenStatus::Busy;
    default:
      return OpenStatus::OtherError;
  }
}

}  // namespace vor

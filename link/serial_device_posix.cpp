// POSIX systems: ports as Qt lists them (udev on Linux), device files that links lead to, and the
// device's access rights to tell a forbidden port from a busy one.
#include <QFileInfo>
#include <QSerialPortInfo>

#include "link/serial_device.h"

namespace vor {

QStringList MachinePorts() {
  QStringList paths;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    paths.append(info.systemLocation());
  }
  return paths;
}

// A name under /dev/serial/by-id is a link: Qt's lock file, named after the port, must be the same
// one for every name.
QString DeviceFile(const QString& path) {
  const QString canonical = QFileInfo(path).canonicalFilePath();
  return canonical.isEmpty() ? path : canonical;
}

OpenStatus OpenFailureStatus(const QString& devicePath, QSerialPort::SerialPortError error) {
  switch (error) {
    case QSerialPort::DeviceNotFoundError:
      return OpenStatus::Missing;
    case QSerialPort::PermissionError:
      // Qt says "permission" both for a device we may not open and for one another program
      // holds (lock file, TIOCEXCL); the file's access rights tell the two apart.
      if (!QFileInfo::exists(devicePath)) return OpenStatus::Missing;
      if (const QFileInfo device(devicePath); !device.isReadable() || !device.isWritable()) {
        return OpenStatus::PermissionDenied;
      }
      return OpenStatus::Busy;
    default:
      return QFileInfo::exists(devicePath) ? OpenStatus::OtherError : OpenStatus::Missing;
  }
}

}  // namespace vor

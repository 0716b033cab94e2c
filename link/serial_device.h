#pragma once

#include <QSerialPort>
#include <QString>
#include <QStringList>

#include "link/serial_port.h"

namespace vor {

// How this system lists, names and refuses its serial devices, for the Qt port.

// The machine's serial ports in the system's own order: what QtPortSystem::AvailablePorts gives.
QStringList MachinePorts();

// The device `path` leads to, so that every name of one device is the same port.
QString DeviceFile(const QString& path);

// Why opening `devicePath` failed with Qt's `error`.
OpenStatus OpenFailureStatus(const QString& devicePath, QSerialPort::SerialPortError error);

}  // namespace vor

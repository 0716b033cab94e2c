#pragma once

#include <QSerialPort>

namespace vor {

// An advisory lock on an open serial device. Unlike a lock file it binds whatever name the device
// was opened by, and unlike the terminal's exclusive mode it binds root too.
enum class DeviceLock {
  Taken,          // this descriptor holds the lock until it is closed
  HeldElsewhere,  // another open of the same device holds it: the port is in use
  Unsupported,    // the system takes no such lock on this device; nothing is known
};

// Takes an exclusive lock on the device `port` has open, without waiting.
DeviceLock LockDevice(QSerialPort& port);

}  // namespace vor

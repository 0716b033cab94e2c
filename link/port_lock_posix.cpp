// POSIX systems: flock() on the open device.
#include <sys/file.h>

#include <cerrno>

#include "link/port_lock.h"

namespace vor {

DeviceLock LockDevice(QSerialPort& port) {
  if (::flock(port.handle(), LOCK_EX | LOCK_NB) == 0) return DeviceLock::Taken;
  return errno == EWOULDBLOCK ? DeviceLock::HeldElsewhere : DeviceLock::Unsupported;
}

}  // namespace vor

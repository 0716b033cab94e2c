// Systems without flock(): the platform's own open is exclusive (Windows opens a port for one
// user only), so there is nothing more to take.
#include "link/port_lock.h"

namespace vor {

DeviceLock LockDevice(QSerialPort&) { return DeviceLock::Unsupported; }

}  // namespace vor

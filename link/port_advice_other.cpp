// Linux and other POSIX systems: services that grab adapters, and a plugged-in adapter.
#include <QCoreApplication>

#include "link/port_advice.h"
#include "link/port_diagnostics.h"

namespace vor {

QString ScanFailureAdvice() { return PortGrabberWarning(); }

QString NoPortsAdvice() {
  return QCoreApplication::translate(
      "vor::Troubleshooting",
      "No serial port is listed on this machine. Is the USB serial adapter plugged in?");
}

}  // namespace vor

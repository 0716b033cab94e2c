// Windows: an adapter whose driver is missing has no COM port; Device Manager shows what there is.
#include <QCoreApplication>

#include "link/port_advice.h"
#include "link/serial_device.h"

namespace vor {

QString ScanFailureAdvice() {
  if (!MachinePorts().isEmpty()) return {};
  return QCoreApplication::translate(
      "vor::PortAdvice",
      "this computer has no COM port; is the USB serial adapter plugged in and its driver "
      "installed (CH340, CP210x, FTDI or PL2303)? Device Manager shows the adapter's COM port "
      "under Ports (COM & LPT)");
}

QString NoPortsAdvice() {
  return QCoreApplication::translate(
      "vor::PortAdvice",
      "No COM port is listed on this computer. Is the USB serial adapter plugged in? Without its "
      "driver it has no COM port: install the driver for the adapter's chip (CH340, CP210x, FTDI "
      "or PL2303), then plug it in again. Device Manager shows the adapter's COM port under Ports "
      "(COM & LPT).");
}

}  // namespace vor

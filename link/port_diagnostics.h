#pragma once

#include <QString>
#include <vector>

#include "link/serial_port.h"

namespace vor {

// Why `devicePath` could not be opened, as a sentence to show the user: the missing group for a
// permission problem, the program that holds a busy port where the system tells, a missing
// device. Starts in lower case: "permission denied; ...", "busy, held by ...".
QString OpenFailureReason(const QString& devicePath, OpenStatus status);

// A sentence naming the services running on this machine that are known to grab serial adapters
// (ModemManager, brltty), or an empty string when none runs.
QString PortGrabberWarning();

// One port as the troubleshooting view shows it.
struct PortCheck {
  QString devicePath;
  bool opens = false;
  QString reason;  // why it does not open; empty when it does
};

// Opens each port of the machine (or of `devicePaths`, when given) for a moment, sending nothing,
// and tells which can be opened and why not.
std::vector<PortCheck> CheckPorts(PortSystem& ports, const QStringList& devicePaths = {});

}  // namespace vor

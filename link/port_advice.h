#pragma once

#include <QString>

namespace vor {

// What this system's users are told when no controller is found, beyond message 149: where the
// usual causes are Linux services that grab serial adapters, those that run; where it is a missing
// adapter driver (Windows), that, when the machine lists no serial port at all. Empty when there
// is nothing to say.
QString ScanFailureAdvice();

// The sentence Help > Serial Port Troubleshooting shows when the machine lists no serial port.
QString NoPortsAdvice();

}  // namespace vor

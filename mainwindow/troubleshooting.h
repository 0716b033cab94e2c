#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "link/port_diagnostics.h"

namespace vor {

class PortSystem;

// What Help > Serial Port Troubleshooting shows: the machine's serial ports as they are now,
// which of them can be opened and why not, and the services known to grab serial adapters.
struct TroubleshootingFacts {
  QString linkPath;  // the port the program's link uses; empty when it has none
  std::vector<PortCheck> checks;
  QString grabberWarning;  // empty when no such service runs
};

// Checks `namedPorts` (the machine's own ports when empty) by opening each for a moment, all but
// `linkPath`: that port belongs to the link, which must not be disturbed, and is named as in
// use by this program instead.
TroubleshootingFacts CheckPortsBesideLink(PortSystem& ports, const QStringList& namedPorts,
                                          const QString& linkPath);

QString TroubleshootingReport(const TroubleshootingFacts& facts);

}  // namespace vor

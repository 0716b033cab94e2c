#include "mainwindow/troubleshooting.h"

#include <QCoreApplication>

#include "link/port_advice.h"
#include "link/serial_port.h"

namespace vor {

TroubleshootingFacts CheckPortsBesideLink(PortSystem& ports, const QStringList& namedPorts,
                                          const QString& linkPath) {
  TroubleshootingFacts facts;
  facts.linkPath = linkPath;
  QStringList others = namedPorts.isEmpty() ? ports.AvailablePorts() : namedPorts;
  others.removeAll(linkPath);
  // CheckPorts takes an empty list for the machine's whole list.
  if (!others.isEmpty()) facts.checks = CheckPorts(ports, others);
  facts.grabberWarning = PortGrabberWarning();
  return facts;
}

QString TroubleshootingReport(const TroubleshootingFacts& facts) {
  QStringList lines;
  if (facts.linkPath.isEmpty() && facts.checks.empty()) {
    lines << NoPortsAdvice();
  } else {
    lines << QCoreApplication::translate("vor::Troubleshooting", "Serial ports of this machine:");
    if (!facts.linkPath.isEmpty()) {
      lines << QCoreApplication::translate(
                   "vor::Troubleshooting",
                   "%1: in use by this program, connected to the controller")
                   .arg(facts.linkPath);
    }
    for (const PortCheck& check : facts.checks) {
      lines << (check.opens
                    ? QCoreApplication::translate("vor::Troubleshooting", "%1: can be opened")
                          .arg(check.devicePath)
                    : QCoreApplication::translate("vor::Troubleshooting", "%1: %2")
                          .arg(check.devicePath, check.reason));
    }
  }
  if (!facts.grabberWarning.isEmpty()) {
    QString warning = facts.grabberWarning;
    warning[0] = warning[0].toUpper();
    lines << QString() << warning + u'.';
  }
  return lines.join(u'\n');
}

}  // namespace vor

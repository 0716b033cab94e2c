#include "link/port_diagnostics.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include "link/port_holders.h"

namespace vor {

QString OpenFailureReason(const QString& devicePath, OpenStatus status) {
  switch (status) {
    case OpenStatus::PermissionDenied: {
      const QString group = QFileInfo(devicePath).group();
      return QCoreApplication::translate(
                 "vor::PortDiagnostics",
                 "permission denied; your user needs to be in the group that owns the device "
                 "(%1), usually dialout")
          .arg(group.isEmpty() ? QCoreApplication::translate("vor::PortDiagnostics", "unknown")
                               : group);
    }
    case OpenStatus::Busy: {
      QStringList names;
      for (const ProcessInfo& holder : PortHolders(devicePath)) {
        names.append(QCoreApplication::translate("vor::PortDiagnostics", "%1 (pid %2)")
                         .arg(holder.name)
                         .arg(holder.pid));
      }
      if (names.isEmpty()) {
        return QCoreApplication::translate("vor::PortDiagnostics", "busy, held by another program");
      }
      return QCoreApplication::translate("vor::PortDiagnostics", "busy, held by %1")
          .arg(names.join(QStringLiteral(", ")));
    }
    case OpenStatus::Missing:
      return QCoreApplication::translate("vor::PortDiagnostics", "no such device");
    case OpenStatus::OtherError:
    case OpenStatus::Ok:
      break;
  }
  return QCoreApplication::translate("vor::PortDiagnostics", "it cannot be opened");
}

QString PortGrabberWarning() {
  const QStringList running =
      RunningProcesses({QStringLiteral("ModemManager"), QStringLiteral("brltty")});
  if (running.isEmpty()) return {};
  if (running.size() == 1) {
    return QCoreApplication::translate(
               "vor::PortDiagnostics",
               "%1 is running on this machine; such services are known to take hold of USB "
               "serial adapters, so the controller may not be reachable while they run")
        .arg(running.first());
  }
  return QCoreApplication::translate(
             "vor::PortDiagnostics",
             "%1 and %2 are running on this machine; such services are known to take hold of USB "
             "serial adapters, so the controller may not be reachable while they run")
      .arg(running[0], running[1]);
}

std::vector<PortCheck> CheckPorts(PortSystem& ports, const QStringList& devicePaths) {
  std::vector<PortCheck> checks;
  for (const QString& path : devicePaths.isEmpty() ? ports.AvailablePorts() : devicePaths) {
    OpenStatus status = OpenStatus::OtherError;
    const bool opens = ports.Open(path, status) != nullptr;  // closed again at once
    checks.push_back({path, opens, opens ? QString() : OpenFailureReason(path, status)});
  }
  return checks;
}

}  // namespace vor

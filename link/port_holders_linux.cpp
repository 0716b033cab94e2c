// Linux: what /proc tells about the processes of this machine.
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "link/port_holders.h"

namespace vor {
namespace {

QString ProcessName(const QString& pidDir) {
  QFile comm(pidDir + QStringLiteral("/comm"));
  if (!comm.open(QIODevice::ReadOnly)) return {};
  return QString::fromLocal8Bit(comm.readAll()).trimmed();
}

QStringList ProcessDirs() {
  QStringList dirs;
  const QDir proc(QStringLiteral("/proc"));
  for (const QString& entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    bool numeric = false;
    entry.toLongLong(&numeric);
    if (numeric) dirs.append(proc.filePath(entry));
  }
  return dirs;
}

}  // namespace

std::vector<ProcessInfo> PortHolders(const QString& devicePath) {
  std::vector<ProcessInfo> holders;
  // A stable name under /dev/serial/by-id is a link: compare what it points at.
  const QString device = QFileInfo(devicePath).canonicalFilePath();
  if (device.isEmpty()) return holders;
  const qint64 self = ::getpid();
  for (const QString& dir : ProcessDirs()) {
    const qint64 pid = QFileInfo(dir).fileName().toLongLong();
    if (pid == self) continue;
    const QDir fds(dir + QStringLiteral("/fd"));
    for (const QString& fd : fds.entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)) {
      if (QFile::symLinkTarget(fds.filePath(fd)) == device) {
        holders.push_back({pid, ProcessName(dir)});
        break;
      }
    }
  }
  return holders;
}

QStringList RunningProcesses(const QStringList& names) {
  QStringList running;
  QStringList seen;
  for (const QString& dir : ProcessDirs()) seen.append(ProcessName(dir));
  for (const QString& name : names) {
    if (seen.contains(name)) running.append(name);
  }
  return running;
}

}  // namespace vor

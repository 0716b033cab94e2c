#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace vor {

// A process of this machine, as far as the system lets us see it.
struct ProcessInfo {
  qint64 pid = 0;
  QString name;
};

// The processes that hold `devicePath` open, other than this one. Empty where the system does not
// tell (on Linux it is read from the open file descriptors under /proc; processes of other users
// are visible only to root).
std::vector<ProcessInfo> PortHolders(const QString& devicePath);

// Which of `names` run as a process on this machine (by process name), in the order of `names`.
// Empty where the system does not tell.
QStringList RunningProcesses(const QStringList& names);

}  // namespace vor

#pragma once

// Another program that holds a port open, for the tests of what a busy port is told.
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include "link/port_holders.h"

namespace vor::test {

// Starts `sleep` under a shell that first runs `setup`, a shell line that opens the device (and
// perhaps locks it) as descriptor 3, and waits up to 5 s until `sleep` holds `devicePath`.
// False when it does not come to hold it.
inline bool StartPortHolder(QProcess& holder, const QString& setup, const QString& devicePath) {
  holder.start("sh", {"-c", setup + QStringLiteral("; exec sleep 30")});
  if (!holder.waitForStarted()) return false;
  const auto holding = [&] {
    const std::vector<ProcessInfo> now = PortHolders(devicePath);
    return !now.empty() && now[0].name == "sleep";
  };
  QElapsedTimer timer;
  timer.start();
  while (!holding() && timer.elapsed() < 5000) QThread::msleep(10);
  return holding();
}

}  // namespace vor::test

#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <cstdio>

// Starts vor-sim with `args` and returns the device path it prints; empty (after saying so) when
// it does not come up. The benchmarks run it as a process of its own so that its CPU time is not
// theirs.
inline QString StartSimulator(QProcess& sim, const QStringList& args = {}) {
  sim.start(VOR_SIM_PATH, args);
  if (!sim.waitForStarted() || !sim.waitForReadyRead(5000)) {
    std::fprintf(stderr, "vor-sim did not start\n");
    return {};
  }
  return QString::fromLocal8Bit(sim.readLine()).trimmed();
}

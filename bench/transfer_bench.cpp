// Image read and write against vor-sim over a pseudo-terminal at 19200-baud pace: wall time
// against the protocol's floor, and the CPU time this process spent.
//
// The floor is what the exchange rules make unavoidable: the mandated waits (50 ms after each
// BeginTransfer, 5 ms before each read, 20 ms of silence ending a read that got fewer than 19
// bytes) plus the wire time of every request and answer. The 5 ms wait runs while the request
// is still on the wire, so a good link can come in slightly under this floor.
#include <time.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/sim_process.h"
#include "link/link.h"
#include "link/qt_serial_port.h"
#include "link/wire_timing.h"
#include "resources/prompter.h"

namespace {

struct Exchange {
  int requestBytes;
  int answerBytes;
  int waitMs;  // mandated waits: 5 before the read, plus 50 after BeginTransfer
};

double FloorMs(const std::vector<Exchange>& exchanges) {
  double us = 0;
  for (const Exchange& e : exchanges) {
    us += e.waitMs * 1000.0 + static_cast<double>(vor::WireTimeUs(e.requestBytes + e.answerBytes));
    if (e.answerBytes < 19) us += 20'000;  // the read ends on silence
  }
  return us / 1000;
}

std::vector<Exchange> Handshake() { return {{3, 3, 55}, {3, 3, 55}}; }

std::vector<Exchange> ReadExchanges() {
  std::vector<Exchange> e = Handshake();
  for (int i = 0; i < 8; ++i) e.push_back({6, 19, 5});
  return e;
}

std::vector<Exchange> WriteExchanges() {
  std::vector<Exchange> e = Handshake();
  for (int i = 0; i < 9; ++i) e.push_back({19, 3, 5});
  e.push_back({17, 3, 5});
  e.push_back({3, 3, 5});  // Commit, acknowledged at once
  return e;
}

double CpuMs() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

class NoPrompts : public vor::Prompter {
public:
  using Prompter::Ask;
  vor::Answer Ask(int, vor::Buttons, vor::Icon) override { return vor::Answer::Ok; }
};

struct Sample {
  double wallMs;
  double cpuMs;
};

template <typename Transfer>
Sample Measure(Transfer transfer) {
  QElapsedTimer wall;
  const double cpu0 = CpuMs();
  wall.start();
  if (!transfer()) {
    std::fprintf(stderr, "transfer failed\n");
    std::exit(1);
  }
  return {static_cast<double>(wall.nsecsElapsed()) / 1e6, CpuMs() - cpu0};
}

void Report(const char* name, std::vector<Sample> samples, double floorMs) {
  std::sort(samples.begin(), samples.end(),
            [](const Sample& a, const Sample& b) { return a.wallMs < b.wallMs; });
  const Sample& median = samples[samples.size() / 2];
  std::printf(
      "%-6s wall %7.1f ms (min %7.1f, max %7.1f)  floor %7.1f ms  ratio %.3f  "
      "cpu %5.2f ms = %.2f %% of wall\n",
      name, median.wallMs, samples.front().wallMs, samples.back().wallMs, floorMs,
      median.wallMs / floorMs, median.cpuMs, 100 * median.cpuMs / median.wallMs);
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;

  QProcess sim;
  const QString device = StartSimulator(sim);
  if (device.isEmpty()) return 1;

  vor::SteadyClock clock;
  vor::QtPortSystem ports;
  NoPrompts prompter;
  vor::SerialLink link(clock);
  vor::PortScan scan(link, ports, prompter);
  scan.SetPortOverride({device});
  if (!scan.ScanForController()) {
    std::fprintf(stderr, "no controller on %s\n", qPrintable(device));
    return 1;
  }

  vor::ConfigImage image;
  std::vector<Sample> reads, writes;
  for (int i = 0; i < runs; ++i) {
    reads.push_back(Measure([&] { return vor::ReadImage(link, image); }));
    writes.push_back(Measure([&] { return WriteSucceeded(vor::WriteImage(link, image)); }));
  }
  std::printf("%d runs against vor-sim on %s\n", runs, qPrintable(device));
  Report("read", reads, FloorMs(ReadExchanges()));
  Report("write", writes, FloorMs(WriteExchanges()));

  sim.terminate();
  sim.waitForFinished(5000);
  return 0;
}

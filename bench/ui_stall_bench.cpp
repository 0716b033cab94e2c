// The desktop program's start-up, Read and Write against vor-sim over a pseudo-terminal: how
// long the user-interface thread is ever kept from its event loop, and how long start-up takes
// against the protocol's floor for the scan and the first read.
//
// A 10 ms timer on the user-interface thread records the gap between its ticks; any gap beyond
// its period is time the window could not repaint. Runs on the offscreen platform.
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <cstdio>

#include "bench/bench_window.h"
#include "bench/sim_process.h"
#include "bench/stall_meter.h"
#include "link/controller_link.h"
#include "link/qt_serial_port.h"
#include "link/wire_timing.h"
#include "mainwindow/main_window.h"
#include "resources/dialog_templates.h"

namespace {

class AnswerOk : public vor::Prompter {
public:
  using Prompter::Ask;
  vor::Answer Ask(int, vor::Buttons, vor::Icon) override { return vor::Answer::Ok; }
};

// Probe, then Detect answered with six bytes and ended by 20 ms of silence; then the read:
// two handshakes with their 50 ms waits and eight blocks of nineteen bytes.
double ScanAndReadFloorMs() {
  auto wire = [](int bytes) { return static_cast<double>(vor::WireTimeUs(bytes)) / 1000; };
  const double scan = wire(19) + 5 + wire(3 + 6) + 20;
  const double read = 2 * (50 + 5 + wire(3 + 3) + 20) + 8 * (5 + wire(6 + 19));
  return scan + read;
}

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  QProcess sim;
  const QString device = StartSimulator(sim);
  if (device.isEmpty()) return 1;

  vor::QtPortSystem ports;
  vor::SteadyClock clock;
  AnswerOk prompter;
  vor::ControllerLink link(ports, clock, prompter);
  link.SetPortOverride({device});
  vor::ProgramState state;
  BenchServices services(ports);
  vor::CVORUserDlg window(state, link, prompter, vor::CreatePages(state, prompter, link),
                          services.services);

  StallMeter meter;
  QElapsedTimer startUp;
  meter.Start();
  startUp.start();
  const bool started = window.OnInitDialog();
  const double startUpMs = static_cast<double>(startUp.nsecsElapsed()) / 1e6;
  meter.Stop();
  if (!started) {
    std::fprintf(stderr, "start-up failed on %s\n", qPrintable(device));
    return 1;
  }
  meter.Report("start-up");
  const double floorMs = ScanAndReadFloorMs();
  std::printf("start-up to the Vehicle page %.1f ms, floor %.1f ms, ratio %.3f\n", startUpMs,
              floorMs, startUpMs / floorMs);

  meter.Start();
  window.OnPageCommand(vor::kIdReadButton);
  meter.Stop();
  meter.Report("read");

  meter.Start();
  window.OnPageCommand(vor::kIdWriteButton);
  meter.Stop();
  meter.Report("write");

  sim.terminate();
  sim.waitForFinished(5000);
  return 0;
}

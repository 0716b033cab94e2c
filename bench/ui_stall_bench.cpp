// The desktop program's start-up, Read and Write against vor-sim over a pseudo-terminal: how
// long the user-interface thread is ever kept from its event loop, and how long start-up takes
// against the protocol's floor for the scan and the first read.
//
// A 10 ms timer on the user-interface thread records the gap between its ticks; any gap beyond
// its period is time the window could not repaint. Runs on the offscreen platform.
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/sim_process.h"
#include "link/controller_link.h"
#include "link/qt_serial_port.h"
#include "mainwindow/main_window.h"
#include "mainwindow/menu_dialogs.h"
#include "resources/dialog_templates.h"
#include "simulator/wire_timing.h"

namespace {

class AnswerOk : public vor::Prompter {
public:
  using Prompter::Ask;
  vor::Answer Ask(int, vor::Buttons, vor::Icon) override { return vor::Answer::Ok; }
};

// The menus are not used here.
class NoDialogs : public vor::MenuDialogs {
public:
  QString OpenFileName(const QString&, const QString&, const QString&) override { return {}; }
  QString SaveFileName(const QString&, const QString&, const QString&) override { return {}; }
  bool ShowDifferences(const vor::ImageDifferences&, bool) override { return true; }
  void ShowReport(const QString&, const QString&) override {}
  bool OpenFolder(const QString&) override { return false; }
};

// Gaps between the ticks of a 10 ms timer, in milliseconds.
class StallMeter {
public:
  StallMeter() {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      const double now = static_cast<double>(clock_.nsecsElapsed()) / 1e6;
      gaps_.push_back(now - last_);
      last_ = now;
    });
  }
  void Start() {
    gaps_.clear();
    clock_.start();
    last_ = 0;
    timer_.start();
  }
  void Stop() { timer_.stop(); }
  void Report(const char* phase) const {
    std::vector<double> sorted = gaps_;
    std::sort(sorted.begin(), sorted.end());
    const double p99 = sorted.empty() ? 0 : sorted[sorted.size() * 99 / 100];
    const double worst = sorted.empty() ? 0 : sorted.back();
    std::printf(
        "%-8s ticks %4zu  largest gap %6.2f ms  p99 %6.2f ms  (stall beyond the 10 ms "
        "period: %.2f ms)\n",
        phase, sorted.size(), worst, p99, std::max(0.0, worst - 10));
  }

private:
  QTimer timer_;
  QElapsedTimer clock_;
  double last_ = 0;
  std::vector<double> gaps_;
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
  QObject uiContext;
  vor::ControllerLink link(ports, clock, prompter, &uiContext);
  link.SetPortOverride({device});
  vor::ProgramState state;
  // Settings and the backups every Write takes go to a folder of the run's own.
  QTemporaryDir scratch;
  QSettings settings(scratch.filePath("settings.ini"), QSettings::IniFormat);
  NoDialogs dialogs;
  const vor::WindowServices services{dialogs, settings, scratch.filePath("backups"), ports, {}};
  vor::CVORUserDlg window(state, link, prompter, vor::CreatePages(state, prompter, link), services);

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

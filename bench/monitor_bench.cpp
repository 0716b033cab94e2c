// The Monitor page of the desktop program against vor-sim over a pseudo-terminal, for a minute
// (or SECONDS, the first argument): how well the poll keeps its 200 ms rhythm, what it costs in
// CPU time and memory, whether the window ever stutters, and how soon after a page button's click
// the last Monitor frame has left the line, with a controller that answers and with a silent one.
// With --tools the live plot of four items and the fault history are open and a recording runs
// meanwhile; --buffer-seconds N shortens the plot's ten-minute buffers to N seconds, so that a
// shorter run shows whether memory still grows once they are full.
//
//   monitor_bench [SECONDS] [--tools] [--buffer-seconds N]
//
// The rhythm is read from the wire: the time each poll's first request (1B) was handed to the
// port. The CPU time is this process's (vor-sim runs as a process of its own); the 10 ms timer
// that watches the event loop costs some of it, so it is measured alone first and reported
// apart. Runs on the offscreen platform, with the window shown.
#include <malloc.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_window.h"
#include "bench/sim_process.h"
#include "bench/stall_meter.h"
#include "link/controller_link.h"
#include "link/qt_serial_port.h"
#include "link/wire_timing.h"
#include "live/live_plot_window.h"
#include "live/live_tools.h"
#include "mainwindow/main_window.h"
#include "monitor/monitor_poll.h"
#include "resources/dialog_builder.h"

namespace {

constexpr double kPeriodMs = vor::MonitorPoll::kPeriodMs;
constexpr int kClicks = 20;

class AnswerOk : public vor::Prompter {
public:
  using Prompter::Ask;
  vor::Answer Ask(int, vor::Buttons, vor::Icon) override { return vor::Answer::Ok; }
};

double NowMs() {
  using namespace std::chrono;
  return static_cast<double>(
             duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count()) /
         1000;
}

double CpuMs() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

double ResidentKiB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1024;
}

double HeapInUseKiB() { return static_cast<double>(mallinfo2().uordblks) / 1024; }

// The resident memory that is not pages of files (the libraries' code, fonts): what the program
// itself has written.
double AnonymousResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("RssAnon:", 0) == 0) return std::atof(line.c_str() + 8);
  }
  return 0;
}

// When each live request was handed to the port; written on the link thread.
class LiveWire : public vor::FrameObserver {
public:
  void FrameSent(std::span<const std::uint8_t> bytes) override {
    const std::uint8_t command = bytes[0];
    if (command != 0x1B && command != 0x33 && command != 0x34) return;
    std::lock_guard lock(mutex_);
    sent_.push_back({command, NowMs()});
  }
  void FrameReceived(std::span<const std::uint8_t>, vor::Received) override {}

  struct Sent {
    std::uint8_t command;
    double atMs;
  };
  std::vector<Sent> Snapshot() const {
    std::lock_guard lock(mutex_);
    return sent_;
  }
  void Clear() {
    std::lock_guard lock(mutex_);
    sent_.clear();
  }
  // As StallMeter::Reserve: the log's own memory is not the program's.
  void Reserve(std::size_t frames) {
    std::lock_guard lock(mutex_);
    sent_.assign(frames, Sent{});
    sent_.clear();
  }

private:
  mutable std::mutex mutex_;
  std::vector<Sent> sent_;
};

// Runs the event loop for `ms`, asleep while there is nothing to do.
void RunEvents(double ms) {
  QEventLoop loop;
  QTimer::singleShot(static_cast<int>(ms), Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

double Percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[std::min(values.size() - 1, static_cast<std::size_t>(p * values.size()))];
}

// The program on one simulator: link, window and the wire log, past start-up.
struct Program {
  explicit Program(const QString& device) {
    link.SetPortOverride({device});
    link.SetObserver(&wire);
    window.show();
  }
  ~Program() { link.SetObserver(nullptr); }
  bool StartUp() { return window.OnInitDialog(); }
  void Click(int id) { vor::FindButton(&window, id)->click(); }

  vor::QtPortSystem ports;
  vor::SteadyClock clock;
  AnswerOk prompter;
  vor::ControllerLink link{ports, clock, prompter};
  LiveWire wire;
  vor::ProgramState state;
  BenchServices services{ports};
  vor::CVORUserDlg window{state, link, prompter, vor::CreatePages(state, prompter, link),
                          services.services};
};

struct ClickTimes {
  std::vector<double> lastFrameMs;  // from the click to the end on the line of the last request
  std::vector<double> returnMs;     // from the click to the return of its handler (the hide)
};

// Clicks into the Monitor page and out of it again `kClicks` times, leaving at a different moment
// of the poll each time; `stall` watches the event loop meanwhile.
ClickTimes MeasureClicks(Program& program, StallMeter& stall) {
  std::mt19937 random(9);
  std::uniform_real_distribution<double> phase(250, 250 + 2 * kPeriodMs);
  const double requestOnWireMs = static_cast<double>(vor::WireTimeUs(3)) / 1000;
  ClickTimes times;
  stall.Start();
  for (int i = 0; i < kClicks; ++i) {
    program.wire.Clear();
    program.Click(vor::kIdMonitorButton);
    RunEvents(phase(random));
    const double clickMs = NowMs();
    program.Click(vor::kIdVehicleButton);
    times.returnMs.push_back(NowMs() - clickMs);
    RunEvents(3 * kPeriodMs);  // anything still to come would come now
    const std::vector<LiveWire::Sent> sent = program.wire.Snapshot();
    const double lastEndMs = sent.empty() ? clickMs : sent.back().atMs + requestOnWireMs;
    times.lastFrameMs.push_back(std::max(0.0, lastEndMs - clickMs));
  }
  stall.Stop();
  return times;
}

void ReportClicks(const char* controller, const ClickTimes& times, const StallMeter& stall) {
  std::printf(
      "%-9s controller, %d clicks from Monitor to Vehicle: last Monitor frame on the wire after "
      "the click: median %.2f ms, max %.2f ms (goal <= 20 ms); the click returned after median "
      "%.2f ms, max %.2f ms; longest stall %.2f ms\n",
      controller, kClicks, Percentile(times.lastFrameMs, 0.5), Percentile(times.lastFrameMs, 1.0),
      Percentile(times.returnMs, 0.5), Percentile(times.returnMs, 1.0), stall.LongestStallMs());
}

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  double seconds = 60;
  bool tools = false;
  int bufferSeconds = vor::LiveSeries::kCapacity / 5;
  for (int i = 1; i < argc; ++i) {
    const QByteArray arg = argv[i];
    if (arg == "--tools") {
      tools = true;
    } else if (arg == "--buffer-seconds" && i + 1 < argc) {
      bufferSeconds = std::max(1, std::atoi(argv[++i]));
    } else {
      seconds = std::max(5.0, std::atof(argv[i]));
    }
  }

  QProcess sim;
  const QString device = StartSimulator(sim);
  if (device.isEmpty()) return 1;
  StallMeter stall;
  {
    Program program(device);
    if (!program.StartUp()) {
      std::fprintf(stderr, "start-up failed on %s\n", qPrintable(device));
      return 1;
    }

    // What the event-loop watch costs on its own, with the Vehicle page shown.
    stall.Start();
    const double idleCpu0 = CpuMs();
    const double idleWall0 = NowMs();
    RunEvents(5000);
    const double idleCpuPercent = 100 * (CpuMs() - idleCpu0) / (NowMs() - idleWall0);
    stall.Stop();

    QString recordingPath;
    if (tools) {
      program.window.Tools().SetPlotCapacity(bufferSeconds * 1000 / int(kPeriodMs));
      recordingPath = program.services.scratch.filePath("live.csv");
      program.services.dialogs.saveTo = recordingPath;
      program.window.OnMenuCommand(vor::MenuCommand::RecordLiveData);
      program.window.OnMenuCommand(vor::MenuCommand::ViewLivePlot);
      program.window.OnMenuCommand(vor::MenuCommand::ViewFaultHistory);
      vor::LivePlotWindow* plot = program.window.Tools().PlotWindow();
      const std::vector<vor::PlotItem>& items = program.window.Tools().PlotData()->Items();
      for (std::size_t i = 0; i < items.size() && plot->PlottedLabels().size() < 4; ++i) {
        plot->AddItem(items[i].label);
      }
      if (!program.window.Tools().Recording() || plot->PlottedLabels().size() != 4) {
        std::fprintf(stderr, "the live tools did not start\n");
        return 1;
      }
      std::printf(
          "with the live plot of %s, the fault history and a recording; plot buffers "
          "of %d s\n",
          qPrintable(plot->PlottedLabels().join(", ")), bufferSeconds);
    }

    // The Monitor page for the whole run.
    const auto periods = static_cast<std::size_t>(seconds * 1000 / kPeriodMs) + 100;
    program.wire.Reserve(3 * periods);
    stall.Reserve(periods * static_cast<std::size_t>(kPeriodMs / StallMeter::kPeriodMs));
    const double rssStart = ResidentKiB();
    stall.Start();
    const double cpu0 = CpuMs();
    const double wall0 = NowMs();
    program.Click(vor::kIdMonitorButton);
    // A sample after the first seconds tells a one-time warm-up (glyph caches, first paints)
    // from growth that goes on.
    constexpr double kWarmUpMs = 5000;
    RunEvents(kWarmUpMs);
    const double rssWarm = ResidentKiB();
    // Once the plot's buffers are full, nothing the tools keep should grow any more.
    const double fullMs = double(bufferSeconds) * 1000 + kWarmUpMs;
    double rssFull = 0;
    if (tools && fullMs < seconds * 1000) {
      RunEvents(fullMs - kWarmUpMs);
      rssFull = ResidentKiB();
      // A trace of both figures tells the allocator's and the caches' settling from a leak: the
      // heap in use is what the program holds, resident memory also what malloc keeps.
      const double heapFull = HeapInUseKiB();
      const double anonymousFull = AnonymousResidentKiB();
      for (double atMs = fullMs; atMs < seconds * 1000; atMs += 60'000) {
        RunEvents(std::min(60'000.0, seconds * 1000 - atMs));
        std::printf(
            "  after %4.0f s, since the buffers were full: resident %+5.0f KiB (anonymous "
            "%+5.0f KiB), heap in use %+5.0f KiB\n",
            (NowMs() - wall0) / 1000, ResidentKiB() - rssFull,
            AnonymousResidentKiB() - anonymousFull, HeapInUseKiB() - heapFull);
      }
    } else {
      RunEvents(seconds * 1000 - kWarmUpMs);
    }
    program.Click(vor::kIdVehicleButton);
    const double wallMs = NowMs() - wall0;
    const double cpuPercent = 100 * (CpuMs() - cpu0) / wallMs;
    stall.Stop();
    const double rssEnd = ResidentKiB();

    std::vector<double> starts;
    for (const LiveWire::Sent& sent : program.wire.Snapshot()) {
      if (sent.command == 0x1B) starts.push_back(sent.atMs);
    }
    if (starts.size() < 3) {
      std::fprintf(stderr, "too few polls (%zu)\n", starts.size());
      return 1;
    }
    std::vector<double> deviations;
    for (std::size_t i = 1; i < starts.size(); ++i) {
      deviations.push_back(std::fabs(starts[i] - starts[i - 1] - kPeriodMs));
    }
    const double rateHz =
        static_cast<double>(starts.size() - 1) / ((starts.back() - starts.front()) / 1000);

    std::printf("Monitor page on vor-sim at %s for %.0f s\n", qPrintable(device), wallMs / 1000);
    std::printf("poll rate %.3f Hz (%zu polls; goal 5.00 Hz within 1 %%, %+.2f %%)\n", rateHz,
                starts.size(), 100 * (rateHz - 5) / 5);
    std::printf(
        "period deviation from 200 ms: p50 %.2f ms  p99 %.2f ms  max %.2f ms  (goal p99 <= 10 "
        "ms)\n",
        Percentile(deviations, 0.5), Percentile(deviations, 0.99), Percentile(deviations, 1.0));
    std::printf(
        "cpu %.3f %% of a core; the event-loop watch alone %.3f %%, so the program %.3f %% "
        "(goal <= %d %%)\n",
        cpuPercent, idleCpuPercent, cpuPercent - idleCpuPercent, tools ? 2 : 1);
    std::printf("longest stall of the event loop %.2f ms (goal <= 16 ms)\n",
                stall.LongestStallMs());
    std::printf(
        "resident memory %.0f KiB at the start, %.0f KiB after 5 s, %.0f KiB at the end "
        "(%+.0f KiB since 5 s; goal: no growth)\n",
        rssStart, rssWarm, rssEnd, rssEnd - rssWarm);
    if (rssFull > 0) {
      std::printf(
          "resident memory %.0f KiB once the plot's buffers were full (after %.0f s), "
          "%+.0f KiB since\n",
          rssFull, fullMs / 1000, rssEnd - rssFull);
    }
    if (tools) {
      std::printf("recording: %lld rows, %lld bytes\n",
                  static_cast<long long>(program.window.Tools().RecordedRows()),
                  static_cast<long long>(QFileInfo(recordingPath).size()));
      program.window.OnMenuCommand(vor::MenuCommand::StopRecording);
    }

    ReportClicks("answering", MeasureClicks(program, stall), stall);
  }

  QProcess silentSim;
  const QString silentDevice = StartSimulator(
      silentSim, {"--fault", "silent:1b", "--fault", "silent:33", "--fault", "silent:34"});
  if (silentDevice.isEmpty()) return 1;
  {
    Program program(silentDevice);
    if (!program.StartUp()) {
      std::fprintf(stderr, "start-up failed on %s\n", qPrintable(silentDevice));
      return 1;
    }
    ReportClicks("silent", MeasureClicks(program, stall), stall);
  }

  for (QProcess* process : {&sim, &silentSim}) {
    process->terminate();
    process->waitForFinished(5000);
  }
  return 0;
}

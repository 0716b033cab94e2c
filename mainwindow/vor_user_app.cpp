#include "mainwindow/vor_user_app.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileDialog>
#include <QSet>
#include <QSettings>
#include <QShortcut>
#include <cstdio>
#include <memory>

#include "link/controller_link.h"
#include "link/frame_trace.h"
#include "link/port_diagnostics.h"
#include "link/qt_serial_port.h"
#include "mainwindow/busy_dialog.h"
#include "mainwindow/main_window.h"
#include "monitor/live_tools.h"
#include "monitor/monitor_page.h"
#include "simulator/pty_controller.h"
#include "simulator/sim_image.h"
#include "simulator/simulated_controller.h"

namespace vor {
namespace {

// A simulated controller on a pseudo-terminal inside this process.
struct Simulation {
  std::unique_ptr<SimulatedController> controller;
  std::unique_ptr<PtyController> pty;
};

std::optional<Simulation> StartSimulation(const QString& modelCode) {
  SimImageOptions imageOptions;
  imageOptions.modelCode = modelCode;
  QString error;
  const std::optional<ConfigImage> image = SimulatorImage(imageOptions, error);
  if (!image) {
    std::fprintf(stderr, "vor-user: %s\n", qPrintable(error));
    return std::nullopt;
  }
  Simulation simulation;
  simulation.controller = std::make_unique<SimulatedController>(*image);
  simulation.pty = std::make_unique<PtyController>(*simulation.controller);
  if (!simulation.pty->Start(error)) {
    std::fprintf(stderr, "vor-user: %s\n", qPrintable(error));
    return std::nullopt;
  }
  return simulation;
}

}  // namespace

bool ParseCommandLine(const QStringList& arguments, AppOptions& options, int& exitCode) {
  QCommandLineParser parser;
  parser.setApplicationDescription("Configures and watches the motor controller.");
  const QCommandLineOption helpOption({"h", "help"}, "Show this help.");
  const QCommandLineOption versionOption("version", "Show the version.");
  const QCommandLineOption simulateOption(
      "simulate",
      "Talk to a simulated controller of model CODE (default VOR) built into the program "
      "instead of the serial ports. Write it as --simulate or --simulate=CODE.",
      "CODE");
  const QCommandLineOption portOption(
      "port", "Try only this serial port (repeatable, in order) instead of all.", "PATH");
  const QCommandLineOption traceOption("trace", "Print every frame sent and received to stderr.");
  parser.addOptions({helpOption, versionOption, simulateOption, portOption, traceOption});

  // "--simulate" alone takes no value; QCommandLineParser wants one, so give it the default.
  QStringList args;
  for (const QString& argument : arguments) {
    args.append(argument == u"--simulate" ? QStringLiteral("--simulate=VOR") : argument);
  }
  if (!parser.parse(args)) {
    std::fprintf(stderr, "vor-user: %s\nTry 'vor-user --help'.\n", qPrintable(parser.errorText()));
    exitCode = 2;
    return false;
  }
  if (parser.isSet(helpOption)) {
    std::printf("%s", qPrintable(parser.helpText()));
    exitCode = 0;
    return false;
  }
  if (parser.isSet(versionOption)) {
    std::printf("vor-user %s\n", qPrintable(QCoreApplication::applicationVersion()));
    exitCode = 0;
    return false;
  }
  if (!parser.positionalArguments().isEmpty()) {
    std::fprintf(stderr, "vor-user: unexpected argument \"%s\"\nTry 'vor-user --help'.\n",
                 qPrintable(parser.positionalArguments().first()));
    exitCode = 2;
    return false;
  }
  if (parser.isSet(simulateOption)) options.simulateModel = parser.value(simulateOption);
  options.ports = parser.values(portOption);
  options.trace = parser.isSet(traceOption);
  return true;
}

int CVORUserApp::InitInstance(const AppOptions& options, Prompter& prompter) {
  if (prompter.Ask(kMsgMotorRunningWarning, Buttons::YesNo, Icon::Warning) != Answer::Yes) {
    return 0;
  }

  std::optional<Simulation> simulation;
  if (options.simulateModel) {
    simulation = StartSimulation(*options.simulateModel);
    if (!simulation) return 1;
  }

  QtPortSystem ports;
  SteadyClock clock;
  QObject uiContext;
  ControllerLink link(ports, clock, prompter, &uiContext);
  // The simulated controller is the only port tried: nothing goes to the machine's real ports.
  link.SetPortOverride(simulation ? QStringList{simulation->pty->DevicePath()} : options.ports);
  // Why a port could not be opened goes to stderr once per port: a port that is merely missing
  // is no news, one that is busy or forbidden usually explains a failing scan.
  QSet<QString> hinted;
  link.SetOpenFailureHandler([&hinted](const QString& path, OpenStatus status) {
    if (status == OpenStatus::Missing || hinted.contains(path)) return;
    hinted.insert(path);
    std::fprintf(stderr, "vor-user: cannot open %s: %s\n", qPrintable(path),
                 qPrintable(OpenFailureReason(path, status)));
  });
  link.SetScanFailedHandler([] {
    if (const QString warning = PortGrabberWarning(); !warning.isEmpty()) {
      std::fprintf(stderr, "vor-user: %s\n", qPrintable(warning));
    }
  });
  std::unique_ptr<FrameTrace> trace;
  if (options.trace) {
    trace = std::make_unique<FrameTrace>(clock, stderr);
    link.SetObserver(trace.get());
  }

  ProgramState state;
  CVORUserDlg window(state, link, prompter, CreatePages(state, prompter, link));
  BusyDialog busy(&window);
  link.SetBusyIndicator(&busy);

  QSettings settings(QSettings::NativeFormat, QSettings::UserScope,
                     QCoreApplication::applicationName(), QCoreApplication::applicationName());
  const LiveToolServices toolServices{
      prompter, settings,
      [](const QString& caption, const QString& filter, const QString& suggested) {
        return QFileDialog::getSaveFileName(QApplication::activeWindow(), caption, suggested,
                                            filter);
      },
      [] { return QDateTime::currentDateTime(); }};

  if (window.OnInitDialog()) {
    CMonitor1Dlg* monitor = nullptr;
    for (const CVORUserDlg::PageEntry& entry : window.pageList) {
      if (entry.key == CVORUserDlg::kMonitorPage) monitor = qobject_cast<CMonitor1Dlg*>(entry.page);
    }
    std::unique_ptr<LiveTools> tools;
    if (monitor) {
      tools = std::make_unique<LiveTools>(state, *monitor, toolServices, &window);
      const auto shortcut = [&window](QKeySequence keys, auto action) {
        QObject::connect(new QShortcut(keys, &window), &QShortcut::activated, &window, action);
      };
      LiveTools* t = tools.get();
      shortcut(QKeySequence(Qt::CTRL | Qt::Key_L), [t] { t->ShowLivePlot(); });
      shortcut(QKeySequence(Qt::CTRL | Qt::Key_H), [t] { t->ShowFaultHistory(); });
      shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R), [t] {
        if (t->Recording()) {
          t->StopRecording();
        } else {
          t->StartRecording();
        }
      });
    }
    window.exec();
  }
  link.SetBusyIndicator(nullptr);
  return 0;
}

}  // namespace vor

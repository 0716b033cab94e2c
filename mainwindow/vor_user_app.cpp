#include "mainwindow/vor_user_app.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QScreen>
#include <QSet>
#include <QSettings>
#include <cstdio>
#include <memory>

#include "files/backup_store.h"
#include "files/image_file.h"
#include "link/controller_link.h"
#include "link/frame_trace.h"
#include "link/port_advice.h"
#include "link/port_diagnostics.h"
#include "link/qt_serial_port.h"
#include "mainwindow/busy_dialog.h"
#include "mainwindow/cross_thread_prompter.h"
#include "mainwindow/main_window.h"
#include "mainwindow/qt_menu_dialogs.h"
#include "mainwindow/scrolling_frame.h"
#include "resources/language.h"
#include "simulator/sim_image.h"
#include "simulator/simulated_connection.h"
#include "simulator/simulated_controller.h"

namespace vor {
namespace {

// A simulated controller inside this process, on a pseudo-terminal or a line of its own.
struct Simulation {
  std::unique_ptr<SimulatedController> controller;
  std::unique_ptr<SimulatedConnection> connection;
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
  simulation.connection = SimulatedConnection::Start(*simulation.controller, error);
  if (!simulation.connection) {
    std::fprintf(stderr, "vor-user: %s\n", qPrintable(error));
    return std::nullopt;
  }
  return simulation;
}

}  // namespace

bool ParseCommandLine(const QStringList& arguments, AppOptions& options, int& exitCode) {
  // The help texts speak the user's language; option and value names stay as they are typed.
  QCommandLineParser parser;
  parser.setApplicationDescription(QCoreApplication::translate(
      "vor::VorUserCommandLine", "Configures and watches the motor controller."));
  const QCommandLineOption helpOption(
      {"h", "help"}, QCoreApplication::translate("vor::VorUserCommandLine", "Show this help."));
  const QCommandLineOption versionOption(
      "version", QCoreApplication::translate("vor::VorUserCommandLine", "Show the version."));
  const QCommandLineOption simulateOption(
      "simulate",
      QCoreApplication::translate(
          "vor::VorUserCommandLine",
          "Talk to a simulated controller of model CODE (default VOR) built into the program "
          "instead of the serial ports. Write it as --simulate or --simulate=CODE."),
      "CODE");
  const QCommandLineOption portOption(
      "port",
      QCoreApplication::translate(
          "vor::VorUserCommandLine",
          "Try only this serial port (repeatable, in order) instead of all."),
      "PATH");
  const QCommandLineOption traceOption(
      "trace", QCoreApplication::translate("vor::VorUserCommandLine",
                                           "Print every frame sent and received to stderr."));
  const QCommandLineOption imageOption(
      "image",
      QCoreApplication::translate(
          "vor::VorUserCommandLine",
          "Start without a controller, on the 128-byte configuration in FILE: view and edit it "
          "and save it with the File menu."),
      "FILE");
  const QCommandLineOption languageOption = LanguageOption();
  parser.addOptions({helpOption, versionOption, simulateOption, portOption, traceOption,
                     imageOption, languageOption});

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
  if (const QString error = LanguageOptionError(parser, languageOption); !error.isEmpty()) {
    std::fprintf(stderr, "vor-user: %s\nTry 'vor-user --help'.\n", qPrintable(error));
    exitCode = 2;
    return false;
  }
  if (!parser.positionalArguments().isEmpty()) {
    std::fprintf(stderr, "vor-user: unexpected argument \"%s\"\nTry 'vor-user --help'.\n",
                 qPrintable(parser.positionalArguments().first()));
    exitCode = 2;
    return false;
  }
  if (parser.isSet(imageOption) && (parser.isSet(simulateOption) || parser.isSet(portOption))) {
    std::fprintf(stderr,
                 "vor-user: --image goes without a controller, so not with --simulate or --port\n"
                 "Try 'vor-user --help'.\n");
    exitCode = 2;
    return false;
  }
  if (parser.isSet(imageOption)) options.imagePath = parser.value(imageOption);
  if (parser.isSet(simulateOption)) options.simulateModel = parser.value(simulateOption);
  options.ports = parser.values(portOption);
  options.trace = parser.isSet(traceOption);
  return true;
}

int CVORUserApp::InitInstance(const AppOptions& options, Prompter& prompter) {
  // Without a controller no motor can run under the program: no warning then.
  std::optional<ConfigImage> fileImage;
  if (options.imagePath) {
    ConfigImage image;
    QString error;
    if (!LoadImageFile(*options.imagePath, image, error)) {
      prompter.AskText(
          QCoreApplication::translate("vor::CVORUserApp", "The configuration was not opened: %1.")
              .arg(error),
          Buttons::Ok, Icon::Warning);
      return 1;
    }
    fileImage = image;
  } else if (prompter.Ask(kMsgMotorRunningWarning, Buttons::YesNo, Icon::Warning) != Answer::Yes) {
    return 0;
  }

  std::optional<Simulation> simulation;
  if (options.simulateModel) {
    simulation = StartSimulation(*options.simulateModel);
    if (!simulation) return 1;
  }

  // Everything the link points to is made before it and so outlives it: the link thread may
  // still be ending a poll being cut short while the window goes, and the link's destructor
  // waits for that.
  QtPortSystem machinePorts;
  PortSystem& ports = simulation ? simulation->connection->Ports(machinePorts) : machinePorts;
  SteadyClock clock;
  // The scan asks its messages on the link thread; they are shown on this one.
  CrossThreadPrompter linkPrompter(prompter);
  // Why a port could not be opened goes to stderr once per port: a port of the scan that is
  // merely missing is no news, one that is busy or forbidden usually explains a failing scan, and
  // a port the user named that does not exist is most likely mistyped.
  const bool portsNamed = !options.ports.isEmpty() && !simulation;
  QSet<QString> hinted;
  std::unique_ptr<FrameTrace> trace;
  if (options.trace) trace = std::make_unique<FrameTrace>(clock, stderr);

  ControllerLink link(ports, clock, linkPrompter);
  // The simulated controller is the only port tried: nothing goes to the machine's real ports.
  link.SetPortOverride(simulation ? QStringList{simulation->connection->DevicePath()}
                                  : options.ports);
  link.SetOpenFailureHandler([&hinted, portsNamed](const QString& path, OpenStatus status) {
    if ((status == OpenStatus::Missing && !portsNamed) || hinted.contains(path)) return;
    hinted.insert(path);
    std::fprintf(stderr, "vor-user: cannot open %s: %s\n", qPrintable(path),
                 qPrintable(OpenFailureReason(path, status)));
  });
  link.SetScanFailedHandler([] {
    if (const QString warning = ScanFailureAdvice(); !warning.isEmpty()) {
      std::fprintf(stderr, "vor-user: %s\n", qPrintable(warning));
    }
  });
  if (trace) link.SetObserver(trace.get());

  QtMenuDialogs dialogs([] { return QApplication::activeWindow(); });
  QSettings settings(QSettings::NativeFormat, QSettings::UserScope,
                     QCoreApplication::applicationName(), QCoreApplication::applicationName());
  QtPortSystem troubleshootingPorts;  // used on this thread, apart from the link's
  const WindowServices services{dialogs, settings, BackupsFolder(), troubleshootingPorts,
                                options.ports};

  ProgramState state;
  CVORUserDlg window(state, link, prompter, CreatePages(state, prompter, link), services);
  BusyDialog busy(&window);
  link.SetWaitPolicy(&busy);

  const bool started =
      fileImage ? window.OnInitFromImage(*fileImage, *options.imagePath) : window.OnInitDialog();
  if (started) {
    // On a screen too small for the window (a laptop at 150 % or more), it scrolls in a frame
    // that fits: every control stays within reach.
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    std::unique_ptr<ScrollingFrame> frame;
    if (screen && !FitsOnScreen(window.size(), screen->availableGeometry())) {
      frame = std::make_unique<ScrollingFrame>(&window, screen->availableGeometry());
      frame->show();
    }
    window.exec();
  }
  // The busy dialog goes before the link, whose last job closes the port.
  link.SetWaitPolicy(nullptr);
  return started || !fileImage ? 0 : 1;
}

}  // namespace vor

// vor-cli: the controller link from the command line, for scripts, diagnostics and backups.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <memory>

#include "cli/apply_command.h"
#include "cli/describe_command.h"
#include "cli/diff_command.h"
#include "cli/history_command.h"
#include "cli/image_commands.h"
#include "cli/link_session.h"
#include "cli/monitor_command.h"
#include "cli/report_command.h"
#include "cli/set_command.h"
#include "cli/standard_output.h"
#include "cli/zero_command.h"
#include "files/native_path.h"
#include "report/report_settings.h"
#include "resources/language.h"
#include "simulator/sim_image.h"
#include "simulator/simulated_connection.h"
#include "simulator/simulated_controller.h"

namespace {

constexpr const char* kCommands = QT_TRANSLATE_NOOP(
    "VorCliHelp",
    "Commands:\n"
    "  scan                     find the controller and print its device path\n"
    "  read [--out FILE]        read the configuration; print it as hex or save the 128 bytes\n"
    "  write --in FILE [--force]\n"
    "                           write a 128-byte image, then read it back and compare;\n"
    "                           refuses an image that needs other definitions than the\n"
    "                           controller's, of another controller (serial number), or with\n"
    "                           a value out of its range, unless --force\n"
    "  describe [--image FILE] [--json]\n"
    "                           print the model's definitions and the values the pages show\n"
    "                           for the controller's image or FILE\n"
    "  diff FILE [FILE2] [--json]\n"
    "                           list the switches and parameters whose values differ between\n"
    "                           FILE and the controller, or FILE2; exit 0 when equal, 1 when\n"
    "                           they differ\n"
    "  set NAME=VALUE... [--dry-run]\n"
    "                           change parameters of the Vehicle, Control and Motor pages by\n"
    "                           their labels, checked as the pages check them; write, verify\n"
    "                           and print what changed; check boxes take 0 or 1\n"
    "  apply FILE [--dry-run] [--json]\n"
    "                           write FILE's switches and parameters of the three pages onto\n"
    "                           the controller's configuration; of another controller's file\n"
    "                           its identification, phase zero offsets and the bytes no page\n"
    "                           shows are not taken; verify and print what changed\n"
    "  zero [--update] [--json]\n"
    "                           read the phase zero offsets three times and print per phase\n"
    "                           the lowest value and the readings; with --update write the\n"
    "                           lowest values into the configuration, verify and print what\n"
    "                           changed\n"
    "  monitor [--count N] [--json]\n"
    "                           poll the live data every 200 ms as the Monitor page does and\n"
    "                           print a CSV line (or a JSON object) per poll until N polls or\n"
    "                           Ctrl+C\n"
    "  history [--serial N] [--json]\n"
    "                           print the service history, newest first: every write to a\n"
    "                           controller, of controller N only when given, with what it\n"
    "                           changed and whether it took\n"
    "  report --out FILE.pdf [--since TIME] [--paper a4|letter]\n"
    "         [--workshop NAME] [--technician NAME]\n"
    "                           make the visit report of the controller as a PDF: its changes\n"
    "                           since TIME (an ISO date or date and time; default today) and its\n"
    "                           configuration as it stands; workshop, technician and paper are\n"
    "                           kept as the desktop program's File > Service Report keeps them\n"
    "write, set, apply and zero --update back up the controller's configuration first, into the\n"
    "desktop program's backups folder, and write nothing when that fails, unless --write-anyway;\n"
    "each records the write and what came of it in the service history beside that folder.\n"
    "set, apply and write refuse a value out of its range with the page's message.");

// The texts of --help, in the user's language.
struct Help {
  Q_DECLARE_TR_FUNCTIONS(VorCliHelp)
};

int Usage(const QString& message) {
  vor::cli::PrintError(message);
  std::fprintf(stderr, "Try 'vor-cli --help'.\n");
  return vor::cli::kExitUsage;
}

// A report draws its PDF with Qt Gui's fonts, which need a QGuiApplication; every other command
// runs on the core alone. Decided before the arguments are parsed, since the application comes
// first.
bool MakesReport(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    if (qstrcmp(argv[i], "report") == 0) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  const bool makesReport = MakesReport(argc, argv);
  if (makesReport) vor::cli::ChooseReportPlatform();
  const std::unique_ptr<QCoreApplication> app =
      makesReport ? std::make_unique<QGuiApplication>(argc, argv)
                  : std::make_unique<QCoreApplication>(argc, argv);
  vor::cli::FailOnLostStandardOutput();
  vor::cli::ShowUtf8InConsole();
  QCoreApplication::setApplicationName("vor-cli");
  QCoreApplication::setApplicationVersion("1.0.0.1");
  // --help speaks the user's language; what the commands print stays English for scripts.
  std::unique_ptr<vor::Translation> translation =
      vor::StartTranslation(QCoreApplication::arguments());

  QCommandLineParser parser;
  parser.setApplicationDescription(Help::tr("Talks to the controller over a serial port.") +
                                   QStringLiteral("\n\n") + Help::tr(kCommands));
  const QCommandLineOption helpOption = parser.addHelpOption();
  const QCommandLineOption versionOption = parser.addVersionOption();
  const QCommandLineOption portOption(
      "port", Help::tr("Try only this serial port (repeatable, in order) instead of scanning all."),
      "PATH");
  const QCommandLineOption traceOption("trace",
                                       Help::tr("Print every frame sent and received to stderr."));
  const QCommandLineOption outOption(
      "out",
      Help::tr("read: save the image to FILE (- for standard output); report: the PDF to make."),
      "FILE");
  const QCommandLineOption inOption("in", Help::tr("write: the image to write."), "FILE");
  const QCommandLineOption forceOption(
      "force", Help::tr("write: even when the image needs other definitions than the "
                        "controller's, is of another controller, or holds a value out of its "
                        "range."));
  const QCommandLineOption writeAnywayOption(
      "write-anyway",
      Help::tr("write, set, apply, zero --update: write even when the controller's configuration "
               "cannot be backed up first."));
  const QCommandLineOption imageOption("image", Help::tr("describe: take the image from FILE."),
                                       "FILE");
  const QCommandLineOption jsonOption(
      "json",
      Help::tr("describe, diff, zero, apply: print one JSON object; monitor: one JSON object per "
               "poll; history: one JSON array of the records."));
  const QCommandLineOption updateOption(
      "update", Help::tr("zero: write the lowest values into the controller's configuration."));
  const QCommandLineOption countOption("count", Help::tr("monitor: stop after N polls."), "N");
  const QCommandLineOption serialOption(
      "serial", Help::tr("history: only the records of the controller with this serial number."),
      "N");
  const QCommandLineOption sinceOption(
      "since", Help::tr("report: the visit's start, an ISO date or date and time (default today)."),
      "TIME");
  const QCommandLineOption paperOption("paper", Help::tr("report: a4 or letter."), "PAPER");
  const QCommandLineOption workshopOption(
      "workshop", Help::tr("report: the workshop's name, kept for the next reports."), "NAME");
  const QCommandLineOption technicianOption(
      "technician", Help::tr("report: the technician's name, kept for the next reports."), "NAME");
  const QCommandLineOption dryRunOption(
      "dry-run", Help::tr("set, apply: check and show the changes, write nothing."));
  const QCommandLineOption simulateOption(
      "simulate",
      Help::tr("Talk to a simulated controller of model CODE (default VOR) built into the program "
               "instead of the serial ports. Write it as --simulate or --simulate=CODE."),
      "CODE");
  const QCommandLineOption languageOption = vor::LanguageOption();
  parser.addOptions({portOption, simulateOption, traceOption, outOption, inOption, forceOption,
                     writeAnywayOption, imageOption, jsonOption, dryRunOption, updateOption,
                     countOption, serialOption, sinceOption, paperOption, workshopOption,
                     technicianOption, languageOption});
  parser.addPositionalArgument(
      "command",
      Help::tr("scan, read, write, describe, diff, set, apply, zero, monitor, history or report"));
  // "--simulate" alone takes no value; QCommandLineParser wants one, so give it the default.
  // File names keep the bytes they were given, UTF-8 or not.
  QStringList arguments;
  for (const QString& argument : vor::ProgramArguments(argc, argv)) {
    arguments.append(argument == u"--simulate" ? QStringLiteral("--simulate=VOR") : argument);
  }
  // Help, version and mistakes are printed here as UTF-8, as everything else the program prints,
  // and never shown in a message box.
  if (!parser.parse(arguments)) return Usage(parser.errorText());
  if (parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all"))) {
    std::printf("%s", qUtf8Printable(parser.helpText()));
    return vor::cli::kExitOk;
  }
  if (parser.isSet(versionOption)) {
    std::printf("vor-cli %s\n", qUtf8Printable(QCoreApplication::applicationVersion()));
    return vor::cli::kExitOk;
  }
  if (const QString error = vor::LanguageOptionError(parser, languageOption); !error.isEmpty()) {
    return Usage(error);
  }
  const QStringList args = parser.positionalArguments();
  if (args.isEmpty()) return Usage(QStringLiteral("no command given"));
  const QString command = args.first();
  const bool isHistory = command == u"history";
  const bool isReport = command == u"report";
  // Past --help, English: the commands print the string table's messages too, for scripts. The
  // report is for the customer, in the user's language.
  if (!isReport) translation.reset();
  const bool isRead = command == u"read";
  const bool isWrite = command == u"write";
  const bool isDescribe = command == u"describe";
  const bool isSet = command == u"set";
  const bool isZero = command == u"zero";
  const bool isMonitor = command == u"monitor";
  const bool isDiff = command == u"diff";
  const bool isApply = command == u"apply";
  if (command != u"scan" && !isRead && !isWrite && !isDescribe && !isSet && !isZero && !isMonitor &&
      !isDiff && !isApply && !isHistory && !isReport) {
    return Usage(QStringLiteral("unknown command \"%1\"").arg(command));
  }
  if (isSet && args.size() == 1) return Usage("set needs at least one NAME=VALUE");
  if (isDiff && (args.size() < 2 || args.size() > 3)) return Usage("diff takes FILE [FILE2]");
  if (isApply && args.size() != 2) return Usage("apply takes one FILE");
  if (!isSet && !isDiff && !isApply && args.size() != 1) return Usage("one command at a time");
  if (isDiff && args.size() == 3 && parser.isSet(portOption)) {
    return Usage("--port goes with diff against the controller (one FILE)");
  }
  std::vector<vor::cli::Assignment> assignments;
  for (const QString& arg : isSet ? args.mid(1) : QStringList()) {
    const std::optional<vor::cli::Assignment> assignment = vor::cli::ParseAssignment(arg);
    if (!assignment) return Usage(QStringLiteral("\"%1\" is not NAME=VALUE").arg(arg));
    assignments.push_back(*assignment);
  }
  if (parser.isSet(dryRunOption) && !isSet && !isApply) {
    return Usage("--dry-run goes with set or apply");
  }
  if (parser.isSet(outOption) && !isRead && !isReport) {
    return Usage("--out goes with read or report");
  }
  if (isReport && !parser.isSet(outOption)) return Usage("report needs --out FILE.pdf");
  if (parser.isSet(serialOption) && !isHistory) return Usage("--serial goes with history");
  for (const QCommandLineOption& option :
       {sinceOption, paperOption, workshopOption, technicianOption}) {
    if (parser.isSet(option) && !isReport) {
      return Usage(QStringLiteral("--%1 goes with report").arg(option.names().first()));
    }
  }
  vor::cli::ReportRequest report{.outPath = parser.value(outOption),
                                 .since = QDate::currentDate().startOfDay(),
                                 .paper = std::nullopt,
                                 .workshop = parser.value(workshopOption),
                                 .technician = parser.value(technicianOption)};
  if (parser.isSet(sinceOption)) {
    report.since = vor::cli::ParseSince(parser.value(sinceOption));
    if (!report.since.isValid()) {
      return Usage(QStringLiteral("--since needs an ISO date or date and time, such as 2026-12-11 "
                                  "or 2026-12-11T09:30, not \"%1\"")
                       .arg(parser.value(sinceOption)));
    }
  }
  if (parser.isSet(paperOption)) {
    report.paper = vor::PaperNamed(parser.value(paperOption));
    if (!report.paper) {
      return Usage(
          QStringLiteral("--paper takes a4 or letter, not \"%1\"").arg(parser.value(paperOption)));
    }
  }
  if ((parser.isSet(inOption) || parser.isSet(forceOption)) && !isWrite) {
    return Usage("--in and --force go with write");
  }
  if (isWrite && !parser.isSet(inOption)) return Usage("write needs --in FILE");
  if (parser.isSet(imageOption) && !isDescribe) return Usage("--image goes with describe");
  if (parser.isSet(jsonOption) && !isDescribe && !isZero && !isMonitor && !isDiff && !isApply &&
      !isHistory) {
    return Usage("--json goes with describe, diff, apply, zero, monitor or history");
  }
  if (parser.isSet(countOption) && !isMonitor) return Usage("--count goes with monitor");
  int count = 0;
  if (parser.isSet(countOption)) {
    bool ok = false;
    count = parser.value(countOption).toInt(&ok);
    if (!ok || count < 1) {
      return Usage(QStringLiteral("--count needs a whole number of polls from 1, not \"%1\"")
                       .arg(parser.value(countOption)));
    }
  }
  if (parser.isSet(updateOption) && !isZero) return Usage("--update goes with zero");
  const bool writeAnyway = parser.isSet(writeAnywayOption);
  if (writeAnyway && !isWrite && !isSet && !isApply && !(isZero && parser.isSet(updateOption))) {
    return Usage("--write-anyway goes with write, set, apply or zero --update");
  }
  const vor::cli::UpdateOptions update{.dryRun = parser.isSet(dryRunOption),
                                       .writeAnyway = writeAnyway};
  if (parser.isSet(imageOption) && parser.isSet(portOption)) {
    return Usage("--image and --port exclude each other");
  }
  if (parser.isSet(simulateOption) && (parser.isSet(portOption) || parser.isSet(imageOption))) {
    return Usage("--simulate goes without --port and --image");
  }

  // The history is a file: no controller is needed.
  if (isHistory) {
    if (parser.isSet(portOption) || parser.isSet(simulateOption)) {
      return Usage("history reads the service history and talks to no controller");
    }
    return vor::cli::HistoryCommand(parser.value(serialOption), parser.isSet(jsonOption));
  }

  // A simulated controller is the only port tried: nothing goes to the machine's real ports.
  std::unique_ptr<vor::SimulatedController> controller;
  std::unique_ptr<vor::SimulatedConnection> simulation;
  vor::QtPortSystem machinePorts;
  QStringList ports = parser.values(portOption);
  if (parser.isSet(simulateOption)) {
    vor::SimImageOptions imageOptions;
    imageOptions.modelCode = parser.value(simulateOption);
    QString error;
    const std::optional<vor::ConfigImage> image = vor::SimulatorImage(imageOptions, error);
    if (image) {
      controller = std::make_unique<vor::SimulatedController>(*image);
      simulation = vor::SimulatedConnection::Start(*controller, error);
    }
    if (!simulation) {
      vor::cli::PrintError(error);
      return vor::cli::kExitFailure;
    }
    ports = {simulation->DevicePath()};
  }
  vor::cli::LinkSession session(ports, parser.isSet(traceOption),
                                simulation ? &simulation->Ports(machinePorts) : nullptr);
  if (isDescribe) {
    return vor::cli::DescribeCommand(session, parser.value(imageOption), parser.isSet(jsonOption));
  }
  if (isDiff) {
    return vor::cli::DiffCommand(session, args[1], args.value(2), parser.isSet(jsonOption));
  }
  if (isZero) {
    return vor::cli::ZeroCommand(session, parser.isSet(updateOption), writeAnyway,
                                 parser.isSet(jsonOption));
  }
  if (isSet) return vor::cli::SetCommand(session, assignments, update);
  if (isApply) return vor::cli::ApplyCommand(session, args[1], update, parser.isSet(jsonOption));
  if (isMonitor) return vor::cli::MonitorCommand(session, count, parser.isSet(jsonOption));
  if (isRead) return vor::cli::ReadCommand(session, parser.value(outOption));
  if (isReport) return vor::cli::ReportCommand(session, report);
  if (isWrite) {
    return vor::cli::WriteCommand(session, parser.value(inOption), parser.isSet(forceOption),
                                  writeAnyway);
  }
  return vor::cli::ScanCommand(session);
}

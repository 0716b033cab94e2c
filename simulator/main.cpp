// vor-sim: a simulated controller on a pseudo-terminal. Prints the device path on its first line
// and answers on it until interrupted.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <memory>

#include "resources/language.h"
#include "simulator/pty_controller.h"
#include "simulator/sim_faults.h"
#include "simulator/sim_image.h"
#include "simulator/simulated_controller.h"
#include "simulator/stop_signals.h"

namespace {

// The texts of --help, in the user's language.
struct Help {
  Q_DECLARE_TR_FUNCTIONS(VorSimHelp)
};

int Fail(const QString& message) {
  std::fprintf(stderr, "vor-sim: %s\n", qPrintable(message));
  return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName("vor-sim");
  QCoreApplication::setApplicationVersion("1.0.0.1");

  const std::unique_ptr<vor::Translation> translation =
      vor::StartTranslation(QCoreApplication::arguments());

  QCommandLineParser parser;
  parser.setApplicationDescription(
      Help::tr("Simulated controller on a pseudo-terminal. Prints the device path, then answers "
               "on it\nuntil interrupted (Ctrl+C)."));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption modelOption(
      "model", Help::tr("Be a controller of model CODE (default VOR), with its factory settings."),
      "CODE");
  const QCommandLineOption imageOption("image", Help::tr("Start from the 128-byte image in FILE."),
                                       "FILE");
  const QCommandLineOption specialOption("special",
                                         Help::tr("Set the special-version byte (72) to N."), "N");
  const QCommandLineOption softwareOption(
      "software-version", Help::tr("Set the software version (bytes 83..84), in hex."), "HEX");
  const QCommandLineOption faultOption(
      "fault",
      Help::tr(
          "Misbehave: KIND[:CMD[:N[:MS]]] with KIND silent (act, answer nothing), ignore (neither "
          "act nor answer), bad-checksum, stray, late, stale (late, while later requests are "
          "answered meanwhile), twice (the answer again MS later), cut (half the answer), "
          "wrong-command, long-length, short or forget (answer, keep nothing); CMD a hex command "
          "byte or any; N the request number of that command (0 = every one); MS the delay for "
          "late, stale and twice. Repeatable."),
      "RULE");
  const QCommandLineOption faultBitsOption(
      "fault-bits",
      Help::tr("Fix the fault word of the live data (bytes 32..33) to HEX, e.g. 0012."), "HEX");
  const QCommandLineOption languageOption = vor::LanguageOption();
  parser.addOptions({modelOption, imageOption, specialOption, softwareOption, faultOption,
                     faultBitsOption, languageOption});
  parser.process(app);
  if (const QString error = vor::LanguageOptionError(parser, languageOption); !error.isEmpty()) {
    return Fail(error);
  }
  if (!parser.positionalArguments().isEmpty()) {
    return Fail("unexpected argument \"" + parser.positionalArguments().first() + "\"");
  }

  vor::SimImageOptions imageOptions;
  QString error;
  if (parser.isSet(modelOption)) imageOptions.modelCode = parser.value(modelOption);
  if (parser.isSet(imageOption)) {
    if (parser.isSet(modelOption)) return Fail("--model and --image exclude each other");
    imageOptions.imagePath = parser.value(imageOption);
  }
  if (parser.isSet(specialOption)) {
    imageOptions.specialVersion = vor::ParseSpecialVersion(parser.value(specialOption), error);
    if (!imageOptions.specialVersion) return Fail(error);
  }
  if (parser.isSet(softwareOption)) {
    imageOptions.softwareVersion = vor::ParseSoftwareVersion(parser.value(softwareOption), error);
    if (!imageOptions.softwareVersion) return Fail(error);
  }
  const std::optional<vor::ConfigImage> image = vor::SimulatorImage(imageOptions, error);
  if (!image) return Fail(error);

  vor::SimulatedController controller(*image);
  if (parser.isSet(faultBitsOption)) {
    const std::optional<std::uint16_t> bits =
        vor::ParseFaultBits(parser.value(faultBitsOption), error);
    if (!bits) return Fail(error);
    controller.SetFaultWord(bits);
  }
  for (const QString& text : parser.values(faultOption)) {
    const std::optional<vor::FaultRule> rule = vor::ParseFaultRule(text, error);
    if (!rule) return Fail(error);
    controller.AddFault(*rule);
  }

  // Wait for the end in this thread; the line is served on the controller's own thread.
  vor::CatchStopSignals();

  vor::PtyController pty(controller);
  if (!pty.Start(error)) return Fail(error);
  std::printf("%s\n", qPrintable(pty.DevicePath()));
  std::fflush(stdout);

  vor::WaitForStopSignal();
  pty.Stop();
  return 0;
}

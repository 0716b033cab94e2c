#include "cli/link_session.h"

#include "link/port_diagnostics.h"

namespace vor::cli {

void PrintError(const QString& text) { std::fprintf(stderr, "vor-cli: %s\n", qPrintable(text)); }

Answer StderrPrompter::Ask(int stringId, Buttons buttons, Icon icon) {
  return AskText(LoadString(stringId), buttons, icon);
}

Answer StderrPrompter::AskText(const QString& text, Buttons buttons, Icon) {
  std::fprintf(stderr, "%s\n", qPrintable(text));
  switch (buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel:
      return Answer::Ok;
    case Buttons::YesNo:
      return Answer::No;
    case Buttons::RetryCancel:
      return Answer::Cancel;
  }
  return Answer::Cancel;
}

LinkSession::LinkSession(const QStringList& ports, bool trace) {
  scan_.SetPortOverride(ports);
  scan_.SetOpenFailureHandler(
      [this](const QString& path, OpenStatus status) { ReportOpenFailure(path, status); });
  if (trace) {
    trace_ = std::make_unique<FrameTrace>(clock_, stderr);
    link_.SetObserver(trace_.get());
  }
}

bool LinkSession::Connect() {
  if (scan_.ScanForController()) return true;
  std::fprintf(stderr, "%s\n", qPrintable(LoadString(kMsgNoController)));
  if (const QString warning = PortGrabberWarning(); !warning.isEmpty()) PrintError(warning);
  return false;
}

bool LinkSession::Read(ConfigImage& image) {
  if (ReadImage(link_, image)) return true;
  std::fprintf(stderr, "%s\n", qPrintable(LoadString(kMsgReadError)));
  return false;
}

void LinkSession::ReportOpenFailure(const QString& devicePath, OpenStatus status) {
  if (!reported_.insert(devicePath).second) return;
  PrintError(
      QStringLiteral("cannot open %1: %2").arg(devicePath, OpenFailureReason(devicePath, status)));
}

}  // namespace vor::cli

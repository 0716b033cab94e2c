#include "cli/link_session.h"

#include "link/port_advice.h"
#include "link/port_diagnostics.h"

namespace vor::cli {

void PrintError(const QString& text) {
  std::fprintf(stderr, "vor-cli: %s\n", qUtf8Printable(text));
}

Answer StderrPrompter::Ask(int stringId, Buttons buttons, Icon icon) {
  return AskText(LoadString(stringId), buttons, icon);
}

Answer StderrPrompter::AskText(const QString& text, Buttons buttons, Icon) {
  std::fprintf(stderr, "%s\n", qUtf8Printable(text));
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

LinkSession::LinkSession(const QStringList& ports, bool trace, PortSystem* portSystem)
    : ports_(portSystem ? *portSystem : machinePorts_) {
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
  std::fprintf(stderr, "%s\n", qUtf8Printable(LoadString(kMsgNoController)));
  if (const QString advice = ScanFailureAdvice(); !advice.isEmpty()) PrintError(advice);
  return false;
}

bool LinkSession::Read(ConfigImage& image) {
  if (ReadImage(link_, image)) return true;
  std::fprintf(stderr, "%s\n", qUtf8Printable(LoadString(kMsgReadError)));
  return false;
}

bool LinkSession::Write(const ConfigImage& image) {
  const WriteStatus status = WriteImage(link_, image);
  if (status == WriteStatus::ConfirmedByReadBack) {
    PrintError(QStringLiteral(
        "the commit's acknowledgement was garbled or missing, but reading back shows "
        "that the controller took the configuration"));
  }
  if (WriteSucceeded(status)) return true;
  std::fprintf(stderr, "%s\n", qUtf8Printable(LoadString(kMsgWriteError)));
  switch (status) {
    case WriteStatus::HandshakeFailed:
      PrintError(QStringLiteral("the controller did not answer; nothing was written"));
      break;
    case WriteStatus::BlockFailed:
      PrintError(
          QStringLiteral("a block went unanswered, so nothing was committed: the "
                         "controller keeps its previous configuration"));
      break;
    case WriteStatus::ReadBackDiffers:
      PrintError(
          QStringLiteral("the commit's acknowledgement was garbled or missing, and reading back "
                         "shows that the controller did not take the configuration"));
      break;
    case WriteStatus::Unknown:
      PrintError(QStringLiteral(
          "the commit's acknowledgement was garbled or missing, and the configuration "
          "could not be read back: what the controller holds is unknown"));
      break;
    case WriteStatus::Committed:
    case WriteStatus::ConfirmedByReadBack:
      break;
  }
  return false;
}

void LinkSession::ReportOpenFailure(const QString& devicePath, OpenStatus status) {
  if (!reported_.insert(devicePath).second) return;
  PrintError(
      QStringLiteral("cannot open %1: %2").arg(devicePath, OpenFailureReason(devicePath, status)));
}

}  // namespace vor::cli

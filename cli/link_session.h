#pragma once

#include <QStringList>
#include <cstdio>
#include <memory>
#include <set>

#include "link/frame_trace.h"
#include "link/link.h"
#include "link/qt_serial_port.h"
#include "resources/prompter.h"

namespace vor::cli {

// Messages go to stderr; the only message the link shows (147) has just an OK button.
class StderrPrompter : public Prompter {
public:
  using Prompter::Ask;
  Answer Ask(int stringId, Buttons buttons, Icon icon) override;
  Answer AskText(const QString& text, Buttons buttons, Icon icon) override;
};

// One controller link for a command: the machine's ports (or the --port list), the link object
// and its scan. Tells on stderr, once per port, why a port could not be opened.
class LinkSession {
public:
  // `portSystem`, when given, replaces the machine's serial ports (a simulated controller's line);
  // it must outlive the session.
  LinkSession(const QStringList& ports, bool trace, PortSystem* portSystem = nullptr);

  // Scans for the controller; on failure prints message 149 to stderr.
  bool Connect();
  // Reads the controller's image; on failure prints message 151 to stderr.
  bool Read(ConfigImage& image);
  // Writes `image` into the controller; on failure prints message 152 and what the controller
  // holds now to stderr. True when the controller holds `image`.
  bool Write(const ConfigImage& image);
  SerialLink& Link() { return link_; }
  Prompter& Prompts() { return prompter_; }
  QString DevicePath() const { return scan_.ConnectedPath(); }

private:
  void ReportOpenFailure(const QString& devicePath, OpenStatus status);

  SteadyClock clock_;
  QtPortSystem machinePorts_;
  PortSystem& ports_;
  StderrPrompter prompter_;
  SerialLink link_{clock_};
  PortScan scan_{link_, ports_, prompter_};
  std::unique_ptr<FrameTrace> trace_;
  std::set<QString> reported_;
};

// Prints "vor-cli: <text>" to stderr.
void PrintError(const QString& text);

}  // namespace vor::cli

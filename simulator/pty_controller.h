#pragma once

#include <QString>
#include <memory>

namespace vor {

class SimulatedController;

// Puts a simulated controller on a pseudo-terminal, at the pace of a 19200-baud line in both
// directions. The device path is what a program opens as its serial port. Only the Linux build
// has the pseudo-terminal; elsewhere Start() fails and says so.
class PtyController {
public:
  explicit PtyController(SimulatedController& controller);
  ~PtyController();
  PtyController(const PtyController&) = delete;
  PtyController& operator=(const PtyController&) = delete;

  // Creates the pseudo-terminal and starts serving it on a thread of its own. False (with
  // `error` set) when no pseudo-terminal can be had.
  bool Start(QString& error);
  // Stops serving and closes the pseudo-terminal, as if the controller were unplugged.
  void Stop();

  QString DevicePath() const { return devicePath_; }

private:
  struct Line;  // the system's pseudo-terminal and the thread that serves it

  [[maybe_unused]] SimulatedController& controller_;  // unused where there is no line
  QString devicePath_;
  std::unique_ptr<Line> line_;
};

// Opens the master of a new pseudo-terminal whose slave can be opened by the path it sets in
// `slavePath`; returns the master's descriptor, or -1 where no pseudo-terminal can be had. For
// tests that drive a line by hand; PtyController uses it too.
int OpenPtyMaster(QString& slavePath);

}  // namespace vor

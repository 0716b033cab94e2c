#pragma once

#include <QString>
#include <atomic>
#include <thread>

namespace vor {

class SimulatedController;

// Puts a simulated controller on a pseudo-terminal, at the pace of a 19200-baud line in both
// directions. The device path is what a program opens as its serial port.
class PtyController {
public:
  explicit PtyController(SimulatedController& controller) : controller_(controller) {}
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
  void Serve();

  SimulatedController& controller_;
  QString devicePath_;
  int master_ = -1;
  int slave_ = -1;  // kept open so the line never hangs up between the program's opens
  int wakeRead_ = -1;
  int wakeWrite_ = -1;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace vor

// Systems other than Linux: no pseudo-terminal here, so the simulated controller has no line.
#include "simulator/pty_controller.h"

namespace vor {

struct PtyController::Line {};

PtyController::PtyController(SimulatedController& controller) : controller_(controller) {}

PtyController::~PtyController() = default;

bool PtyController::Start(QString& error) {
  error = QStringLiteral(
      "the simulated controller needs a pseudo-terminal, which this build has on Linux only");
  return false;
}

void PtyController::Stop() {}

int OpenPtyMaster(QString&) { return -1; }

}  // namespace vor

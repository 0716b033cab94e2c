#include "link/phase_zero.h"

namespace vor {

std::optional<PhaseZeroReading> ReadPhaseZero(SerialLink& link, bool waitBeforeReceive) {
  link.SetRequest(Command::ReadPhaseZero, 0);
  link.SendFrame();
  if (waitBeforeReceive) link.Clock().Sleep(kPhaseZeroWaitMs);
  if (link.ReceiveFrame() != Received::Frame) return std::nullopt;
  if (link.rxFrame.Command() != static_cast<std::uint8_t>(Command::ReadPhaseZero)) {
    return std::nullopt;
  }
  return PhaseZeroReading{link.rxFrame.Payload(0), link.rxFrame.Payload(1),
                          link.rxFrame.Payload(2)};
}

}  // namespace vor

#include "link/phase_zero.h"

namespace vor {

std::optional<PhaseZeroReading> ReadPhaseZero(SerialLink& link, bool waitBeforeReceive) {
  link.SetRequest(Command::ReadPhaseZero, 0);
  // The answer carries command byte 0x35 and a byte per phase.
  if (link.Exchange(waitBeforeReceive ? kPhaseZeroWaitMs : 0) != Received::Frame) {
    return std::nullopt;
  }
  return PhaseZeroReading{link.rxFrame.Payload(0), link.rxFrame.Payload(1),
                          link.rxFrame.Payload(2)};
}

}  // namespace vor

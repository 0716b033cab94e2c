#include "link/phase_zero.h"

namespace vor {

std::optional<PhaseZeroReading> ReadPhaseZero(SerialLink& link, bool waitBeforeReceive) {
  link.SetRequest(Command::ReadPhaseZero, 0);
  if (link.Exchange(waitBeforeReceive ? kPhaseZeroWaitMs : 0) != Received::Frame) {
    return std::nullopt;
  }
  // A reading that is not whole is no reading: the missing bytes are left from earlier frames.
  if (!IsWholeAnswer(link.rxFrame, std::tuple_size_v<PhaseZeroReading>, Command::ReadPhaseZero)) {
    return std::nullopt;
  }
  return PhaseZeroReading{link.rxFrame.Payload(0), link.rxFrame.Payload(1),
                          link.rxFrame.Payload(2)};
}

}  // namespace vor

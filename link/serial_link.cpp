#include "link/serial_link.h"

namespace vor {

bool SerialLink::SendFrame(SerialPort& port) {
  const std::size_t size = SealFrame(txFrame);
  const auto bytes = std::span<const std::uint8_t>(txFrame.bytes).first(size);
  if (observer_) observer_->FrameSent(bytes);
  return port.Write(bytes);
}

bool SerialLink::ReceiveFrame(SerialPort& port) {
  assembling = false;
  rxCount = 0;
  rxFrame[LinkFrame::kLength] = 0;

  auto finish = [this](bool ok) {
    if (observer_) observer_->FrameReceived(std::span(rxFrame.bytes).first(rxCount), ok);
    return ok;
  };

  std::array<std::uint8_t, LinkFrame::kMaxSize> scratch;
  for (int attempt = 0; attempt < kReceiveAttempts; ++attempt) {
    clock_.Sleep(kWaitBeforeReadMs);
    const int got = port.Read(scratch);
    if (got < 0) return finish(false);
    for (int i = 0; i < got; ++i) {
      switch (AssembleByte(rxFrame, rxCount, assembling, scratch[i])) {
        case AssembleResult::Incomplete:
          break;
        case AssembleResult::FrameOk:
          return finish(true);
        case AssembleResult::ChecksumError:
          return finish(false);
      }
    }
  }
  return finish(false);
}

void SerialLink::SetRequest(Command command, std::uint8_t length) {
  txFrame[LinkFrame::kCommand] = static_cast<std::uint8_t>(command);
  txFrame[LinkFrame::kLength] = length;
}

}  // namespace vor

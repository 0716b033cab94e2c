#include "link/serial_link.h"

namespace vor {

bool SerialLink::SendFrame(SerialPort& port) {
  if (StopRequested()) return false;
  if (drainBeforeSend_) {
    const ReadResult drained = port.DiscardInput(kQuietGapMs, &stop_);
    if (drained.end == ReadEnd::Stopped) return false;
    drainBeforeSend_ = false;
  }
  const std::size_t size = SealFrame(txFrame);
  const auto bytes = std::span<const std::uint8_t>(txFrame.bytes).first(size);
  if (observer_) observer_->FrameSent(bytes);
  return port.Write(bytes);
}

bool SerialLink::SendFrame() {
  if (!port_ && reopen_) {
    port_ = reopen_();
    drainBeforeSend_ = false;  // a new line has no late answers on it
  }
  return port_ ? SendFrame(*port_) : false;
}

Received SerialLink::ReceiveFrame() {
  if (!port_) return Received::LinkLost;
  const Received how = ReceiveFrame(*port_);
  // Every later call on a lost port would fail at once; close it so the next send reopens it.
  if (how == Received::LinkLost) port_.reset();
  return how;
}

Received SerialLink::Finish(Received how) {
  if (how == Received::Aborted) drainBeforeSend_ = true;
  if (observer_) observer_->FrameReceived(std::span(rxFrame.bytes).first(rxCount_), how);
  return how;
}

Received SerialLink::ReceiveFrame(SerialPort& port) {
  assembling_ = false;
  rxCount_ = 0;
  rxFrame[LinkFrame::kLength] = 0;

  std::array<std::uint8_t, LinkFrame::kMaxSize> scratch;
  for (int attempt = 0; attempt < kReceiveAttempts; ++attempt) {
    if (StopRequested()) return Finish(Received::Aborted);
    clock_.Sleep(kWaitBeforeReadMs);
    const ReadResult read = port.Read(scratch, &stop_);
    for (int i = 0; i < read.count; ++i) {
      switch (AssembleByte(rxFrame, rxCount_, assembling_, scratch[std::size_t(i)])) {
        case AssembleResult::Incomplete:
          break;
        case AssembleResult::FrameOk:
          return Finish(Received::Frame);
        case AssembleResult::ChecksumError:
          return Finish(Received::BadChecksum);
      }
    }
    if (read.end == ReadEnd::LinkLost) return Finish(Received::LinkLost);
    if (read.end == ReadEnd::Stopped) return Finish(Received::Aborted);
  }
  return Finish(Received::NoAnswer);
}

void SerialLink::SetRequest(Command command, std::uint8_t length) {
  txFrame[LinkFrame::kCommand] = static_cast<std::uint8_t>(command);
  txFrame[LinkFrame::kLength] = length;
}

}  // namespace vor

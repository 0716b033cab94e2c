#include "link/serial_link.h"

#include <algorithm>

namespace vor {

bool SerialLink::SendFrame(SerialPort& port) { return Send(port) == WriteEnd::Done; }

WriteEnd SerialLink::Send(SerialPort& port) {
  if (StopRequested()) return WriteEnd::Failed;
  const bool ownLine = &port == port_.get();
  if (ownLine && drainOwed_ && !Drain(port)) return WriteEnd::Failed;
  const std::size_t size = SealFrame(txFrame);
  const auto bytes = std::span<const std::uint8_t>(txFrame.bytes).first(size);
  if (observer_) observer_->FrameSent(bytes);
  const WriteEnd end = port.Write(bytes);
  if (end != WriteEnd::Done) {
    if (observer_) observer_->FrameNotSent();
    // Part of the request may have gone out, and an answer to it may come.
    if (ownLine) drainOwed_ = true;
  }
  return end;
}

bool SerialLink::Drain(SerialPort& port) {
  const ReadResult drained = port.DiscardInput(kQuietGapMs, kDrainLimitMs, dropped_, &stop_);
  if (observer_ && (drained.count > 0 || drained.end == ReadEnd::NeverQuiet)) {
    const auto shown = std::min<std::size_t>(std::size_t(drained.count), dropped_.size());
    observer_->InputDropped(std::span(dropped_).first(shown), drained.count,
                            drained.end != ReadEnd::NeverQuiet);
  }
  if (drained.end == ReadEnd::Stopped) return false;
  drainOwed_ = false;
  return true;
}

bool SerialLink::SendFrame() {
  // A stopped exchange sends nothing, so it must not spend a reopen's time first either.
  if (StopRequested()) return false;
  if (!port_ && reopen_) {
    port_ = reopen_();
    drainOwed_ = false;  // a new line has no late answers on it
  }
  if (!port_) return false;
  const WriteEnd end = Send(*port_);
  // Every later call on a lost port would fail at once; close it so the next send reopens it.
  if (end == WriteEnd::LinkLost) ClosePort();
  return end == WriteEnd::Done;
}

Received SerialLink::ReceiveFrame() {
  if (!port_) return Received::LinkLost;
  const Received how = ReceiveFrame(*port_);
  if (how == Received::LinkLost) ClosePort();
  return how;
}

Received SerialLink::Exchange(int waitMs) {
  if (!SendFrame()) return StopRequested() ? Received::Aborted : Received::NotSent;
  if (waitMs > 0) clock_.Sleep(waitMs);
  return ReceiveFrame();
}

Received SerialLink::Finish(SerialPort& port, Received how) {
  if (how != Received::Frame && &port == port_.get()) drainOwed_ = true;
  if (observer_) observer_->FrameReceived(std::span(rxFrame.bytes).first(rxCount_), how);
  return how;
}

Received SerialLink::ReceiveFrame(SerialPort& port) {
  assembling_ = false;
  rxCount_ = 0;
  rxFrame[LinkFrame::kLength] = 0;

  std::array<std::uint8_t, LinkFrame::kMaxSize> scratch;
  for (int attempt = 0; attempt < kReceiveAttempts; ++attempt) {
    if (StopRequested()) return Finish(port, Received::Aborted);
    clock_.Sleep(kWaitBeforeReadMs);
    const ReadResult read = port.Read(scratch, &stop_);
    for (int i = 0; i < read.count; ++i) {
      switch (AssembleByte(rxFrame, rxCount_, assembling_, scratch[std::size_t(i)])) {
        case AssembleResult::Incomplete:
          break;
        case AssembleResult::FrameOk:
          return Finish(port, Received::Frame);
        case AssembleResult::ChecksumError:
          return Finish(port, Received::BadChecksum);
      }
    }
    if (read.end == ReadEnd::LinkLost) return Finish(port, Received::LinkLost);
    if (read.end == ReadEnd::Stopped) return Finish(port, Received::Aborted);
  }
  return Finish(port, rxCount_ > 0 ? Received::Incomplete : Received::NoAnswer);
}

void SerialLink::SetRequest(Command command, std::uint8_t length) {
  txFrame[LinkFrame::kCommand] = static_cast<std::uint8_t>(command);
  txFrame[LinkFrame::kLength] = length;
}

}  // namespace vor

#include "link/serial_link.h"

#include <algorithm>

#include "link/wire_timing.h"

namespace vor {

bool SerialLink::SendFrame(SerialPort& port) { return Send(port) == WriteEnd::Done; }

WriteEnd SerialLink::Send(SerialPort& port) {
  if (StopRequested()) return WriteEnd::Failed;
  const bool ownLine = &port == port_.get();
  if (ownLine && !ClearLine(port)) return WriteEnd::Failed;
  const std::size_t size = SealFrame(txFrame);
  awaited_ = AnswerTo(txFrame.Command());
  const auto bytes = std::span<const std::uint8_t>(txFrame.bytes).first(size);
  if (observer_) observer_->FrameSent(bytes);
  requestStartUs_ = clock_.NowUs();
  const WriteEnd end = port.Write(bytes);
  if (end != WriteEnd::Done) {
    if (observer_) observer_->FrameNotSent();
    // Part of the request may have gone out, and an answer to it may come.
    if (ownLine) drainOwed_ = true;
  }
  return end;
}

bool SerialLink::ClearLine(SerialPort& port) {
  if (!drainOwed_) {
    if (DropArrived(port) > 0) noiseNearRequest_ = true;
    return true;
  }
  const ReadResult drained = port.DiscardInput(kQuietGapMs, kDrainLimitMs, dropped_, &stop_);
  ReportDropped(drained);
  if (drained.end == ReadEnd::Stopped) return false;
  // A quiet line has no frame under way.
  staleAssembling_ = false;
  drainOwed_ = false;
  return true;
}

int SerialLink::DropArrived(SerialPort& port) {
  const ReadResult dropped = port.DiscardArrived(dropped_);
  ReportDropped(dropped);
  if (std::size_t(dropped.count) > dropped_.size()) {
    // Too much to follow: where a frame starts is lost, so the next receive may fail.
    staleAssembling_ = false;
    return dropped.count;
  }
  for (int i = 0; i < dropped.count; ++i) {
    AssembleByte(stale_, staleCount_, staleAssembling_, dropped_[std::size_t(i)]);
  }
  return dropped.count;
}

void SerialLink::ReportDropped(const ReadResult& dropped) {
  if (!observer_ || (dropped.count == 0 && dropped.end != ReadEnd::NeverQuiet)) return;
  const auto shown = std::min<std::size_t>(std::size_t(dropped.count), kDroppedShown);
  observer_->InputDropped(std::span(dropped_).first(shown), dropped.count,
                          dropped.end != ReadEnd::NeverQuiet);
}

bool SerialLink::DropStaleByte(std::uint8_t byte) {
  if (!staleAssembling_) return false;
  if (AssembleByte(stale_, staleCount_, staleAssembling_, byte) != AssembleResult::Incomplete &&
      observer_) {
    const std::uint8_t awaited = awaited_ ? awaited_->command : txFrame.Command();
    observer_->FrameDropped(std::span(stale_.bytes).first(staleCount_), awaited);
  }
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

Received SerialLink::ReceiveFrame() { return ReceiveOwn(kWaitBeforeReadUs); }

Received SerialLink::ReceiveOwn(std::int64_t firstWaitUs) {
  if (!port_) return Received::LinkLost;
  const Received how = Receive(*port_, firstWaitUs);
  if (how == Received::LinkLost) ClosePort();
  return how;
}

Received SerialLink::Exchange(int waitMs) {
  if (!SendFrame()) return StopRequested() ? Received::Aborted : Received::NotSent;
  const std::int64_t sentUs = clock_.NowUs();
  // Whatever has come by the time the request has left the wire was sent before the controller
  // had the request whole, so it is none of its answer, whatever its command byte: drop it then.
  // Until the answer's first byte has had its own byte time on the wire, nothing of it can have
  // come. The first read stays where it was, or comes once the request is out if that is later:
  // no answer can be read before.
  const std::int64_t outUs =
      requestStartUs_ + WireTimeUs(static_cast<std::int64_t>(txFrame.WireSize()));
  if (outUs > sentUs) clock_.SleepUs(outUs - sentUs);
  // A sleep that overran may end after the answer began: then nothing can be told apart.
  if (clock_.NowUs() < outUs + WireTimeUs(1) && DropArrived(*port_) > 0) {
    noiseNearRequest_ = true;
  }
  const std::int64_t readAtUs =
      sentUs + std::int64_t{waitMs > 0 ? waitMs : kWaitBeforeReadMs} * 1000;
  const std::int64_t restUs = std::max<std::int64_t>(0, readAtUs - clock_.NowUs());
  if (waitMs > 0) {
    clock_.SleepUs(restUs);
    return ReceiveOwn(kWaitBeforeReadUs);
  }
  return ReceiveOwn(restUs);
}

Received SerialLink::Finish(SerialPort& port, Received how, bool noise) {
  if ((how != Received::Frame || noise || noiseNearRequest_) && &port == port_.get()) {
    drainOwed_ = true;
  }
  noiseNearRequest_ = false;
  if (observer_) observer_->FrameReceived(std::span(rxFrame.bytes).first(rxCount_), how);
  return how;
}

Received SerialLink::ReceiveFrame(SerialPort& port) { return Receive(port, kWaitBeforeReadUs); }

Received SerialLink::Receive(SerialPort& port, std::int64_t firstWaitUs) {
  assembling_ = false;
  rxCount_ = 0;
  rxFrame[LinkFrame::kLength] = 0;

  bool noise = false;
  std::array<std::uint8_t, LinkFrame::kMaxSize> scratch;
  for (int attempt = 0; attempt < kReceiveAttempts; ++attempt) {
    if (StopRequested()) return Finish(port, Received::Aborted, noise);
    clock_.SleepUs(attempt == 0 ? firstWaitUs : kWaitBeforeReadUs);
    const ReadResult read = port.Read(scratch, &stop_);
    for (int i = 0; i < read.count; ++i) {
      if (DropStaleByte(scratch[std::size_t(i)])) {
        noise = true;
        continue;
      }
      switch (AssembleByte(rxFrame, rxCount_, assembling_, scratch[std::size_t(i)])) {
        case AssembleResult::Incomplete:
          break;
        case AssembleResult::FrameOk:
          if (awaited_ && !Answers(rxFrame, *awaited_)) {
            if (observer_) {
              observer_->FrameDropped(std::span(rxFrame.bytes).first(rxCount_), awaited_->command);
            }
            noise = true;
            rxCount_ = 0;
            break;
          }
          // Bytes behind the answer are dropped with this read; whatever else follows them is
          // cleared before the next request.
          return Finish(port, Received::Frame, noise || i + 1 < read.count);
        case AssembleResult::ChecksumError:
          return Finish(port, Received::BadChecksum, noise);
      }
    }
    if (read.end == ReadEnd::LinkLost) return Finish(port, Received::LinkLost, noise);
    if (read.end == ReadEnd::Stopped) return Finish(port, Received::Aborted, noise);
  }
  return Finish(port, assembling_ ? Received::Incomplete : Received::NoAnswer, noise);
}

void SerialLink::SetRequest(Command command, std::uint8_t length) {
  txFrame[LinkFrame::kCommand] = static_cast<std::uint8_t>(command);
  txFrame[LinkFrame::kLength] = length;
}

}  // namespace vor

#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "link/link_frame.h"
#include "link/serial_port.h"

namespace vor {

// How a receive ended.
enum class Received {
  Frame,        // a complete frame with a matching checksum is in rxFrame
  BadChecksum,  // a complete frame arrived whose checksum does not match
  NoAnswer,     // ten attempts passed without a byte
  Incomplete,   // bytes came, but ten attempts passed without a complete frame
  LinkLost,     // the read call failed: the adapter is gone or the line hung up
  Aborted,      // the link's stop flag was raised while the receive waited
  NotSent,      // Exchange only: the request could not be written, so no answer was awaited
};

// Sees every frame the link sends and every response it assembles (for --trace).
class FrameObserver {
public:
  virtual ~FrameObserver() = default;
  virtual void FrameSent(std::span<const std::uint8_t> bytes) = 0;
  // `bytes` are the bytes of the response assembled so far; `how` is how the receive ended.
  virtual void FrameReceived(std::span<const std::uint8_t> bytes, Received how) = 0;
  // The frame last passed to FrameSent did not go out whole.
  virtual void FrameNotSent() {}
  // Input dropped to clear the line before a request: the first `bytes` of the `count` dropped;
  // `quiet` is false when bytes still came at the drain's time limit.
  virtual void InputDropped(std::span<const std::uint8_t> /*bytes*/, int /*count*/,
                            bool /*quiet*/) {}
  // A complete frame that came while the answer to a request with command byte `awaited` was
  // awaited, and is no such answer: dropped, and the wait went on.
  virtual void FrameDropped(std::span<const std::uint8_t> /*bytes*/, std::uint8_t /*awaited*/) {}
};

// The one link to the controller: the open port, the transmit and receive buffers, and the
// exchange of single frames. Requests are built in place in `txFrame`; a response is read from
// `rxFrame` after ReceiveFrame returned Received::Frame. Neither buffer is cleared between
// frames. Used by one thread at a time (the link thread); only RequestStop may come from another.
//
// A receive takes only the answer to the request last sent (AnswerTo): a frame of an earlier
// exchange, a late or repeated one, or one the controller sent unasked is dropped as noise and
// the wait goes on, so no frame ever stands for the answer to another request. A frame that had
// begun to arrive before the request was out is none of its answers either: it is dropped whole,
// what came of it before and what follows.
class SerialLink {
public:
  static constexpr int kReceiveAttempts = 10;
  static constexpr int kWaitBeforeReadMs = 5;
  static constexpr std::int64_t kWaitBeforeReadUs = std::int64_t{kWaitBeforeReadMs} * 1000;
  // After a failed exchange (no answer, a bad one, an abandoned one, a request not written) the
  // line must be quiet this long before the next request, so that the rest of a garbled answer, a
  // stray byte or a late answer is not taken as the start of the next response. Longer than the
  // inter-byte time-out, so an answer in flight is caught whole.
  static constexpr int kQuietGapMs = 30;
  // A drain gives up after this long and the request goes out all the same: a line that never
  // goes quiet (noise, a device that keeps sending) must not hold the exchange for ever. Room for
  // several whole answers.
  static constexpr int kDrainLimitMs = 200;
  // How many of the dropped bytes the observer is shown.
  static constexpr std::size_t kDroppedShown = 32;
  // How many bytes dropped at once the link follows frame by frame: the input queue's size.
  static constexpr std::size_t kDroppedFollowed = 512;

  explicit SerialLink(LinkClock& clock) : clock_(clock) {}

  // Seals `txFrame` with its checksum and writes its length + 3 bytes to `port` in one write;
  // from then on receives await the answer to it. When `port` is the link's own, first drops the
  // input that came before the request (it cannot be its answer): until the line is quiet
  // (kQuietGapMs, at most kDrainLimitMs) when the last exchange failed or brought noise, else
  // what has arrived so far. Returns whether the write succeeded; false without writing while a
  // stop is requested.
  bool SendFrame(SerialPort& port);
  // Assembles the answer to the request last sent from `port` into `rxFrame`: ten attempts, each
  // a 5 ms wait and a read of up to 19 bytes. A complete frame that is no such answer is dropped
  // and the assembly starts afresh with the next byte, within the same attempts. Ends at once on
  // a checksum mismatch, a failing read or a stop request. Never drains: the receives that follow
  // one request (the Commit's) see every byte that comes. Before any request has been sent,
  // every complete frame is taken.
  Received ReceiveFrame(SerialPort& port);

  // Exchanges on the link's own port. A send or receive that finds the line lost closes the port;
  // the next send reopens the same device first (see SetReopen), so plugging the adapter back in
  // is enough. Without a port, a send is false and a receive LinkLost.
  bool SendFrame();
  Received ReceiveFrame();
  // One request and its answer on the link's own port: SendFrame, a wait of `waitMs`, and
  // ReceiveFrame. What arrives while the request is still going out is dropped too: it cannot
  // answer it. A request that could not be written ends the exchange at once as NotSent (Aborted
  // while a stop is requested): no answer can come, so none is waited for.
  Received Exchange(int waitMs = 0);

  // Sets command and length of `txFrame`; the payload bytes stay as they are.
  void SetRequest(Command command, std::uint8_t length);

  // The open port found by the port scan; it stays for the rest of the run, but for a lost line.
  void SetPort(std::unique_ptr<SerialPort> port) {
    port_ = std::move(port);
    drainOwed_ = false;
    staleAssembling_ = false;
  }
  // How to open and configure the port's device again after the line was lost; returns nullptr
  // while the device cannot be opened.
  void SetReopen(std::function<std::unique_ptr<SerialPort>()> reopen) {
    reopen_ = std::move(reopen);
  }
  bool HasPort() const { return port_ != nullptr; }
  SerialPort* Port() const { return port_.get(); }
  void ClosePort() {
    port_.reset();
    drainOwed_ = false;
    staleAssembling_ = false;
  }

  // Asks the exchange in progress (from any thread) to give up: a waiting receive ends as
  // Aborted within a stop slice, and no frame is sent until ClearStop.
  void RequestStop() { stop_.store(true); }
  void ClearStop() { stop_.store(false); }
  bool StopRequested() const { return stop_.load(); }

  LinkClock& Clock() { return clock_; }
  void SetObserver(FrameObserver* observer) { observer_ = observer; }

  LinkFrame txFrame;
  LinkFrame rxFrame;

private:
  WriteEnd Send(SerialPort& port);
  // Drops the input on `port` that came before the request about to go out; false when a stop
  // request ended it.
  bool ClearLine(SerialPort& port);
  // Drops what has arrived on `port` so far, following the frames it holds (see `stale_`);
  // returns the number of bytes dropped.
  int DropArrived(SerialPort& port);
  // Shows the observer the input dropped into `dropped_`.
  void ReportDropped(const ReadResult& dropped);
  // Feeds `byte` to the frame being dropped whole; false when none is.
  bool DropStaleByte(std::uint8_t byte);
  // ReceiveFrame with the wait before the first read shortened to `firstWaitUs`.
  Received Receive(SerialPort& port, std::int64_t firstWaitUs);
  Received ReceiveOwn(std::int64_t firstWaitUs);
  // Ends a receive; `noise` says that bytes other than the answer came meanwhile.
  Received Finish(SerialPort& port, Received how, bool noise);

  LinkClock& clock_;
  std::unique_ptr<SerialPort> port_;
  std::function<std::unique_ptr<SerialPort>()> reopen_;
  std::uint8_t rxCount_ = 0;
  bool assembling_ = false;
  // The last exchange on the link's own port failed, or noise came with its answer: more of it
  // may still come, so the next send drains the line first. (The scan's ports are closed after
  // a failed exchange.)
  bool drainOwed_ = false;
  // The answer the request last sent awaits; none before the first request and after the probe.
  std::optional<AnswerRule> awaited_;
  // Input was dropped as the request went out: the line carries more than answers, so it is
  // cleared after this exchange.
  bool noiseNearRequest_ = false;
  // When the request last sent began to go out; it has left the line no sooner than its wire
  // time later.
  std::int64_t requestStartUs_ = 0;
  std::array<std::uint8_t, kDroppedFollowed> dropped_{};
  // The frame that had begun before the request went out and is being dropped whole: its bytes
  // so far, while `staleAssembling_`. The line is at a frame boundary whenever input is dropped
  // without a quiet gap (after a receive that took an answer and nothing behind it), so the
  // dropped bytes are followed from there.
  LinkFrame stale_;
  std::uint8_t staleCount_ = 0;
  bool staleAssembling_ = false;
  std::atomic<bool> stop_{false};
  FrameObserver* observer_ = nullptr;
};

}  // namespace vor

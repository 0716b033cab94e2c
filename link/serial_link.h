#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "link/link_frame.h"
#include "link/serial_port.h"

namespace vor {

// How a receive ended.
enum class Received {
  Frame,        // a complete frame with a matching checksum is in rxFrame
  BadChecksum,  // a complete frame arrived whose checksum does not match
  NoAnswer,     // ten attempts passed without a complete frame
  LinkLost,     // the read call failed: the adapter is gone or the line hung up
  Aborted,      // the link's stop flag was raised while the receive waited
};

// Sees every frame the link sends and every response it assembles (for --trace).
class FrameObserver {
public:
  virtual ~FrameObserver() = default;
  virtual void FrameSent(std::span<const std::uint8_t> bytes) = 0;
  // `bytes` are the bytes of the response assembled so far; `how` is how the receive ended.
  virtual void FrameReceived(std::span<const std::uint8_t> bytes, Received how) = 0;
};

// The one link to the controller: the open port, the transmit and receive buffers, and the
// exchange of single frames. Requests are built in place in `txFrame`; a response is read from
// `rxFrame` after ReceiveFrame returned Received::Frame. Neither buffer is cleared between
// frames. Used by one thread at a time (the link thread); only RequestStop may come from another.
class SerialLink {
public:
  static constexpr int kReceiveAttempts = 10;
  static constexpr int kWaitBeforeReadMs = 5;
  // After an abandoned exchange the line must be quiet this long before the next request, so a
  // late answer is not taken as the start of the next response. Longer than the inter-byte
  // time-out, so an answer in flight is caught whole.
  static constexpr int kQuietGapMs = 30;

  explicit SerialLink(LinkClock& clock) : clock_(clock) {}

  // Seals `txFrame` with its checksum and writes its length + 3 bytes to `port` in one write.
  // Returns whether the write succeeded; false without writing while a stop is requested.
  bool SendFrame(SerialPort& port);
  // Assembles one response from `port` into `rxFrame`: ten attempts, each a 5 ms wait and a read
  // of up to 19 bytes. Ends at once on a checksum mismatch, a failing read or a stop request.
  Received ReceiveFrame(SerialPort& port);

  // Exchanges on the link's own port. A receive that finds the line lost closes the port; the
  // next send reopens the same device first (see SetReopen), so plugging the adapter back in is
  // enough. Without a port, a send is false and a receive LinkLost.
  bool SendFrame();
  Received ReceiveFrame();

  // Sets command and length of `txFrame`; the payload bytes stay as they are.
  void SetRequest(Command command, std::uint8_t length);

  // The open port found by the port scan; it stays for the rest of the run, but for a lost line.
  void SetPort(std::unique_ptr<SerialPort> port) { port_ = std::move(port); }
  // How to open and configure the port's device again after the line was lost; returns nullptr
  // while the device cannot be opened.
  void SetReopen(std::function<std::unique_ptr<SerialPort>()> reopen) {
    reopen_ = std::move(reopen);
  }
  bool HasPort() const { return port_ != nullptr; }
  SerialPort* Port() const { return port_.get(); }
  void ClosePort() { port_.reset(); }

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
  Received Finish(Received how);

  LinkClock& clock_;
  std::unique_ptr<SerialPort> port_;
  std::function<std::unique_ptr<SerialPort>()> reopen_;
  std::uint8_t rxCount_ = 0;
  bool assembling_ = false;
  // An exchange was abandoned: its answer may still come, so the next send drains the line.
  bool drainBeforeSend_ = false;
  std::atomic<bool> stop_{false};
  FrameObserver* observer_ = nullptr;
};

}  // namespace vor

#pragma once

#include <cstdint>
#include <memory>

#include "link/link_frame.h"
#include "link/serial_port.h"

namespace vor {

// Sees every frame the link sends and every response it assembles (for --trace).
class FrameObserver {
public:
  virtual ~FrameObserver() = default;
  virtual void FrameSent(std::span<const std::uint8_t> bytes) = 0;
  // `bytes` are the bytes of the response assembled so far; `ok` is ReceiveFrame's result.
  virtual void FrameReceived(std::span<const std::uint8_t> bytes, bool ok) = 0;
};

// The one link to the controller: the open port, the transmit and receive buffers, and the
// exchange of single frames. Requests are built in place in `txFrame`; a response is read from
// `rxFrame` after ReceiveFrame returned true. Neither buffer is cleared between frames.
class SerialLink {
public:
  static constexpr int kReceiveAttempts = 10;
  static constexpr int kWaitBeforeReadMs = 5;

  explicit SerialLink(LinkClock& clock) : clock_(clock) {}

  // Seals `txFrame` with its checksum and writes its length + 3 bytes to `port` in one write.
  // Returns whether the write succeeded.
  bool SendFrame(SerialPort& port);
  // Assembles one response from `port` into `rxFrame`: ten attempts, each a 5 ms wait and a read
  // of up to 19 bytes. True when a complete frame with a matching checksum arrived; false at once
  // on a checksum mismatch or a failing read, and after the tenth attempt without a frame.
  bool ReceiveFrame(SerialPort& port);

  // Exchanges on the link's own port; false when there is none.
  bool SendFrame() { return port ? SendFrame(*port) : false; }
  bool ReceiveFrame() { return port ? ReceiveFrame(*port) : false; }

  // Sets command and length of `txFrame`; the payload bytes stay as they are.
  void SetRequest(Command command, std::uint8_t length);

  LinkClock& Clock() { return clock_; }
  void SetObserver(FrameObserver* observer) { observer_ = observer; }

  std::unique_ptr<SerialPort> port;  // set by the port scan, open for the rest of the run
  LinkFrame txFrame;
  LinkFrame rxFrame;
  std::uint8_t rxCount = 0;
  bool assembling = false;

private:
  LinkClock& clock_;
  FrameObserver* observer_ = nullptr;
};

}  // namespace vor

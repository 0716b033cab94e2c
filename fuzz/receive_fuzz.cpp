// Bytes from the line, at any spacing, through the receive assembly of the link.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "link/serial_link.h"
#include "simulator/virtual_port.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  vor::VirtualClock clock;
  vor::VirtualPort port(clock);
  // The first byte spaces the rest: from back to back up to 40 ms apart, past the read's
  // inter-byte time-out.
  const std::int64_t gapUs = std::int64_t{data[0]} * 160;
  for (std::size_t i = 1; i < size; ++i) {
    port.Arrive(std::span(data + i, 1), static_cast<std::int64_t>(i) * gapUs, false);
  }
  vor::SerialLink link(clock);
  for (int exchange = 0; exchange < 8; ++exchange) {
    const bool ok = link.ReceiveFrame(port) == vor::Received::Frame;
    if (ok && link.rxFrame.Length() > vor::LinkFrame::kMaxPayload) std::abort();
    if (ok &&
        vor::FrameChecksum(std::span(link.rxFrame.bytes).first(link.rxFrame.WireSize() - 1)) !=
            link.rxFrame[link.rxFrame.WireSize() - 1]) {
      std::abort();
    }
  }
  return 0;
}

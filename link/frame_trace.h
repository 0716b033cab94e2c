#pragma once

#include <QString>
#include <cstdio>

#include "link/serial_link.h"

namespace vor {

// Lower-case hex bytes separated by single spaces.
QString HexBytes(std::span<const std::uint8_t> bytes);

// Prints every frame as a line "<ms since start> TX|RX <hex bytes>" to a stream; a receive that
// failed is marked "RX!" with whatever bytes were assembled, followed by why it failed, and a
// request that did not go out "TX!". Bytes dropped to clear the line before a request show as
// "DROP" with (the first of) the bytes and their number, and so does a frame that came while
// another request's answer was awaited.
class FrameTrace : public FrameObserver {
public:
  FrameTrace(LinkClock& clock, std::FILE* out)
      : clock_(clock), out_(out), startUs_(clock.NowUs()) {}

  void FrameSent(std::span<const std::uint8_t> bytes) override;
  void FrameReceived(std::span<const std::uint8_t> bytes, Received how) override;
  void FrameNotSent() override;
  void InputDropped(std::span<const std::uint8_t> bytes, int count, bool quiet) override;
  void FrameDropped(std::span<const std::uint8_t> bytes, std::uint8_t awaited) override;

private:
  void Print(const char* tag, std::span<const std::uint8_t> bytes, const QString& note = {});

  LinkClock& clock_;
  std::FILE* out_;
  std::int64_t startUs_;
};

}  // namespace vor

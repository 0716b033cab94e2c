#pragma once

#include <cstdint>

#include "link/link_frame.h"

namespace vor {

// Splits the bytes the controller receives into request frames. A partial frame is dropped after
// a pause in the line, so one lost or extra byte spoils only the request it belongs to.
class RequestReader {
public:
  static constexpr std::int64_t kResyncGapUs = 5000;

  // Feeds one byte that arrived at `atUs`. Returns FrameOk when `Frame()` now holds a complete
  // request with a good checksum.
  AssembleResult Feed(std::uint8_t byte, std::int64_t atUs);
  const LinkFrame& Frame() const { return frame_; }

private:
  LinkFrame frame_;
  std::uint8_t count_ = 0;
  bool assembling_ = false;
  std::int64_t lastByteUs_ = 0;
};

}  // namespace vor

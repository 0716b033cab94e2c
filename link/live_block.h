#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "link/serial_link.h"

namespace vor {

// The 48 bytes of live data: bytes 0..15 come from the answer to LiveRead0, 16..31 from
// LiveRead1 and 32..47 from LiveRead2. What each byte means is the live-data definitions' say.
// All zero at program start.
struct LiveBlock {
  static constexpr std::size_t kSize = 48;
  static constexpr std::size_t kPartBytes = 16;
  static constexpr int kParts = 3;

  std::array<std::uint8_t, kSize> bytes{};
};

// Which of the three live requests of a poll were answered, in request order.
using LiveAnswers = std::array<bool, LiveBlock::kParts>;

struct LiveRead {
  LiveAnswers answered{};
  // The link's stop flag ended the poll early: the exchange in progress was abandoned, no later
  // request was sent, and the abandoned request changed nothing in the block.
  bool aborted = false;
};

// One poll of the live data as it reaches the user interface: the block after the poll, which
// requests were answered, and when the poll began on the link clock.
struct LivePoll {
  LiveBlock block;
  LiveAnswers answered{};
  std::int64_t timeUs = 0;
};

// Sends the three live requests (1B, 33, 34) one after another, without a pause between them, and
// updates `block`: an answer carrying its request's command byte and at least sixteen payload
// bytes puts the first sixteen in its third of the block; any other answer counts as none. An
// unanswered first request clears all 48 bytes (before the thirds of the second and third requests
// go in); an unanswered second or third request leaves its third as it was.
LiveRead ReadLiveBlock(SerialLink& link, LiveBlock& block);

}  // namespace vor

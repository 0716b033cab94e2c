#pragma once

// A Monitor poll's result as the link delivers it, made by a test: some bytes of the live block
// and which of its requests were answered.
#include <cstdint>
#include <utility>
#include <vector>

#include "link/live_block.h"

namespace vor::test {

inline LivePoll MakeLivePoll(std::int64_t timeUs,
                             const std::vector<std::pair<int, std::uint8_t>>& bytes = {},
                             LiveAnswers answered = {true, true, true}) {
  LivePoll poll;
  for (const auto& [at, byte] : bytes) poll.block.bytes[std::size_t(at)] = byte;
  poll.answered = answered;
  poll.timeUs = timeUs;
  return poll;
}

}  // namespace vor::test

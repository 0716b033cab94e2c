#include "link/live_block.h"

#include <algorithm>

namespace vor {
namespace {

constexpr Command kLiveRequests[LiveBlock::kParts] = {Command::LiveRead0, Command::LiveRead1,
                                                      Command::LiveRead2};

}  // namespace

LiveRead ReadLiveBlock(SerialLink& link, LiveBlock& block) {
  LiveRead read;
  for (int part = 0; part < LiveBlock::kParts; ++part) {
    const Command command = kLiveRequests[part];
    if (link.StopRequested()) {
      read.aborted = true;
      break;
    }
    link.SetRequest(command, 0);
    const Received how = link.Exchange();
    if (how == Received::Aborted) {
      read.aborted = true;
      break;
    }
    // The answer carries the request's command byte and sixteen bytes (a longer one is cut).
    const bool answered = how == Received::Frame;
    read.answered[std::size_t(part)] = answered;
    if (answered) {
      std::copy_n(link.rxFrame.bytes.begin() + LinkFrame::kPayload, LiveBlock::kPartBytes,
                  block.bytes.begin() + part * LiveBlock::kPartBytes);
    } else if (part == 0) {
      block.bytes.fill(0);
    }
  }
  return read;
}

}  // namespace vor

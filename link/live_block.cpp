#include "link/live_block.h"

#include <algorithm>

namespace vor {
namespace {

constexpr Command kLiveRequests[LiveBlock::kParts] = {Command::LiveRead0, Command::LiveRead1,
                                                      Command::LiveRead2};

}  // namespace

LiveAnswers ReadLiveBlock(SerialLink& link, LiveBlock& block) {
  LiveAnswers answered{};
  for (int part = 0; part < LiveBlock::kParts; ++part) {
    const Command command = kLiveRequests[part];
    link.SetRequest(command, 0);
    link.SendFrame();
    answered[std::size_t(part)] =
        link.ReceiveFrame() && link.rxFrame.Command() == static_cast<std::uint8_t>(command);
    if (answered[std::size_t(part)]) {
      // Sixteen payload bytes whatever the length byte says.
      std::copy_n(link.rxFrame.bytes.begin() + LinkFrame::kPayload, LiveBlock::kPartBytes,
                  block.bytes.begin() + part * LiveBlock::kPartBytes);
    } else if (part == 0) {
      block.bytes.fill(0);
    }
  }
  return answered;
}

}  // namespace vor

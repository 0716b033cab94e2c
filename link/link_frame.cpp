#include "link/link_frame.h"

#include <algorithm>

namespace vor {

std::size_t LinkFrame::WireSize() const {
  return std::min<std::size_t>(bytes[kLength], kMaxPayload) + 3;
}

std::optional<AnswerRule> AnswerTo(std::uint8_t request) {
  switch (static_cast<Command>(request)) {
    case Command::PortProbe:
      return std::nullopt;
    case Command::Detect:
      return AnswerRule{request, 3};  // payload byte 2 tells a controller
    case Command::ReadPhaseZero:
      return AnswerRule{request, 3};  // one reading per phase
    case Command::ReadBlock:
    case Command::LiveRead0:
    case Command::LiveRead1:
    case Command::LiveRead2:
      return AnswerRule{request, LinkFrame::kMaxPayload};
    case Command::BeginTransfer:
    case Command::WriteBlock:
    case Command::Commit:
      break;
  }
  // An acknowledgement: only its command byte is read.
  return AnswerRule{request, 0};
}

bool Answers(const LinkFrame& frame, const AnswerRule& rule) {
  return frame.Command() == rule.command && frame.Length() >= rule.payloadBytes;
}

std::uint8_t FrameChecksum(std::span<const std::uint8_t> bytes) {
  unsigned sum = 0;
  for (std::uint8_t b : bytes) sum += b;
  return static_cast<std::uint8_t>(sum);
}

std::size_t SealFrame(LinkFrame& frame) {
  const std::size_t length = std::min<std::size_t>(frame.Length(), LinkFrame::kMaxPayload);
  frame[length + 2] = FrameChecksum(std::span(frame.bytes).first(length + 2));
  return length + 3;
}

AssembleResult AssembleByte(LinkFrame& rxFrame, std::uint8_t& rxCount, bool& assembling,
                            std::uint8_t byte) {
  if (!assembling) {
    rxCount = 0;
    rxFrame[LinkFrame::kLength] = 0;
    assembling = true;
  }
  if (rxCount < LinkFrame::kMaxSize) rxFrame[rxCount++] = byte;
  if (rxFrame[LinkFrame::kLength] > LinkFrame::kMaxPayload) {
    rxFrame[LinkFrame::kLength] = LinkFrame::kMaxPayload;
  }
  const std::size_t length = rxFrame.Length();
  if (rxCount < length + 3) return AssembleResult::Incomplete;
  assembling = false;
  const std::uint8_t sum = FrameChecksum(std::span(rxFrame.bytes).first(length + 2));
  return sum == rxFrame[length + 2] ? AssembleResult::FrameOk : AssembleResult::ChecksumError;
}

}  // namespace vor

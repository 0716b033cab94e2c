#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace vor {

// One request or response on the line: command, length (0..16), payload, checksum.
// The checksum is the low 8 bits of the sum of command, length and payload.
struct LinkFrame {
  static constexpr std::size_t kMaxPayload = 16;
  static constexpr std::size_t kMaxSize = kMaxPayload + 3;  // 19
  static constexpr std::size_t kCommand = 0;
  static constexpr std::size_t kLength = 1;
  static constexpr std::size_t kPayload = 2;

  std::array<std::uint8_t, kMaxSize> bytes{};

  std::uint8_t& operator[](std::size_t i) { return bytes[i]; }
  std::uint8_t operator[](std::size_t i) const { return bytes[i]; }
  std::uint8_t Command() const { return bytes[kCommand]; }
  std::uint8_t Length() const { return bytes[kLength]; }
  std::uint8_t Payload(std::size_t i) const { return bytes[kPayload + i]; }
  // Size on the wire as the length byte says; the length byte is taken as at most 16.
  std::size_t WireSize() const;
};

// The commands the tool sends.
enum class Command : std::uint8_t {
  PortProbe = 0x00,
  Detect = 0x11,
  BeginTransfer = 0xF1,
  ReadBlock = 0xF2,
  WriteBlock = 0xF3,
  Commit = 0xF4,
  LiveRead0 = 0x1B,
  LiveRead1 = 0x33,
  LiveRead2 = 0x34,
  ReadPhaseZero = 0x35,
};

// What answers a request: a frame that carries the request's own command byte and at least the
// payload bytes its caller reads. Any other frame (a late answer to an earlier request, an
// unsolicited one, a short one whose missing positions would be left over from earlier frames) is
// no answer to it, whatever its checksum.
struct AnswerRule {
  std::uint8_t command = 0;
  std::size_t payloadBytes = 0;
};

// The answer a request with command byte `request` awaits; nothing for the port probe, which
// awaits none.
std::optional<AnswerRule> AnswerTo(std::uint8_t request);

// Whether `frame`, a response whose checksum matched, is an answer of the kind `rule` names.
bool Answers(const LinkFrame& frame, const AnswerRule& rule);

// Low 8 bits of the sum of `bytes`.
std::uint8_t FrameChecksum(std::span<const std::uint8_t> bytes);

// Writes the checksum after the payload that `frame`'s length byte names; returns the number of
// bytes to send (length + 3). A length byte above 16 is not clipped here: callers never build one.
std::size_t SealFrame(LinkFrame& frame);

// Receive assembly, one byte at a time. `rxFrame`, `rxCount` and `assembling` are the receive
// state of the link; this function holds the whole assembly rule so that the link, the fuzzer and
// the tests share it: the first byte after a reset is taken as the command byte (no search for a
// frame start), a length byte above 16 is replaced by 16 as soon as it is stored, and the frame
// is judged as soon as length + 3 bytes are in.
enum class AssembleResult { Incomplete, FrameOk, ChecksumError };

AssembleResult AssembleByte(LinkFrame& rxFrame, std::uint8_t& rxCount, bool& assembling,
                            std::uint8_t byte);

}  // namespace vor

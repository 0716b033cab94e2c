#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace vor {

// Misbehaviour the simulated controller can be told to show.
enum class FaultKind {
  Silent,           // act on the request, answer nothing
  Ignore,           // neither act on the request nor answer it
  CorruptChecksum,  // answer with a checksum one off
  StrayByte,        // send one extra byte before the answer
  Late,             // answer `delayMs` later than usual
  WrongCommand,     // answer with another command byte (a valid frame otherwise)
  OverlongLength,   // answer with length byte 0x14 and sixteen payload bytes
  ShortAnswer,      // answer with the last payload byte missing (a valid, shorter frame)
  Forget,           // answer as usual but keep nothing of the request (a write block's bytes)
  Stale,            // answer `delayMs` late without holding up the answers to later requests,
                    // which go out meanwhile: this one then comes among them
  Twice,            // send the answer a second time, `delayMs` after the first
  Cut,              // send only the first half of the answer; the rest never comes
};

// Applies to the requests with command byte `command` (any command when empty) whose running
// number for that command is `nth` (1-based; 0 means every one).
struct FaultRule {
  FaultRule() = default;
  explicit FaultRule(FaultKind kind, std::optional<std::uint8_t> command = std::nullopt,
                     int nth = 0, int delayMs = 0)
      : kind(kind), command(command), nth(nth), delayMs(delayMs) {}

  FaultKind kind = FaultKind::Silent;
  std::optional<std::uint8_t> command;
  int nth = 0;
  int delayMs = 0;

  bool Matches(std::uint8_t requestCommand, int requestNumber) const {
    return (!command || *command == requestCommand) && (nth == 0 || nth == requestNumber);
  }
};

// Parses "KIND[:CMD[:N[:MS]]]" with KIND one of silent, ignore, bad-checksum, stray, late,
// wrong-command, long-length, short, forget, stale, twice, cut; CMD a hex command byte or "any";
// N the request number (0 = all); MS the delay of "late" and "stale", and of the copy of "twice".
// Returns nothing and sets `error` on bad input.
std::optional<FaultRule> ParseFaultRule(const QString& text, QString& error);

}  // namespace vor

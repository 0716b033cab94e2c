#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "link/serial_link.h"

namespace vor {

// The wait between the first phase zero request of a reading and its receive.
inline constexpr int kPhaseZeroWaitMs = 50;

using PhaseZeroReading = std::array<std::uint8_t, 3>;  // phases A, B, C

// One phase zero exchange on `link`: sends 35 00 35 (the payload bytes left in `txFrame` are not
// sent), waits kPhaseZeroWaitMs when `waitBeforeReceive`, and receives. The zero offsets of
// phases A, B and C (payload bytes 0..2) when a valid frame with command byte 0x35 and at least
// three payload bytes came back; nullopt otherwise.
std::optional<PhaseZeroReading> ReadPhaseZero(SerialLink& link, bool waitBeforeReceive);

}  // namespace vor

#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace vor {

inline constexpr std::size_t kLiveBlockSize = 48;

// Plausible live readings of a running vehicle at time `nowUs`: voltages around `nominalVolt`,
// slowly drifting temperatures, a duty cycle and speed that sweep, switches that toggle, and a
// fault word (bytes 32..33) with a bit set now and then, or `faultWord` when given. Same time,
// same readings.
void FillLiveBlock(std::array<std::uint8_t, kLiveBlockSize>& block, std::int64_t nowUs,
                   int nominalVolt, std::optional<std::uint16_t> faultWord = std::nullopt);

// Three phase-current zero offsets near 128 that wander by a few counts.
std::array<std::uint8_t, 3> PhaseZeroReadings(std::int64_t nowUs);

}  // namespace vor

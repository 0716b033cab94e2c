#pragma once

#include <cstdint>

namespace vor {

// 19200 baud, 8N1: ten bits per byte.
inline constexpr int kBaudRate = 19200;

// Time in microseconds for `count` bytes on the wire, rounded down.
constexpr std::int64_t WireTimeUs(std::int64_t count) { return count * 10'000'000 / kBaudRate; }

}  // namespace vor

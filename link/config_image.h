#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vor {

// The tool's copy of the controller's 128-byte configuration. Byte addresses 0..127 are the
// record numbers of the parameter scripts; multi-byte values stand most significant byte first.
// Every byte reads 0xFF until the first successful read replaces it.
struct ConfigImage {
  static constexpr std::size_t kSize = 128;

  ConfigImage() { bytes.fill(0xFF); }

  std::uint8_t& operator[](std::size_t addr) { return bytes[addr]; }
  std::uint8_t operator[](std::size_t addr) const { return bytes[addr]; }

  std::array<std::uint8_t, kSize> bytes;
};

}  // namespace vor

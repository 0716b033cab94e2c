#include "simulator/live_data.h"

#include <algorithm>
#include <cmath>

namespace vor {
namespace {

std::uint8_t Byte(double value) {
  return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

}  // namespace

void FillLiveBlock(std::array<std::uint8_t, kLiveBlockSize>& block, std::int64_t nowUs,
                   int nominalVolt, std::optional<std::uint16_t> faultWord) {
  const double t = static_cast<double>(nowUs) / 1e6;
  const double duty = 50 + 45 * std::sin(t / 4.0);  // percent
  const double volt = nominalVolt + 1.5 * std::sin(t / 9.0) - duty / 40.0;
  const double heatsink = 32 + 6 * std::sin(t / 60.0);
  const double motor = 41 + 9 * std::sin(t / 45.0);
  const bool brake = std::fmod(t, 17.0) < 1.5;
  const bool reverse = std::fmod(t, 40.0) > 36.0;
  const int speed = brake ? 0 : static_cast<int>(duty * 42);
  const int hall = static_cast<int>(t * 8) % 6;
  static constexpr std::array<std::uint8_t, 6> kHallPattern{1, 3, 2, 6, 4, 5};

  std::uint16_t faults = 0;
  if (std::fmod(t, 30.0) > 25.0) faults |= 1u << 3;  // a temperature warning now and then
  if (std::fmod(t, 47.0) > 44.0) faults |= 1u << 2;  // a dip below the low-voltage limit
  if (faultWord) faults = *faultWord;

  block.fill(0);
  block[0] = Byte(brake ? 200 : 12);        // brake input AD
  block[1] = Byte(45 + duty * 1.6);         // throttle AD
  block[2] = Byte(128 + 10 * std::sin(t));  // speed pot AD
  block[3] = Byte(volt * 1.6);              // power AD
  block[4] = Byte(150);                     // VS AD
  block[5] = Byte(volt * 1.6);              // B+ AD
  block[6] = Byte(110 - heatsink);          // temperature AD
  for (int phase = 0; phase < 3; ++phase) {
    block[7 + phase] = Byte(128 + duty / 8 * std::sin(t * 20 + phase * 2.1));  // phase currents
    block[10 + phase] = Byte(volt * duty / 100 * 1.6);                         // phase voltages
  }
  block[13] = Byte(120 - heatsink);  // high-side temperature AD
  block[14] = Byte(12 * 10.4);       // V+ AD
  block[15] = Byte(118 - heatsink);  // low-side temperature AD
  block[16] = Byte(volt);            // PWR Volt
  block[17] = Byte(volt);            // B+ Volt
  for (int phase = 0; phase < 3; ++phase) block[18 + phase] = Byte(volt * duty / 100);
  block[21] = Byte(duty);
  block[22] = Byte(12 + 0.3 * std::sin(t / 3));  // V+ Volt
  block[23] = Byte(heatsink + 3);                // High Temp
  block[24] = Byte(heatsink);                    // Low Temp
  block[25] = Byte(motor);                       // Motor Temp
  block[26] = brake;
  block[27] = reverse;
  block[28] = !brake;  // foot switch
  const std::uint8_t pattern = kHallPattern[static_cast<std::size_t>(hall)];
  block[29] = (pattern >> 2) & 1;                      // SC level
  block[30] = (pattern >> 1) & 1;                      // SB level
  block[31] = pattern & 1;                             // SA level
  block[32] = static_cast<std::uint8_t>(faults >> 8);  // fault word, most significant first
  block[33] = static_cast<std::uint8_t>(faults);
  block[34] = static_cast<std::uint8_t>(speed >> 8);
  block[35] = static_cast<std::uint8_t>(speed);
  block[36] = Byte(heatsink + 1);         // PCB Temp
  block[37] = !reverse;                   // forward switch
  block[38] = std::fmod(t, 60.0) > 50.0;  // high/low speed switch
}

std::array<std::uint8_t, 3> PhaseZeroReadings(std::int64_t nowUs) {
  const std::int64_t step = nowUs / 100'000;
  return {static_cast<std::uint8_t>(126 + step % 5),
          static_cast<std::uint8_t>(127 + (step / 3) % 4),
          static_cast<std::uint8_t>(129 - (step / 2) % 5)};
}

}  // namespace vor

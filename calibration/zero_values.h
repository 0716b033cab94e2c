#pragma once

#include <cstdint>

namespace vor {

// The phase zero calibration values: the lowest readings of the last answered calibration Read.
// They outlive the calibration dialog, for the whole run.
struct ZeroValues {
  std::int32_t ZeroA = 0;
  std::int32_t ZeroB = 0;
  std::int32_t ZeroC = 0;
  // A calibration Read in this run has had at least one answer: only then do the values hold
  // readings rather than their start values.
  bool answered = false;
};

}  // namespace vor

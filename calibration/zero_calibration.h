#pragma once

// The phase zero calibration without its window: the three exchanges of a Read (run on the
// link), the history rules that turn their answers into the dialog's texts and the calibration
// values, and Update's bytes. The dialog and vor-cli zero share them.

#include <QString>
#include <array>
#include <optional>

#include "calibration/zero_values.h"
#include "link/config_image.h"
#include "link/phase_zero.h"

namespace vor {

inline constexpr int kZeroExchanges = 3;
// Image bytes of the phase A, B and C zero offsets that Update writes.
inline constexpr std::size_t kPhaseZeroAddr = 97;

// The answers to the three exchanges of one Read, in order; nullopt for an unanswered one.
using ZeroAnswers = std::array<std::optional<PhaseZeroReading>, kZeroExchanges>;

// Runs the three exchanges of a Read on `link`: a kPhaseZeroWaitMs wait before the first
// receive only. Call on the thread that owns the link.
ZeroAnswers ReadZeroExchanges(SerialLink& link);

// The texts of the dialog's six fields, phases A, B, C.
struct ZeroFields {
  std::array<QString, 3> lowest;    // 1344..1346
  std::array<QString, 3> readings;  // 1347..1349, comma-separated readings
};

// Applies one Read's answers. The first answered exchange, whichever it is, starts the history:
// it replaces the readings texts and sets the values; each later answer appends its readings and
// lowers a value it undercuts. With no answer the readings and values stay as they were. The
// lowest-value texts then show the values in every case. Returns the number of answers.
int ApplyZeroRead(const ZeroAnswers& answers, ZeroValues& values, ZeroFields& fields);

// Update: image bytes 97..99 := the low bytes of ZeroA, ZeroB, ZeroC. Refused (false, nothing
// written) until a Read in this run has been answered: the start values are no calibration.
bool UpdatePhaseZero(const ZeroValues& values, ConfigImage& image);

}  // namespace vor

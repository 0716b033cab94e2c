#include "calibration/zero_calibration.h"

namespace vor {
namespace {

std::array<std::int32_t*, 3> Phases(ZeroValues& values) {
  return {&values.ZeroA, &values.ZeroB, &values.ZeroC};
}

}  // namespace

ZeroAnswers ReadZeroExchanges(SerialLink& link) {
  ZeroAnswers answers;
  for (int exchange = 0; exchange < kZeroExchanges; ++exchange) {
    answers[std::size_t(exchange)] = ReadPhaseZero(link, exchange == 0);
  }
  return answers;
}

int ApplyZeroRead(const ZeroAnswers& answers, ZeroValues& values, ZeroFields& fields) {
  const std::array<std::int32_t*, 3> stored = Phases(values);
  int answered = 0;
  for (const std::optional<PhaseZeroReading>& answer : answers) {
    if (!answer) continue;
    for (std::size_t phase = 0; phase < 3; ++phase) {
      const std::uint8_t reading = (*answer)[phase];
      if (answered == 0) {
        fields.readings[phase] = QString::number(reading);
        *stored[phase] = reading;
      } else {
        fields.readings[phase] += u',' + QString::number(reading);
        if (*stored[phase] > reading) *stored[phase] = reading;
      }
    }
    ++answered;
  }
  if (answered > 0) values.answered = true;
  for (std::size_t phase = 0; phase < 3; ++phase) {
    fields.lowest[phase] = QString::number(*stored[phase]);
  }
  return answered;
}

bool UpdatePhaseZero(const ZeroValues& values, ConfigImage& image) {
  if (!values.answered) return false;
  image[kPhaseZeroAddr] = std::uint8_t(values.ZeroA & 0xFF);
  image[kPhaseZeroAddr + 1] = std::uint8_t(values.ZeroB & 0xFF);
  image[kPhaseZeroAddr + 2] = std::uint8_t(values.ZeroC & 0xFF);
  return true;
}

}  // namespace vor

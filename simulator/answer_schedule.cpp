#include "simulator/answer_schedule.h"

#include <algorithm>

namespace vor {

std::int64_t AnswerSchedule::Place(std::int64_t nowUs, std::int64_t dueUs, std::int64_t durationUs,
                                   bool overtaken) {
  std::erase_if(taken_, [&](const Span& span) { return span.endUs <= nowUs; });
  std::int64_t start = overtaken ? dueUs : std::max(dueUs, lineFreeUs_);
  // The earliest start from there at which the whole answer fits between those placed.
  for (bool moved = true; moved;) {
    moved = false;
    for (const Span& span : taken_) {
      if (start < span.endUs && span.startUs < start + durationUs) {
        start = span.endUs;
        moved = true;
      }
    }
  }
  taken_.push_back({start, start + durationUs});
  if (!overtaken) lineFreeUs_ = start + durationUs;
  return start;
}

}  // namespace vor

#include "monitor/monitor_poll.h"

#include <algorithm>

namespace vor {

void MonitorPoll::Poll(LiveBytes block, bool firstAnswered, const DefinitionSet& set,
                       const LiveSlots& liveSlots, FieldTexts& fields) {
  ++PollCount;  // wraps from 255 to 0
  LinkOk = firstAnswered;
  const bool faultTurn = PollCount % kFaultEvery == 0;
  for (int k = 0; k < kMonitorSlotCount; ++k) {
    std::optional<QString>& field = fields[static_cast<std::size_t>(k)];
    field.reset();
    if (k >= liveSlots.count) continue;
    const LiveDef& def =
        set.liveItems[static_cast<std::size_t>(liveSlots.position[std::size_t(k)])];
    LiveText text = FormatLiveItem(def, block);
    switch (text.kind) {
      case LiveText::Kind::Text:
        field = std::move(text.text);
        break;
      case LiveText::Kind::Blank:
        field = QString();
        break;
      case LiveText::Kind::Unwritten:
        break;
      case LiveText::Kind::FaultWord:
        if (faultTurn) field = RotateFault(text.word, set.Faults(), FaultCursor);
        break;
    }
  }
}

std::optional<QString> RotateFault(std::uint32_t word, std::span<const FaultDef> faults,
                                   std::uint8_t& cursor) {
  if (word == 0) return QStringLiteral(" ");
  const std::size_t end = std::min<std::size_t>(faults.size(), 32);
  std::optional<QString> shown;
  while (cursor < end) {
    const std::size_t bit = cursor++;
    if (word >> bit & 1u) {
      shown = faults[bit].name;
      break;
    }
  }
  if (cursor >= end) cursor = 0;
  return shown;
}

std::int64_t NextPollDeadlineUs(std::int64_t previousUs, std::int64_t nowUs,
                                std::int64_t periodUs) {
  const std::int64_t next = previousUs + periodUs;
  if (next > nowUs) return next;
  return next + (nowUs - next) / periodUs * periodUs;
}

}  // namespace vor

#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "definitions/definition_set.h"
#include "pages/live_items.h"

namespace vor {

// The Monitor page's poll state and what each poll shows, without widgets. One instance for the
// whole run: it survives the page being hidden, and a page shown again goes on from it.
class MonitorPoll {
public:
  // The new text of each slot's field after a poll; nullopt: the field keeps its text.
  using FieldTexts = std::array<std::optional<QString>, kMonitorSlotCount>;

  // The poll's period, and the polls after which the fault field moves on to the next fault.
  static constexpr int kPeriodMs = 200;
  static constexpr int kFaultEvery = 10;

  // One poll: counts it, takes LinkOk from whether the first request was answered, and puts
  // into `fields` the text of every slot's field over `block` (the block as the poll left it).
  // Multi-byte "h" items show the fault rotation, on every tenth poll only.
  void Poll(LiveBytes block, bool firstAnswered, const DefinitionSet& set,
            const LiveSlots& liveSlots, FieldTexts& fields);

  // Number of polls, modulo 256; 0 counts as a tenth poll.
  std::uint8_t PollCount = 0;
  // The bit at which the next search for an active fault starts.
  std::uint8_t FaultCursor = 0;
  // The first request of the last poll was answered.
  bool LinkOk = false;
};

// One step of the fault rotation over `word`: from bit `cursor` on, the name of the next set bit
// that has a fault definition, the cursor moving past it. A zero word gives one space and leaves
// the cursor. When no set bit is found up to the end of the table, the field keeps its text
// (nullopt); reaching the end puts the cursor back to bit 0.
std::optional<QString> RotateFault(std::uint32_t word, std::span<const FaultDef> faults,
                                   std::uint8_t& cursor);

// The deadline of the poll after the one due at `previousUs`, on the grid `previousUs` + k *
// `periodUs`, once that poll has ended at `nowUs`: the next grid point, or, when the poll outlasted
// it, the latest grid point already passed (so the next poll starts at once, and missed polls are
// skipped instead of run in a burst).
std::int64_t NextPollDeadlineUs(std::int64_t previousUs, std::int64_t nowUs, std::int64_t periodUs);

}  // namespace vor

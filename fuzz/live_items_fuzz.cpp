// Random live-data definitions and live blocks through the Monitor page's polls and the live
// records: no crash, no read outside the block, the fault cursor inside the fault table, and
// every JSON line parses.
#include <QJsonDocument>
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "live/live_record.h"
#include "monitor/monitor_poll.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  constexpr std::size_t kBlock = 48;
  constexpr std::size_t kItemBytes = 5;
  if (size < 2 + kBlock) return 0;
  static const char* const kFormats[] = {"uo", "so", "h", "a", "x"};

  // The block is a copy of exactly 48 bytes, so a read past its end is caught by the sanitizer.
  auto block = std::make_unique<std::array<std::uint8_t, kBlock>>();
  std::copy_n(data, kBlock, block->begin());
  auto set = std::make_unique<vor::DefinitionSet>();
  set->faultCount = data[kBlock] % (vor::DefinitionSet::kMaxFaults + 1);
  for (int bit = 0; bit < set->faultCount; ++bit) {
    set->faults[std::size_t(bit)].name = QStringLiteral("F%1").arg(bit);
  }
  const int polls = 1 + data[kBlock + 1] % 30;
  for (std::size_t at = kBlock + 2;
       at + kItemBytes <= size && set->liveCount < vor::DefinitionSet::kMaxLiveItems;
       at += kItemBytes) {
    vor::LiveDef& def = set->liveItems[std::size_t(set->liveCount++)];
    // Addresses and widths reach past both ends of the block.
    def.addr = static_cast<std::int8_t>(data[at]) / 2 + 24;
    def.pro = data[at + 1] % 4;
    def.pos = static_cast<std::int8_t>(data[at + 2]) / 16;
    def.sw = kFormats[data[at + 3] % 5];
    def.en = data[at + 4] % 3;
    def.name = QStringLiteral("Item \"%1\",\n").arg(set->liveCount);
  }

  const vor::LiveSlots liveSlots = vor::LiveSlotWalk(*set);
  Check(liveSlots.count <= vor::kMonitorSlotCount);
  vor::MonitorPoll poll;
  vor::MonitorPoll::FieldTexts fields;
  for (int i = 0; i < polls; ++i) {
    poll.Poll(*block, i % 3 != 0, *set, liveSlots, fields);
    Check(poll.FaultCursor <= set->faultCount);
  }

  const QStringList columns = vor::LiveColumns(*set, liveSlots);
  const vor::LiveRecord record = vor::MakeLiveRecord(*set, liveSlots, *block, true, 200);
  Check(record.values.size() == columns.size());
  QJsonParseError error;
  QJsonDocument::fromJson(vor::JsonLine(columns, record).toUtf8(), &error);
  Check(error.error == QJsonParseError::NoError);
  vor::CsvRow(record);
  return 0;
}

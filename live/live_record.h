#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

#include "definitions/definition_set.h"
#include "pages/csv_text.h"
#include "pages/live_items.h"

namespace vor {

// One poll as a record of texts: what vor-cli monitor prints and a recording writes, column for
// column. The columns are the fields of the Monitor page, in slot order.
struct LiveRecord {
  std::int64_t timeMs = 0;  // when the poll began, from the first poll of the run
  bool linkOk = false;      // the first request was answered
  QStringList values;       // one text per column
  QStringList faults;       // names of the set bits of the fault word, in ascending bit order
};

// The labels of the page's fields, in slot order.
QStringList LiveColumns(const DefinitionSet& set, const LiveSlots& liveSlots);

// The record of one poll over `block`. Each value is the text the page's field shows, except
// that an "h" item that the page rotates fault names in, and the fault-word item (the last "h"
// item), show their value as at least four lower-case hex digits; `faults` names the set bits of
// the fault-word item's value.
LiveRecord MakeLiveRecord(const DefinitionSet& set, const LiveSlots& liveSlots, LiveBytes block,
                          bool firstAnswered, std::int64_t timeMs);

// CSV (RFC 4180 quoting), without line ends: "time_ms,status," + the columns + ",faults", and
// one row per record with the fault names joined by "|".
QString CsvHeader(const QStringList& columns);
QString CsvRow(const LiveRecord& record);

// One JSON object on one line, keys in this order:
// {"time_ms":N,"status":"...","values":{"label":"text",...},"faults":["name",...]}
QString JsonLine(const QStringList& columns, const LiveRecord& record);

}  // namespace vor

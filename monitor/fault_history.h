#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <span>
#include <vector>

#include "definitions/definition_set.h"

namespace vor {

// Every fault that was active in any poll since the program started (or since Clear): when it
// was first and last seen, in how many polls it was active, and whether it is active in the
// latest poll. Polls whose first request went unanswered carry no fault word and change nothing.
class FaultHistory {
public:
  struct Entry {
    int bit = 0;
    QString name;
    QDateTime firstSeen;
    QDateTime lastSeen;
    int polls = 0;  // polls in which the fault was active
    bool activeNow = false;
    bool named = true;  // false: no fault names the bit, and `name` is "Bit i"
  };

  // One answered poll at `when` with the fault word `word`; bit i is named by `faults[i]`
  // (bits without a name are listed as "Bit i", which the window shows translated).
  void Record(std::uint32_t word, std::span<const FaultDef> faults, const QDateTime& when);
  void Clear() { entries_.clear(); }

  // The faults seen, most recently seen first (ties by bit number).
  std::vector<Entry> Entries() const;
  bool Empty() const { return entries_.empty(); }

  // The table as CSV: a header, then one row per entry in the order of Entries(); times in
  // ISO 8601 with milliseconds.
  QString ToCsv() const;

private:
  std::vector<Entry> entries_;  // in the order first seen
};

}  // namespace vor

#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <span>
#include <vector>

#include "definitions/definition_set.h"

namespace vor {

// Every fault that was active in any poll since the program started (or since Clear): when it
// was first and last seen, in how many polls it was active, and whether it is active now, as far
// as the latest poll tells. Polls that brought no fault word (their first request, or the one
// for the fault word, went unanswered) count nothing, and while they fail, or nothing is polled,
// whether a fault is active is not known.
class FaultHistory {
public:
  enum class Now { Active, Inactive, Unknown };

  struct Entry {
    int bit = 0;
    QString name;
    QDateTime firstSeen;
    QDateTime lastSeen;
    int polls = 0;  // polls in which the fault was active
    Now now = Now::Inactive;
    bool named = true;  // false: no fault names the bit, and `name` is "Bit i"
  };

  // One poll at `when` that brought the fault word `word`; bit i is named by `faults[i]` (bits
  // without a name are listed as "Bit i", which the window shows translated).
  void Record(std::uint32_t word, std::span<const FaultDef> faults, const QDateTime& when);
  // A poll that brought no fault word, or the end of polling: no fault is known to be active or
  // not until the next Record.
  void Unknown();
  void Clear() { entries_.clear(); }

  // The faults seen, most recently seen first (ties by bit number).
  std::vector<Entry> Entries() const;
  bool Empty() const { return entries_.empty(); }
  // Whether any poll has brought a fault word since the program started: whether faults were
  // watched at all.
  bool Watched() const { return watched_; }

  // The table as CSV: a header, then one row per entry in the order of Entries(); times in
  // ISO 8601 with milliseconds.
  QString ToCsv() const;

private:
  std::vector<Entry> entries_;  // in the order first seen
  bool watched_ = false;
};

}  // namespace vor

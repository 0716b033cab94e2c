#include "live/fault_history.h"

#include <algorithm>

#include "pages/csv_text.h"

namespace vor {
namespace {

QString NowText(FaultHistory::Now now) {
  switch (now) {
    case FaultHistory::Now::Active:
      return QStringLiteral("yes");
    case FaultHistory::Now::Inactive:
      return QStringLiteral("no");
    case FaultHistory::Now::Unknown:
      break;
  }
  return QStringLiteral("unknown");
}

}  // namespace

void FaultHistory::Record(std::uint32_t word, std::span<const FaultDef> faults,
                          const QDateTime& when) {
  watched_ = true;
  for (Entry& entry : entries_) entry.now = Now::Inactive;
  for (int bit = 0; bit < 32; ++bit) {
    if (!(word >> bit & 1u)) continue;
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [bit](const Entry& entry) { return entry.bit == bit; });
    if (it == entries_.end()) {
      const bool named = std::size_t(bit) < faults.size();
      const QString name =
          named ? faults[std::size_t(bit)].name : QStringLiteral("Bit %1").arg(bit);
      entries_.push_back({bit, name, when, when, 0, Now::Inactive, named});
      it = entries_.end() - 1;
    }
    it->lastSeen = when;
    ++it->polls;
    it->now = Now::Active;
  }
}

void FaultHistory::Unknown() {
  for (Entry& entry : entries_) entry.now = Now::Unknown;
}

std::vector<FaultHistory::Entry> FaultHistory::Entries() const {
  std::vector<Entry> sorted = entries_;
  std::stable_sort(sorted.begin(), sorted.end(), [](const Entry& a, const Entry& b) {
    if (a.lastSeen != b.lastSeen) return a.lastSeen > b.lastSeen;
    return a.bit < b.bit;
  });
  return sorted;
}

QString FaultHistory::ToCsv() const {
  QString csv = QStringLiteral("name,bit,first_seen,last_seen,polls,active_now\r\n");
  for (const Entry& entry : Entries()) {
    csv += CsvField(entry.name.trimmed()) + u',' + QString::number(entry.bit) + u',' +
           entry.firstSeen.toString(Qt::ISODateWithMs) + u',' +
           entry.lastSeen.toString(Qt::ISODateWithMs) + u',' + QString::number(entry.polls) + u',' +
           NowText(entry.now) + QStringLiteral("\r\n");
  }
  return csv;
}

}  // namespace vor

// The fault history over a run of polls.
#include "live/fault_history.h"

#include <gtest/gtest.h>

namespace vor {
namespace {

class FaultHistoryTest : public ::testing::Test {
protected:
  FaultHistoryTest() {
    for (const char* name : {"Identify Err", "Over Voltage", "Low Voltage", "Temp Warn"}) {
      faults.push_back({int(faults.size()), QString::fromLatin1(name)});
    }
  }
  QDateTime At(int second) const { return start.addSecs(second); }

  std::vector<FaultDef> faults;
  QDateTime start{QDate(2026, 12, 10), QTime(9, 0), Qt::UTC};
  FaultHistory history;
};

TEST_F(FaultHistoryTest, CountsFirstAndLastSeenAndWhatIsActiveNow) {
  history.Record(0b0100, faults, At(0));
  history.Record(0b1100, faults, At(1));
  history.Record(0b1000, faults, At(2));
  history.Record(0, faults, At(3));  // all clear: nothing is active, nothing is forgotten
  history.Record(0b0100, faults, At(4));

  const std::vector<FaultHistory::Entry> entries = history.Entries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, "Low Voltage");  // seen last, listed first
  EXPECT_EQ(entries[0].bit, 2);
  EXPECT_EQ(entries[0].firstSeen, At(0));
  EXPECT_EQ(entries[0].lastSeen, At(4));
  EXPECT_EQ(entries[0].polls, 3);
  EXPECT_EQ(entries[0].now, FaultHistory::Now::Active);
  EXPECT_EQ(entries[1].name, "Temp Warn");
  EXPECT_EQ(entries[1].firstSeen, At(1));
  EXPECT_EQ(entries[1].lastSeen, At(2));
  EXPECT_EQ(entries[1].polls, 2);
  EXPECT_EQ(entries[1].now, FaultHistory::Now::Inactive);
}

// While polls bring no fault word, or none are made, no fault is claimed to be active or not; the
// next fault word tells again.
TEST_F(FaultHistoryTest, WithoutAFaultWordWhatIsActiveIsNotKnown) {
  history.Record(0b0110, faults, At(0));
  history.Record(0b0100, faults, At(1));
  history.Unknown();
  for (const FaultHistory::Entry& entry : history.Entries()) {
    EXPECT_EQ(entry.now, FaultHistory::Now::Unknown) << entry.name.toStdString();
    EXPECT_EQ(entry.lastSeen, At(entry.bit == 2 ? 1 : 0));  // nothing else changes
  }
  EXPECT_TRUE(history.ToCsv().endsWith(",unknown\r\n"));
  history.Record(0b0010, faults, At(5));
  const std::vector<FaultHistory::Entry> entries = history.Entries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, "Over Voltage");
  EXPECT_EQ(entries[0].now, FaultHistory::Now::Active);
  EXPECT_EQ(entries[1].now, FaultHistory::Now::Inactive);
}

TEST_F(FaultHistoryTest, BitsWithoutANameAreListedByNumberAndClearForgetsAll) {
  history.Record(1u << 20, faults, At(0));
  ASSERT_EQ(history.Entries().size(), 1u);
  EXPECT_EQ(history.Entries()[0].name, "Bit 20");
  history.Clear();
  EXPECT_TRUE(history.Empty());
}

TEST_F(FaultHistoryTest, ExportsACsvTableInTheShownOrder) {
  faults[1].name = "Over, \"High\" Voltage";
  history.Record(0b0011, faults, At(0));
  history.Record(0b0001, faults, At(5));
  EXPECT_EQ(history.ToCsv(),
            "name,bit,first_seen,last_seen,polls,active_now\r\n"
            "Identify Err,0,2026-12-10T09:00:00.000Z,2026-12-10T09:00:05.000Z,2,yes\r\n"
            "\"Over, \"\"High\"\" Voltage\",1,2026-12-10T09:00:00.000Z,"
            "2026-12-10T09:00:00.000Z,1,no\r\n");
}

}  // namespace
}  // namespace vor

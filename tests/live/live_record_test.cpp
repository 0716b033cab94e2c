// One poll as a CSV row or a JSON line: the columns, the texts and the quoting.
#include "live/live_record.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <array>

#include "tests/support/live_item.h"

namespace vor {
namespace {

using test::LiveItem;

class LiveRecordTest : public ::testing::Test {
protected:
  LiveRecordTest() {
    for (const LiveDef& item :
         {LiveItem(21, 1, 0, "uo", "Duty"), LiveItem(0, 1, 0, "uo", "Hidden", 0),
          LiveItem(23, 1, 0, "so", "High Temp"), LiveItem(8, 2, 3, "a", "Name, \"short\""),
          LiveItem(32, 2, 1, "h", "Fault"), LiveItem(34, 2, 1, "uo", "Motor Speed")}) {
      set.liveItems[std::size_t(set.liveCount++)] = item;
    }
    const char* names[] = {"Identify Err", "Over Voltage", "Low Voltage", "Temp Warn",
                           "Blocked Err"};
    for (const char* name : names) set.faults[std::size_t(set.faultCount++)].name = name;
    liveSlots = LiveSlotWalk(set);
    block.fill(0);
    block[21] = 55;
    block[23] = 0xF6;
    block[8] = 'A';
    block[9] = ',';
    block[10] = 'B';
    block[33] = 0x12;  // bits 1 and 4
    block[34] = 0x05;
    block[35] = 0xDC;
  }

  DefinitionSet set;
  LiveSlots liveSlots;
  std::array<std::uint8_t, 48> block;
};

TEST_F(LiveRecordTest, ARowHoldsThePagesTextsTheFaultWordInHexAndTheFaultNames) {
  const QStringList columns = LiveColumns(set, liveSlots);
  EXPECT_EQ(CsvHeader(columns),
            "time_ms,status,Duty,High Temp,\"Name, \"\"short\"\"\",Fault,Motor Speed,faults");
  const LiveRecord record = MakeLiveRecord(set, liveSlots, block, true, 400);
  EXPECT_EQ(record.values, (QStringList{"55", "-10", "A,B", "0012", "1500"}));
  EXPECT_EQ(record.faults, (QStringList{"Over Voltage", "Blocked Err"}));
  EXPECT_EQ(CsvRow(record), "400,Success!,55,-10,\"A,B\",0012,1500,Over Voltage|Blocked Err");

  // Request 1 unanswered: the link has cleared the block.
  block.fill(0);
  EXPECT_EQ(CsvRow(MakeLiveRecord(set, liveSlots, block, false, 600)), "600,Failure!,0,0,,0000,0,");
}

TEST_F(LiveRecordTest, AJsonLineKeepsTheColumnOrderAndParsesBack) {
  const QStringList columns = LiveColumns(set, liveSlots);
  const QString line = JsonLine(columns, MakeLiveRecord(set, liveSlots, block, true, 200));
  EXPECT_FALSE(line.contains(u'\n'));
  EXPECT_TRUE(line.startsWith("{\"time_ms\":200,\"status\":\"Success!\",\"values\":{\"Duty\":"));
  const QJsonObject object = QJsonDocument::fromJson(line.toUtf8()).object();
  EXPECT_EQ(object["time_ms"].toInt(), 200);
  EXPECT_EQ(object["status"].toString(), "Success!");
  EXPECT_EQ(object["values"].toObject()["Name, \"short\""].toString(), "A,B");
  EXPECT_EQ(object["values"].toObject()["Fault"].toString(), "0012");
  EXPECT_EQ(object["faults"].toArray(), (QJsonArray{"Over Voltage", "Blocked Err"}));
}

TEST(CsvField, QuotesOnlyWhatNeedsIt) {
  const struct {
    const char* text;
    const char* expected;
  } cases[] = {
      {"plain", "plain"},
      {"B+  Volt", "B+  Volt"},
      {"a,b", "\"a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"two\nlines", "\"two\nlines\""},
      {"cr\r", "\"cr\r\""},
      {" ", "\" \""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(CsvField(c.text), c.expected) << c.text;
}

}  // namespace
}  // namespace vor

// The recording of the Monitor's polls into a CSV file: vor-cli monitor's header and rows, a row
// per poll, and what a write error leaves behind.
#include "live/live_recorder.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "live/live_record.h"
#include "tests/support/live_item.h"
#include "tests/support/special_files.h"

namespace vor {
namespace {

using test::LiveItem;

LivePoll Poll(std::int64_t timeUs, std::uint8_t duty, bool answered = true) {
  LivePoll poll;
  poll.block.bytes[21] = duty;
  poll.block.bytes[33] = 0x02;  // bit 1
  poll.answered = {answered, true, true};
  poll.timeUs = timeUs;
  return poll;
}

QStringList Lines(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
  if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
  return lines;
}

class LiveRecorderTest : public ::testing::Test {
protected:
  LiveRecorderTest() {
    for (const LiveDef& item :
         {LiveItem(21, 1, 0, "uo", "Duty"), LiveItem(8, 2, 1, "a", "Name, \"x\""),
          LiveItem(32, 2, 1, "h", "Fault")}) {
      set.liveItems[std::size_t(set.liveCount++)] = item;
    }
    set.faults[0].name = "Identify Err";
    set.faults[1].name = "Over Voltage";
    set.faultCount = 2;
    path = dir.filePath("live.csv");
  }

  DefinitionSet set;
  QTemporaryDir dir;
  QString path;
  LiveRecorder recorder;
};

TEST_F(LiveRecorderTest, WritesVorCliMonitorsHeaderAndOneRowPerPollFromTheFirstPollsTime) {
  ASSERT_TRUE(recorder.Start(path, set)) << recorder.Error().toStdString();
  EXPECT_TRUE(recorder.Recording());
  ASSERT_TRUE(recorder.Add(Poll(5'000'000, 55)));
  ASSERT_TRUE(recorder.Add(Poll(5'200'000, 56, false)));
  ASSERT_TRUE(recorder.Add(Poll(5'400'000, 57)));
  EXPECT_EQ(recorder.Rows(), 3);
  // Every row is on disk as soon as it is added, before the recording ends.
  const QStringList lines = Lines(path);
  ASSERT_EQ(lines.size(), 4);
  EXPECT_EQ(lines[0], "time_ms,status,Duty,\"Name, \"\"x\"\"\",Fault,faults");
  EXPECT_EQ(lines[1], "0,Success!,55,,0002,Over Voltage");
  EXPECT_EQ(lines[2], "200,Failure!,56,,0002,Over Voltage");  // the texts the poll left
  EXPECT_EQ(lines[3], "400,Success!,57,,0002,Over Voltage");

  // One module writes both: the same text as vor-cli's lines for the same poll.
  const LiveSlots liveSlots = LiveSlotWalk(set);
  EXPECT_EQ(lines[0], CsvHeader(LiveColumns(set, liveSlots)));
  EXPECT_EQ(lines[3], CsvRow(MakeLiveRecord(set, liveSlots, Poll(0, 57).block.bytes, true, 400)));

  recorder.Stop();
  EXPECT_FALSE(recorder.Recording());
  EXPECT_FALSE(recorder.Add(Poll(5'600'000, 58)));
  EXPECT_EQ(Lines(path).size(), 4);

  // A new recording into the same file starts it anew, its time from its own first poll.
  ASSERT_TRUE(recorder.Start(path, set));
  ASSERT_TRUE(recorder.Add(Poll(9'000'000, 60)));
  EXPECT_EQ(Lines(path), (QStringList{lines[0], "0,Success!,60,,0002,Over Voltage"}));
}

TEST_F(LiveRecorderTest, AFileThatCannotBeWrittenIsRefusedWithTheReason) {
  EXPECT_FALSE(recorder.Start(dir.filePath("missing/live.csv"), set));
  EXPECT_FALSE(recorder.Recording());
  EXPECT_FALSE(recorder.Error().isEmpty());

  // A named pipe would take the rows and lose them (a reader is open, so that opening it for
  // writing would not wait): not a file, so refused.
  VOR_SKIP_WITHOUT_POSIX_FILES();
  const QString pipe = dir.filePath("pipe");
  ASSERT_TRUE(test::MakeFifo(pipe));
  const int reader = test::OpenFifoReader(pipe);
  ASSERT_GE(reader, 0);
  EXPECT_FALSE(recorder.Start(pipe, set));
  test::CloseFifoReader(reader);
  EXPECT_FALSE(recorder.Recording());
  EXPECT_EQ(recorder.Error(), "it is a named pipe, not a file");
}

// A file that may grow no further, as on a full disk: the row that does not fit stops the
// recording, and the file ends with the last whole row.
TEST_F(LiveRecorderTest, AWriteErrorStopsTheRecordingAndLeavesWholeRows) {
  ASSERT_TRUE(recorder.Start(path, set));
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(recorder.Add(Poll(i * 200'000, 55)));
  const qint64 size = QFileInfo(path).size();

  VOR_SKIP_WITHOUT_POSIX_FILES();
  bool added = true;
  {
    const test::FileSizeLimit limit(size + 10);  // half a row more
    ASSERT_TRUE(limit.ok());
    added = recorder.Add(Poll(600'000, 55));
  }

  EXPECT_FALSE(added);
  EXPECT_FALSE(recorder.Recording());
  EXPECT_EQ(recorder.Rows(), 3);
  EXPECT_FALSE(recorder.Error().isEmpty());
  const QStringList lines = Lines(path);
  ASSERT_EQ(lines.size(), 4);
  EXPECT_EQ(lines[3], "400,Success!,55,,0002,Over Voltage");
  EXPECT_EQ(QFileInfo(path).size(), size);
}

}  // namespace
}  // namespace vor

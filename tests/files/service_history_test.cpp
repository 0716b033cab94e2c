// The service history: a record per write, appended whole or not at all, read back whatever an
// interruption left at the end.
#include "files/service_history.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "definitions/model_images.h"
#include "tests/files/loaded_definitions.h"
#include "tests/support/private_mounts.h"

namespace vor {
namespace {

ServiceRecord Record(const QString& serial, const QDateTime& time) {
  ServiceRecord record;
  record.time = time;
  record.program = "vor-cli";
  record.version = "1.0.0.1";
  record.operation = "set";
  record.port = "/dev/ttyUSB0";
  record.serialNumber = serial;
  record.changes.push_back({"Vehicle", "Low Volt", "54", "50"});
  record.outcome = ServiceOutcome::Verified;
  return record;
}

QByteArray Content(const QString& path) {
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  return file.readAll();
}

void Put(const QString& path, const QByteArray& content) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(content), content.size());
}

const QDateTime kMorning(QDate(2026, 12, 11), QTime(9, 15, 30, 250));

TEST(ServiceHistory, AWriteIsRecordedWithTheIdentityAndTheValuesAsThePagesShowThem) {
  ConfigImage before = *DefaultImageFor(u"VOR");
  test::SetSerial(before, 1234567);
  ConfigImage written = before;
  written[19] = 50;     // Low Volt
  written[13] ^= 0x21;  // a byte no page shows
  const std::unique_ptr<DefinitionSet> set = test::LoadedFor(before);

  ServiceRecord record = RecordOfWrite(before, written, *set);
  EXPECT_EQ(record.serialNumber, "1234567");
  EXPECT_EQ(record.modelCode, "VOR");
  EXPECT_EQ(record.moduleName.left(3), "VOR");
  ASSERT_EQ(record.changes.size(), 2u);
  EXPECT_EQ(record.changes[0].page, "Vehicle");
  EXPECT_EQ(record.changes[0].parameter, "Low Volt");
  EXPECT_EQ(record.changes[0].after, "50");
  EXPECT_EQ(record.changes[1].page, "");
  EXPECT_EQ(record.changes[1].parameter, "byte 13");
  EXPECT_EQ(record.changes[1].after,
            QStringLiteral("0x%1").arg(written[13], 2, 16, QChar(u'0')).toStdString().c_str());

  // One line of JSON that reads back as it was written.
  record.time = kMorning;
  record.program = "vor-user";
  record.outcome = ServiceOutcome::Failed;
  record.reason = "the controller did not take the configuration";
  record.backup = "/backups/VOR72450-1234567-20261211-091530-250.bin";
  const QByteArray line = ServiceRecordJson(record);
  EXPECT_FALSE(line.contains('\n'));
  EXPECT_TRUE(
      line.contains("\"outcome\":\"failed: the controller did not take the "
                    "configuration\""))
      << line.toStdString();
  const std::optional<ServiceRecord> parsed = ParseServiceRecord(line);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->time, kMorning);
  EXPECT_EQ(parsed->OutcomeText(), record.OutcomeText());
  EXPECT_EQ(parsed->backup, record.backup);
  EXPECT_EQ(parsed->changes[1].before, record.changes[1].before);
}

TEST(ServiceHistory, TheOutcomeSaysWhatTheControllerHolds) {
  const struct {
    WriteStatus status;
    std::optional<bool> readBack;
    const char* outcome;
  } cases[] = {
      {WriteStatus::Committed, true, "verified"},
      {WriteStatus::Committed, std::nullopt, "acknowledged, not verified"},
      {WriteStatus::Committed, false,
       "failed: read back, the controller does not hold every value written"},
      {WriteStatus::ConfirmedByReadBack, std::nullopt, "verified"},
      {WriteStatus::BlockFailed, std::nullopt,
       "failed: a block went unanswered, so nothing was committed; the controller keeps its "
       "previous configuration"},
      {WriteStatus::HandshakeFailed, std::nullopt,
       "failed: the controller did not answer; nothing was written"},
      {WriteStatus::ReadBackDiffers, std::nullopt,
       "failed: the controller did not take the configuration"},
      {WriteStatus::Unknown, std::nullopt, "unknown"},
  };
  for (const auto& c : cases) {
    ServiceRecord record;
    record.outcome = OutcomeOfWrite(c.status, c.readBack, record.reason);
    EXPECT_EQ(record.OutcomeText().toStdString(), c.outcome);
    EXPECT_EQ(record.Verified(), std::string_view(c.outcome) == "verified");
  }
}

TEST(ServiceHistory, RecordsAreAppendedAndListedPerControllerNewestFirst) {
  QTemporaryDir dir;
  const QString path = ServiceHistoryPath(dir.filePath("vor-user/backups"));
  EXPECT_EQ(path, dir.filePath("vor-user/service-history.jsonl"));
  EXPECT_TRUE(ReadServiceHistory(path).records.empty());  // no file yet

  QString error;
  for (const auto& [serial, minutes] : {std::pair{"111", 0}, {"222", 5}, {"111", 10}}) {
    ASSERT_TRUE(AppendServiceRecord(path, Record(serial, kMorning.addSecs(minutes * 60)), error))
        << error.toStdString();
  }
  EXPECT_EQ(Content(path).count('\n'), 3);

  const ServiceHistory history = ReadServiceHistory(path);
  EXPECT_TRUE(history.warnings.isEmpty());
  const std::vector<ServiceRecord> unit = RecordsOf(history, "111");
  ASSERT_EQ(unit.size(), 2u);
  EXPECT_EQ(unit[0].time, kMorning.addSecs(600));
  EXPECT_EQ(unit[1].time, kMorning);
  EXPECT_EQ(RecordsOf(history, "111", kMorning.addSecs(60)).size(), 1u);
  EXPECT_EQ(RecordsOf(history, "").size(), 3u);
}

// A power cut in the middle of an append leaves a torn last line: it is skipped with a warning,
// and the next record starts a line of its own, so the history stays readable.
TEST(ServiceHistory, ATornLastLineIsSkippedAndTheNextRecordStartsALineOfItsOwn) {
  QTemporaryDir dir;
  const QString path = dir.filePath("service-history.jsonl");
  const QByteArray whole = ServiceRecordJson(Record("111", kMorning)) + '\n';
  const QByteArray torn = ServiceRecordJson(Record("111", kMorning.addSecs(60))).left(40);
  Put(path, whole + torn);

  ServiceHistory history = ReadServiceHistory(path);
  EXPECT_EQ(history.records.size(), 1u);
  ASSERT_EQ(history.warnings.size(), 1);
  EXPECT_TRUE(history.warnings[0].contains("incomplete")) << history.warnings[0].toStdString();

  QString error;
  ASSERT_TRUE(AppendServiceRecord(path, Record("111", kMorning.addSecs(120)), error));
  history = ReadServiceHistory(path);
  ASSERT_EQ(history.records.size(), 2u);
  EXPECT_EQ(history.records[1].time, kMorning.addSecs(120));
  EXPECT_EQ(history.warnings.size(), 1);  // the torn line, now in the middle
}

TEST(ServiceHistory, WhatIsNotAFileIsNeitherReadNorAppendedTo) {
  QTemporaryDir dir;
  const QString folder = dir.filePath("service-history.jsonl");
  ASSERT_TRUE(QDir().mkpath(folder));
  QString error;
  EXPECT_FALSE(AppendServiceRecord(folder, Record("111", kMorning), error));
  EXPECT_TRUE(error.contains("folder")) << error.toStdString();
  EXPECT_FALSE(ReadServiceHistory(folder).error.isEmpty());
}

// On a full disk the append fails with the system's reason and the history keeps exactly what
// it held: no part of the record stays behind as a torn line.
TEST(ServiceHistory, OnAFullDiskTheAppendFailsAndTheHistoryIsAsItWas) {
  if (!test::InPrivateMountNamespace()) return;
  QTemporaryDir dir;
  const QString folder = dir.filePath("full");
  // A history that leaves ten bytes of its last page of the small disk free: the start of the
  // next record fits, the rest does not.
  ServiceRecord padded = Record("111", kMorning);
  QByteArray line = ServiceRecordJson(padded) + '\n';
  padded.port += QString(4086 - line.size(), u'x');
  line = ServiceRecordJson(padded) + '\n';
  ASSERT_EQ(line.size(), 4086);
  const test::FullDisk full(folder, {{"service-history.jsonl", line}});

  const QString path = QDir(folder).filePath("service-history.jsonl");
  QString error;
  EXPECT_FALSE(AppendServiceRecord(path, Record("111", kMorning.addSecs(60)), error));
  EXPECT_TRUE(error.contains("No space left on device")) << error.toStdString();
  EXPECT_EQ(Content(path), line);
}

}  // namespace
}  // namespace vor

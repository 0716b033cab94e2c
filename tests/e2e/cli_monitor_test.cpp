// vor-cli monitor against vor-sim: a line per poll, as CSV or JSON, until the count or Ctrl+C.
#include <gtest/gtest.h>
#include <signal.h>

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "tests/e2e/cli_fixture.h"

namespace {

using vor::test::CliRun;

class CliMonitorTest : public vor::test::CliFixture {};

// The live items the VOR controller's script shows, in table order.
const QStringList kVorColumns = {"Break_AD",    "TPS_AD",        "B+  Volt",      "Duty",
                                 "Motor Temp",  "Break Swith",   "Reverse Swith", "Foot Swith",
                                 "SC_Level",    "SB_Level",      "SA_Level",      "Fault",
                                 "Motor Speed", "Forward Swith", "HFSP Swith"};

TEST_F(CliMonitorTest, CountTenPrintsAHeaderAndTenRowsWithTheFaultWordAndItsNames) {
  StartSim({"--fault-bits", "0012"});
  const CliRun run = CliOnSim({"monitor", "--count", "10"});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 11) << run.out.toStdString();
  EXPECT_EQ(lines[0], "time_ms,status," + kVorColumns.join(',') + ",faults");
  const qsizetype fault = kVorColumns.indexOf("Fault") + 2;
  qint64 previousMs = -1;
  for (const QString& line : lines.mid(1)) {
    const QStringList fields = line.split(',');
    ASSERT_EQ(fields.size(), kVorColumns.size() + 3) << line.toStdString();
    const qint64 timeMs = fields[0].toLongLong();
    EXPECT_GT(timeMs, previousMs);
    previousMs = timeMs;
    EXPECT_EQ(fields[1], "Success!");
    EXPECT_EQ(fields[fault], "0012");
    EXPECT_EQ(fields.last(), "Over Voltage|Blocked Err");
  }
  EXPECT_EQ(lines[1].split(',')[0], "0");
}

TEST_F(CliMonitorTest, JsonGivesOneObjectPerPoll) {
  StartSim();
  const CliRun run = CliOnSim({"monitor", "--count", "3", "--json"});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 3);
  for (const QString& line : lines) {
    QJsonParseError error;
    const QJsonObject poll = QJsonDocument::fromJson(line.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << line.toStdString();
    EXPECT_EQ(poll["status"].toString(), "Success!");
    EXPECT_EQ(poll["values"].toObject().keys().size(), kVorColumns.size());
    EXPECT_TRUE(poll["values"].toObject()["Motor Speed"].isString());
    EXPECT_TRUE(poll["faults"].isArray());
  }
}

TEST_F(CliMonitorTest, AControllerThatNeverAnswersTheFirstRequestStillGivesALinePerPoll) {
  StartSim({"--fault", "silent:1b"});
  const CliRun run = CliOnSim({"monitor", "--count", "2"});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 3);
  for (const QString& line : lines.mid(1)) {
    EXPECT_EQ(line.split(',')[1], "Failure!") << line.toStdString();
    EXPECT_EQ(line.split(',')[2], "0") << line.toStdString();  // the block was cleared
  }
}

// One stray byte before a live answer fails that poll's first request and no later one: the rest
// of the answer is dropped before the next request, as the trace shows.
TEST_F(CliMonitorTest, AStrayByteCostsOnePollOnly) {
  StartSim({"--fault", "stray:1b:2"});
  const CliRun run = CliOnSim({"--trace", "monitor", "--count", "4"});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 5);
  QStringList statuses;
  for (const QString& line : lines.mid(1)) statuses << line.split(',')[1];
  EXPECT_EQ(statuses, (QStringList{"Success!", "Failure!", "Success!", "Success!"}));
  EXPECT_EQ(run.err.count(" ms DROP "), 1) << run.err.toStdString();
  EXPECT_TRUE(run.err.contains("(1 byte)\n")) << run.err.toStdString();
}

// A live answer 1.9 s late, which comes among the answers of later polls, and answers sent
// twice: each is dropped as no answer to the request awaited, and every poll is whole.
TEST_F(CliMonitorTest, LateAndRepeatedLiveAnswersCostNoPoll) {
  StartSim({"--fault", "stale:34:1:1900", "--fault", "twice:34:3:30", "--fault", "twice:1b:5:3"});
  const CliRun run = CliOnSim({"--trace", "monitor", "--count", "12"});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 13);
  for (const QString& line : lines.mid(1)) {
    EXPECT_EQ(line.split(',')[1], "Success!") << run.err.toStdString();
  }
  EXPECT_GE(run.err.count(" ms DROP 34 10 "), 2) << run.err.toStdString();
  EXPECT_GE(run.err.count(" ms DROP 1b 10 "), 1) << run.err.toStdString();
  // Every frame taken carries the command byte of the request before it.
  QString request;
  for (const QString& line : run.err.split('\n')) {
    const QStringList words = line.simplified().split(' ');
    if (words.size() < 4) continue;
    if (words[2] == "TX") request = words[3];
    if (words[2] == "RX") {
      EXPECT_EQ(words[3], request) << line.toStdString();
    }
  }
}

TEST_F(CliMonitorTest, CtrlCEndsThePollingWithExitZero) {
  StartSim();
  QProcess cli;
  cli.start(VOR_CLI_PATH, {"--port", devicePath, "monitor"});
  ASSERT_TRUE(cli.waitForStarted());
  QByteArray out;
  QElapsedTimer timer;
  timer.start();
  while (out.count('\n') < 3 && timer.elapsed() < 20'000) {
    cli.waitForReadyRead(100);
    out += cli.readAllStandardOutput();
  }
  ASSERT_GE(out.count('\n'), 3) << out.toStdString();
  ::kill(static_cast<pid_t>(cli.processId()), SIGINT);
  ASSERT_TRUE(cli.waitForFinished(5000));
  EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(cli.exitCode(), 0);
  out += cli.readAllStandardOutput();
  EXPECT_TRUE(out.endsWith('\n'));  // no half-written line
}

TEST_F(CliMonitorTest, BadCountsAndMisplacedOptionsAreUsageErrors) {
  for (const QStringList& args :
       {QStringList{"monitor", "--count", "0"}, QStringList{"monitor", "--count", "ten"},
        QStringList{"read", "--count", "3"}, QStringList{"scan", "--json"}}) {
    const CliRun run = Cli(args);
    EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.startsWith("vor-cli: ")) << run.err.toStdString();
  }
}

TEST_F(CliMonitorTest, TheSimulatorRefusesBadFaultBits) {
  sim.start(VOR_SIM_PATH, {"--fault-bits", "12345"});
  ASSERT_TRUE(sim.waitForFinished(5000));
  EXPECT_EQ(sim.exitCode(), 2);
  EXPECT_TRUE(sim.readAllStandardError().contains("bad fault bits"));
}

}  // namespace

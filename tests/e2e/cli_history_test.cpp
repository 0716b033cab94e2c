// Every command of vor-cli that changes the controller leaves a record in the service history,
// whatever came of it; `history` prints the records and `report` makes the visit's PDF.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

#include "calibration/zero_calibration.h"
#include "definitions/model_images.h"
#include "files/backup_store.h"
#include "tests/e2e/cli_fixture.h"

namespace {

using vor::test::CliRun;

class CliHistoryTest : public vor::test::CliFixture {
protected:
  QString HistoryPath() const { return dir.filePath("data/vor-user/service-history.jsonl"); }

  // `history --json`, newest first.
  QJsonArray Records(const QStringList& options = {}) {
    const CliRun run = Cli(QStringList{"history", "--json"} + options);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    return QJsonDocument::fromJson(run.rawOut).array();
  }

  static QStringList Changes(const QJsonObject& record) {
    QStringList changes;
    for (const QJsonValue& change : record["changes"].toArray()) {
      const QJsonObject c = change.toObject();
      changes << QStringLiteral("%1/%2: %3 -> %4")
                     .arg(c["page"].toString(), c["parameter"].toString(), c["before"].toString(),
                          c["after"].toString());
    }
    return changes;
  }

  // The text of the PDF at `path`, as pdftotext gives it.
  static QString PdfText(const QString& path) {
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", path, "-"});
    EXPECT_TRUE(pdftotext.waitForFinished(30'000));
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
  }
};

TEST_F(CliHistoryTest, EveryCommandThatChangesTheControllerIsRecordedWithItsBackup) {
  vor::ConfigImage image = *vor::DefaultImageFor(u"VOR");
  for (std::size_t phase = 0; phase < 3; ++phase) image[vor::kPhaseZeroAddr + phase] = 0;
  StartSim({"--image",
            WriteFile("start.bin", QByteArray(reinterpret_cast<const char*>(image.bytes.data()),
                                              vor::ConfigImage::kSize))});
  QByteArray written = ReadImageFile();
  written[19] = char(50);  // Low Volt, as set makes it
  written[20] = char(80);  // Over Volt
  QByteArray other = written;
  other[28] = 1;  // Control Mode
  const QStringList commands[] = {
      {"set", "Low Volt=50"},
      {"write", "--in", WriteFile("written.bin", written)},
      {"apply", WriteFile("other.bin", other)},
      {"zero", "--update"},
  };
  for (const QStringList& command : commands) {
    const CliRun run = CliOnSim(command);
    ASSERT_EQ(run.exitCode, 0) << command.join(' ').toStdString() << run.err.toStdString();
  }
  // What changes nothing is not a write, so it leaves no record.
  EXPECT_EQ(CliOnSim({"set", "Low Volt=40", "--dry-run"}).exitCode, 0);

  const QJsonArray records = Records();
  ASSERT_EQ(records.size(), 4);
  const QStringList operations = {"zero --update", "apply", "write --in", "set"};
  const QStringList backups = vor::BackupStore(BackupsFolder()).BackupsOf(vor::BackupSerial(image));
  ASSERT_EQ(backups.size(), 4);
  for (qsizetype i = 0; i < records.size(); ++i) {
    const QJsonObject record = records[i].toObject();
    SCOPED_TRACE(operations[i].toStdString());
    EXPECT_EQ(record["operation"].toString(), operations[i]);
    EXPECT_EQ(record["program"].toString(), "vor-cli");
    EXPECT_EQ(record["port"].toString(), devicePath);
    EXPECT_EQ(record["serialNumber"].toString(), vor::BackupSerial(image));
    EXPECT_EQ(record["outcome"].toString(), "verified");
    EXPECT_TRUE(record["verified"].toBool());
    EXPECT_EQ(record["backup"].toString(), backups[i]);
  }
  EXPECT_EQ(Changes(records[3].toObject()), QStringList{"Vehicle/Low Volt: 54 -> 50"});
  EXPECT_EQ(Changes(records[2].toObject()), QStringList{"Vehicle/Over Volt: 86 -> 80"});
  EXPECT_EQ(Changes(records[1].toObject()).size(), 1);
  EXPECT_EQ(Changes(records[0].toObject()).size(), 3);  // one offset per phase

  // Of another serial number there is nothing; as text, a block per record.
  EXPECT_TRUE(Records({"--serial", "1"}).isEmpty());
  const CliRun text = Cli({"history", "--serial", vor::BackupSerial(image)});
  EXPECT_EQ(text.exitCode, 0);
  EXPECT_EQ(text.out.count("Result: verified"), 4) << text.out.toStdString();
  EXPECT_TRUE(text.out.contains("  Vehicle: Low Volt: 54 → 50")) << text.out.toStdString();
}

// A write that did not take, or was not verified, is kept as well: the history is what was done to
// the unit, not only what succeeded. (A Commit whose end stays unknown takes the link's long wait
// for the controller first; its outcome's words are the history's unit tests'.)
TEST_F(CliHistoryTest, AFailedWriteIsRecordedWithWhatTheControllerHolds) {
  const struct {
    QStringList fault;
    QString outcome;
  } cases[] = {
      {{"--fault", "ignore:f3:4"},
       "failed: a block went unanswered, so nothing was committed; the controller keeps its "
       "previous configuration"},
      // Reads: the command's own before the write (1-8), then the one after it.
      {{"--fault", "ignore:f2:9"}, "acknowledged, not verified"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.outcome.toStdString());
    QFile::remove(HistoryPath());
    StartSim(c.fault);
    EXPECT_EQ(CliOnSim({"set", "Low Volt=50"}).exitCode, 1);
    const QJsonArray records = Records();
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records[0].toObject()["outcome"].toString(), c.outcome);
    EXPECT_FALSE(records[0].toObject()["verified"].toBool());
    EXPECT_EQ(Changes(records[0].toObject()), QStringList{"Vehicle/Low Volt: 54 -> 50"});
  }
}

// The history is a record of the write, not a condition of it.
TEST_F(CliHistoryTest, AHistoryThatCannotBeAppendedToDoesNotStopTheWriteAndSaysSo) {
  StartSim();
  ASSERT_TRUE(QDir().mkpath(QFileInfo(HistoryPath()).path()));
  ASSERT_TRUE(QFile::link("/dev/full", HistoryPath()));
  const CliRun run = CliOnSim({"set", "Low Volt=50"});
  EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_TRUE(run.err.contains("this write is not in the service history"))
      << run.err.toStdString();
  EXPECT_EQ(ReadImageFile()[19], char(50));
}

TEST_F(CliHistoryTest, TheReportOfTheVisitNamesItsChangesAndKeepsWhoMadeIt) {
  StartSim();
  ASSERT_EQ(CliOnSim({"set", "Low Volt=50"}).exitCode, 0);
  const QString pdf = dir.filePath("visit.pdf");
  // The first report needs the workshop and the technician; they are kept for the next.
  const CliRun refused = CliOnSim({"report", "--out", pdf});
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_FALSE(QFile::exists(pdf));
  const CliRun first = CliOnSim({"report", "--out", pdf, "--workshop", "Ace Motors", "--technician",
                                 "J. Doe", "--paper", "letter"});
  ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
  QFile::remove(pdf);
  const CliRun again =
      CliOnSim({"report", "--out", pdf, "--since", QDate::currentDate().toString(Qt::ISODate)});
  ASSERT_EQ(again.exitCode, 0) << again.err.toStdString();
  const QString text = PdfText(pdf).simplified();
  for (const char* expected : {"Service Report", "Ace Motors", "J. Doe",
                               "Vehicle: Low Volt 54 50 verified", "Low Volt 50 18~90"}) {
    EXPECT_TRUE(text.contains(expected)) << expected << "\n" << text.toStdString();
  }
  // A visit that starts later has no change yet.
  QFile::remove(pdf);
  const QString tomorrow = QDate::currentDate().addDays(1).toString(Qt::ISODate) + "T08:00";
  ASSERT_EQ(CliOnSim({"report", "--out", pdf, "--since", tomorrow}).exitCode, 0);
  EXPECT_FALSE(PdfText(pdf).simplified().contains("Vehicle: Low Volt 54 50"));
  EXPECT_EQ(CliOnSim({"report", "--out", pdf, "--since", "yesterday"}).exitCode, 2);
  EXPECT_EQ(CliOnSim({"report", "--out", pdf, "--paper", "a5"}).exitCode, 2);
}

}  // namespace

// The desktop program's service record: each Write leaves a record in the service history, File >
// Service History lists this controller's and restores a backup from one, and File > Service
// Report makes the visit's PDF.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "files/backup_store.h"
#include "files/service_history.h"
#include "link/serial_link.h"
#include "report/report_settings.h"
#include "tests/mainwindow/window_rig.h"
#include "tests/support/special_files.h"

namespace vor {
namespace {

using test::WindowRig;

constexpr std::uint8_t kWriteBlock = 0xF3;

class ServiceRecordTest : public ::testing::Test, public WindowRig {
protected:
  QString HistoryPath() const { return ServiceHistoryPath(services.BackupsFolder()); }
  // This controller's records, newest first.
  std::vector<ServiceRecord> Records() {
    const ServiceHistory history = ReadServiceHistory(HistoryPath());
    EXPECT_TRUE(history.warnings.isEmpty() && history.error.isEmpty());
    return RecordsOf(history, BackupSerial(controller.Image()));
  }
  static std::vector<QString> Changes(const ServiceRecord& record) {
    std::vector<QString> changes;
    for (const ServiceChange& change : record.changes) {
      changes.push_back(QStringLiteral("%1/%2: %3 -> %4")
                            .arg(change.page, change.parameter, change.before, change.after));
    }
    return changes;
  }
  void WriteLowVolt(int value) {
    Field(PageKey::Vehicle, "Low Volt")->setText(QString::number(value));
    Click(kIdWriteButton);
  }
};

TEST_F(ServiceRecordTest, EveryWriteIsRecordedWithWhatItChangedAndWhatCameOfIt) {
  StartUp();
  const QString lowVolt = QString::number(controller.Image()[19]);
  // The second write block (Low Volt's) is acknowledged and dropped: the read-back tells.
  controller.AddFault(FaultRule(FaultKind::Forget, kWriteBlock, 2));
  WriteLowVolt(42);
  ASSERT_EQ(Status(), "Write failure!");
  Click(kIdVehicleButton);
  WriteLowVolt(43);
  ASSERT_EQ(Status(), "Write success!");

  const std::vector<ServiceRecord> records = Records();
  ASSERT_EQ(records.size(), 2u);
  const ServiceRecord& taken = records[0];
  EXPECT_EQ(taken.program, "vor-user");
  EXPECT_EQ(taken.operation, "write");
  EXPECT_EQ(taken.port, kDevicePath);
  EXPECT_EQ(taken.OutcomeText(), "verified");
  EXPECT_EQ(Changes(taken), std::vector<QString>{"Vehicle/Low Volt: " + lowVolt + " -> 43"});
  const ServiceRecord& failed = records[1];
  EXPECT_EQ(failed.OutcomeText(),
            "failed: read back, the controller does not hold every value written");
  EXPECT_FALSE(failed.Verified());
  EXPECT_EQ(Changes(failed), std::vector<QString>{"Vehicle/Low Volt: " + lowVolt + " -> 42"});
  // Each names the backup made before it, which holds what the controller held then.
  const QStringList backups = BackupStore(services.BackupsFolder()).BackupsOf(taken.serialNumber);
  ASSERT_EQ(backups.size(), 2);
  EXPECT_EQ(taken.backup, backups[0]);
  EXPECT_EQ(failed.backup, backups[1]);
}

TEST_F(ServiceRecordTest, AHistoryThatCannotBeAppendedToDoesNotStopTheWriteAndSaysSo) {
  VOR_SKIP_WITHOUT_POSIX_FILES();
  StartUp();
  ASSERT_TRUE(QDir().mkpath(QFileInfo(HistoryPath()).path()));
  ASSERT_TRUE(QFile::link("/dev/full", HistoryPath()));  // every write to it fails, as a full disk
  WriteLowVolt(42);
  EXPECT_EQ(Status(), "Write success!");
  EXPECT_EQ(controller.Image()[19], 42);
  ASSERT_FALSE(prompter.asked.empty());
  EXPECT_TRUE(prompter.asked.back().text.startsWith(
      "This write could not be added to the service history: "))
      << prompter.asked.back().text.toStdString();
}

TEST_F(ServiceRecordTest, TheHistoryListsThisControllersWritesAndRestoresABackupFromOne) {
  StartUp();
  const std::uint8_t lowVolt = controller.Image()[19];
  WriteLowVolt(42);
  services.dialogs.historyAnswers = {0};
  services.dialogs.reviewAnswers = {true};
  Trigger(MenuCommand::ServiceHistory);
  ASSERT_EQ(services.dialogs.histories.size(), 1u);
  ASSERT_EQ(services.dialogs.histories[0].size(), 1u);
  // The backup of that write goes through the review, as Restore Backup's do.
  ASSERT_EQ(services.dialogs.reviews.size(), 1u);
  EXPECT_EQ(Field(PageKey::Vehicle, "Low Volt")->text(), QString::number(lowVolt));
  Click(kIdWriteButton);
  EXPECT_EQ(controller.Image()[19], lowVolt);
  const std::vector<ServiceRecord> records = Records();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].operation, "restore backup");
  EXPECT_EQ(Changes(records[0]),
            std::vector<QString>{QStringLiteral("Vehicle/Low Volt: 42 -> %1").arg(lowVolt)});
}

TEST_F(ServiceRecordTest, TheReportIsMadeAsAPdfAndWhoMadeItIsKept) {
  StartUp();
  WriteLowVolt(42);
  services.dialogs.onReportDetails = [](ReportDetails& details) {
    details.workshop = "Ace Motors";
    details.technician = "J. Doe";
  };
  const QString path = services.dir.filePath("visit");
  services.dialogs.fileNames = {path};
  Trigger(MenuCommand::ServiceReport);
  QFile pdf(path + ".pdf");
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5) == "%PDF-");
  const ReportDetails kept = LoadReportDetails(services.settings);
  EXPECT_EQ(kept.workshop, "Ace Motors");
  EXPECT_EQ(kept.technician, "J. Doe");
  // Asked again with what was given last.
  services.dialogs.onReportDetails = nullptr;
  services.dialogs.reportDetailsCancel = true;
  Trigger(MenuCommand::ServiceReport);
  ASSERT_EQ(services.dialogs.askedReportDetails.size(), 2u);
  EXPECT_EQ(services.dialogs.askedReportDetails[1].workshop, "Ace Motors");
}

}  // namespace
}  // namespace vor

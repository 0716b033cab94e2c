// What guards a Write: the backup of the controller's configuration before anything is sent,
// Compare with Controller, and the options Confirm Writes and Verify After Write.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <atomic>

#include "files/backup_store.h"
#include "files/image_file.h"
#include "link/serial_link.h"
#include "tests/mainwindow/window_rig.h"
#include "tests/support/private_mounts.h"

namespace vor {
namespace {

using test::WindowRig;

constexpr std::uint8_t kReadBlock = 0xF2;
constexpr std::uint8_t kWriteBlock = 0xF3;

// Lists the backups folder (on the link thread) when the first frame of a Write goes out.
class FirstFrameWatch : public FrameObserver {
public:
  explicit FirstFrameWatch(QString folder) : folder_(std::move(folder)) {}
  void FrameSent(std::span<const std::uint8_t>) override {
    if (seen_.exchange(true)) return;
    backupsThen = QDir(folder_).entryList(QDir::Files);
  }
  void FrameReceived(std::span<const std::uint8_t>, Received) override {}

  QStringList backupsThen;

private:
  QString folder_;
  std::atomic<bool> seen_{false};
};

class SafeWriteTest : public ::testing::Test, public WindowRig {
protected:
  int Commits() { return controller.CommitCount(); }

  // A Write whose backup cannot be saved, for a reason ending in `reasonEnd`: the user is asked
  // whether to write anyway, No being the default, and with No nothing is sent.
  void WriteAnsweringNoToWriteAnyway(const QString& reasonEnd) {
    prompter.asked.clear();
    prompter.answers = {Answer::No};
    Click(kIdWriteButton);
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].buttons, Buttons::YesNo);
    EXPECT_EQ(prompter.asked[0].defaultAnswer, Answer::No);
    const QString& text = prompter.asked[0].text;
    EXPECT_TRUE(text.startsWith("The controller's configuration could not be backed up before "
                                "writing: ") &&
                text.endsWith(reasonEnd + ".\n\nWrite anyway?"))
        << text.toStdString();
    EXPECT_EQ(Commits(), 0);
    EXPECT_EQ(controller.RequestCount(kWriteBlock), 0);
  }
  void Tick(const QString& box) { QTest::mouseClick(Box(box), Qt::LeftButton, {}, QPoint(5, 5)); }
};

TEST_F(SafeWriteTest, TheBackupHoldsTheControllersPreviousImageAndIsSavedBeforeTheFirstFrame) {
  StartUp();
  const ConfigImage previous = controller.Image();
  Field(PageKey::Vehicle, "Low Volt")->setText("42");
  FirstFrameWatch watch(services.BackupsFolder());
  link.SetObserver(&watch);
  Click(kIdWriteButton);
  link.SetObserver(nullptr);
  ASSERT_EQ(controller.Image()[19], 42);
  ASSERT_EQ(watch.backupsThen.size(), 1);
  const BackupStore store(services.BackupsFolder());
  const QStringList backups = store.BackupsOf(BackupSerial(previous));
  ASSERT_EQ(backups.size(), 1);
  ConfigImage saved;
  QString error;
  ASSERT_TRUE(LoadImageFile(backups[0], saved, error));
  EXPECT_EQ(saved.bytes, previous.bytes);

  // The next backup holds what the first Write put into the controller.
  Click(kIdVehicleButton);
  Field(PageKey::Vehicle, "Low Volt")->setText("43");
  Click(kIdWriteButton);
  const QStringList backups2 = store.BackupsOf(BackupSerial(previous));
  ASSERT_FALSE(backups2.isEmpty());
  ASSERT_TRUE(LoadImageFile(backups2[0], saved, error));  // newest first
  EXPECT_EQ(saved[19], 42);
}

TEST_F(SafeWriteTest, WhenTheBackupCannotBeSavedTheUserDecidesAndNoIsTheDefault) {
  QFile blocker(services.BackupsFolder());  // a file where the folder should be
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  StartUp();
  WriteAnsweringNoToWriteAnyway("cannot create the backups folder " + services.BackupsFolder());
  EXPECT_EQ(window->currentPage, PageKey::Vehicle);  // back on the page it was written from
  EXPECT_EQ(Status(), "Read success!");

  prompter.asked.clear();
  prompter.answers = {Answer::Yes, Answer::Ok};
  Click(kIdWriteButton);
  EXPECT_EQ(prompter.AskedIds(), (std::vector<int>{0, kMsgWriteSuccess}));
  EXPECT_EQ(Commits(), 1);
}

// A full disk took the backup as an empty file and the Write went ahead without a question.
TEST_F(SafeWriteTest, ABackupThatTheFullDiskCannotTakeAsksWhetherToWriteWithNoAsDefault) {
  if (!test::InPrivateMountNamespace()) return;
  const test::FullDisk full(services.BackupsFolder());
  StartUp();
  Field(PageKey::Vehicle, "Low Volt")->setText("42");
  WriteAnsweringNoToWriteAnyway(": No space left on device");
  EXPECT_EQ(QDir(services.BackupsFolder()).entryList(QDir::Files | QDir::Hidden),
            QStringList{"fill"});
}

TEST_F(SafeWriteTest, CompareListsExactlyTheChangedFieldsAndSwitchesAndSendsNothing) {
  StartUp();
  const QString lowVolt = Field(PageKey::Vehicle, "Low Volt")->text();
  Field(PageKey::Vehicle, "Low Volt")->setText("42");
  Tick("Rev_HCurr");
  Click(kIdControlButton);
  const QString controlMode = Field(PageKey::Control, "Control Mode")->text();
  Field(PageKey::Control, "Control Mode")->setText(controlMode == "1" ? "2" : "1");
  const int requests = Requests();
  Trigger(MenuCommand::CompareWithController);
  ASSERT_EQ(services.dialogs.shownDifferences.size(), 1u);
  EXPECT_FALSE(services.dialogs.confirmations[0]);
  const ImageDifferences& shown = services.dialogs.shownDifferences[0];
  ASSERT_EQ(shown.fields.size(), 3u);
  const struct {
    PageKind page;
    QString label, first, second;
  } expected[] = {{PageKind::Vehicle, "Rev_HCurr", "0", "1"},
                  {PageKind::Vehicle, "Low Volt", lowVolt, "42"},
                  {PageKind::Control, "Control Mode", controlMode, controlMode == "1" ? "2" : "1"}};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(shown.fields[i].page, expected[i].page) << i;
    EXPECT_EQ(shown.fields[i].label, expected[i].label) << i;
    EXPECT_EQ(shown.fields[i].first, expected[i].first) << i;
    EXPECT_EQ(shown.fields[i].second, expected[i].second) << i;
  }
  EXPECT_TRUE(shown.bytes.empty());
  EXPECT_EQ(Requests(), requests);
  EXPECT_EQ(window->currentPage, PageKey::Control);

  prompter.answers = {Answer::Ok};
  Click(kIdWriteButton);
  Trigger(MenuCommand::CompareWithController);
  EXPECT_TRUE(services.dialogs.shownDifferences.at(1).Empty());
}

TEST_F(SafeWriteTest, ConfirmWritesShowsTheChangesAndCancelSendsNothing) {
  StartUp();
  Trigger(MenuCommand::ConfirmWrites);
  Field(PageKey::Vehicle, "Low Volt")->setText("42");
  services.dialogs.confirmAnswers = {false};
  Click(kIdWriteButton);
  ASSERT_EQ(services.dialogs.shownDifferences.size(), 1u);
  EXPECT_TRUE(services.dialogs.confirmations[0]);
  ASSERT_EQ(services.dialogs.shownDifferences[0].fields.size(), 1u);
  EXPECT_EQ(services.dialogs.shownDifferences[0].fields[0].label, "Low Volt");
  EXPECT_EQ(controller.RequestCount(kWriteBlock), 0);
  EXPECT_FALSE(QDir(services.BackupsFolder()).exists());  // no backup either
  EXPECT_TRUE(prompter.asked.empty());
  EXPECT_EQ(window->currentPage, PageKey::Vehicle);
  EXPECT_EQ(Field(PageKey::Vehicle, "Low Volt")->text(), "42");  // stored, still to be written

  services.dialogs.confirmAnswers = {true};
  prompter.answers = {Answer::Ok};
  Click(kIdWriteButton);
  EXPECT_EQ(controller.Image()[19], 42);

  // Nothing left to change: the list says so, and OK still writes.
  Click(kIdVehicleButton);
  Click(kIdWriteButton);
  EXPECT_TRUE(services.dialogs.shownDifferences.at(2).Empty());
  EXPECT_EQ(Commits(), 2);
}

// The second write block (bytes 13..25, Low Volt among them) is acknowledged and dropped: only
// reading back tells, and a Write reads back unless the user turned Verify After Write off.
TEST_F(SafeWriteTest, AWriteIsVerifiedByDefaultAndNamesTheFieldsThatDidNotTake) {
  StartUp();
  ASSERT_TRUE(window->Menu().Action(MenuCommand::VerifyAfterWrite)->isChecked());
  const std::uint8_t lowVolt = controller.Image()[19];
  controller.AddFault(FaultRule(FaultKind::Forget, kWriteBlock, 2));
  Field(PageKey::Vehicle, "Low Volt")->setText("42");
  Field(PageKey::Vehicle, "User Code")->setText("abcd");  // byte 81: another block, which takes
  // The report comes over the outcome and the page written from, as the success message does.
  QString statusAtReport;
  bool pageAtReport = false;
  prompter.onAsk = [&](int) {
    statusAtReport = Status();
    pageAtReport = Page(PageKey::Vehicle)->isVisibleTo(window.get());
  };
  Click(kIdWriteButton);
  prompter.onAsk = nullptr;
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(statusAtReport, "Write failure!");
  EXPECT_TRUE(pageAtReport);
  const QString report = prompter.asked[0].text;
  EXPECT_TRUE(report.contains(
      QStringLiteral("Vehicle, Low Volt: written 42, the controller holds %1").arg(lowVolt)))
      << report.toStdString();
  EXPECT_EQ(report.count('\n'), 1) << report.toStdString();  // that field alone
  EXPECT_EQ(Status(), "Write failure!");
  EXPECT_FALSE(state.WriteOk);
  EXPECT_EQ(controller.Image()[81], 0xAB);
  ASSERT_TRUE(state.controllerImage);
  EXPECT_EQ((*state.controllerImage)[19], lowVolt);  // what the controller really holds

  // Once the controller takes everything, the verified Write succeeds as usual.
  controller.ClearFaults();
  prompter.asked.clear();
  Click(kIdVehicleButton);
  Click(kIdWriteButton);
  EXPECT_EQ(prompter.AskedIds(), std::vector<int>{kMsgWriteSuccess});
  EXPECT_EQ(Status(), "Write success!");
  EXPECT_EQ(controller.Image()[19], 42);

  // Turned off, a Write reads nothing back.
  Trigger(MenuCommand::VerifyAfterWrite);
  const int reads = controller.RequestCount(kReadBlock);
  Click(kIdVehicleButton);
  Click(kIdWriteButton);
  EXPECT_EQ(Status(), "Write success!");
  EXPECT_EQ(controller.RequestCount(kReadBlock), reads);
}

}  // namespace
}  // namespace vor

// The main window's menu bar: its entries, its place above the template, and that each entry
// runs its button's flow under the button's rules.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "calibration/read_zero_dialog.h"
#include "link/port_diagnostics.h"
#include "mainwindow/troubleshooting.h"
#include "mainwindow/write_options.h"
#include "tests/mainwindow/window_rig.h"

namespace vor {
namespace {

using test::WindowRig;

class MenuBarTest : public ::testing::Test, public WindowRig {};

QString Plain(QString text) { return text.remove(u'&'); }

TEST_F(MenuBarTest, ListsTheEntriesEachReachableByKeyboard) {
  MakeWindow();
  const QMenuBar* bar = window->Menu().Bar();
  const std::vector<std::pair<QString, QStringList>> expected = {
      {"File",
       {"Open Configuration…", "Restore Backup…", "Save Configuration As…", "Export Parameters…",
        "Open Backups Folder", "", "Service History…", "Service Report…", "", "Record Live Data…", "Stop Recording", "", "Quit"}},
      {"Edit", {"Undo", "Redo"}},
      {"Controller",
       {"Read", "Write", "Compare with Controller…", "Revert All Changes", "",
        "Phase Zero Calibration…", "", "Options"}},
      {"View", {"Vehicle", "Control", "Motor", "Monitor", "", "Live Plot", "Fault History"}},
      {"Help", {"Serial Port Troubleshooting", "About VOR User"}},
  };
  const QList<QAction*> menus = bar->actions();
  ASSERT_EQ(menus.size(), qsizetype(expected.size()));
  for (std::size_t i = 0; i < expected.size(); ++i) {
    QMenu* menu = menus[qsizetype(i)]->menu();
    EXPECT_EQ(Plain(menu->title()), expected[i].first);
    EXPECT_TRUE(menu->title().contains(u'&')) << menu->title().toStdString();
    QStringList entries;
    for (const QAction* action : menu->actions()) {
      entries << Plain(action->text());
      // Every entry has a mnemonic within its menu, so Alt and its letters reach it.
      if (!action->isSeparator()) {
        EXPECT_TRUE(action->text().contains(u'&')) << action->text().toStdString();
      }
    }
    EXPECT_EQ(entries, expected[i].second) << menu->title().toStdString();
  }
  QAction* confirm = window->Menu().Action(MenuCommand::ConfirmWrites);
  QAction* verify = window->Menu().Action(MenuCommand::VerifyAfterWrite);
  EXPECT_EQ(Plain(confirm->text()), "Confirm Writes");
  EXPECT_EQ(Plain(verify->text()), "Verify After Write");
  EXPECT_TRUE(confirm->isCheckable() && verify->isCheckable());

  const std::pair<MenuCommand, QKeySequence> shortcuts[] = {
      {MenuCommand::OpenConfiguration, QKeySequence::Open},
      {MenuCommand::SaveConfigurationAs, QKeySequence("Ctrl+Shift+S")},
      {MenuCommand::Quit, QKeySequence("Ctrl+Q")},
      {MenuCommand::Undo, QKeySequence("Ctrl+Z")},
      {MenuCommand::Redo, QKeySequence("Ctrl+Shift+Z")},
      {MenuCommand::Read, QKeySequence("Ctrl+R")},
      {MenuCommand::ViewVehicle, QKeySequence("Ctrl+1")},
      {MenuCommand::ViewMonitor, QKeySequence("Ctrl+4")},
      {MenuCommand::ViewLivePlot, QKeySequence("Ctrl+L")},
      {MenuCommand::ViewFaultHistory, QKeySequence("Ctrl+H")},
  };
  for (const auto& [command, keys] : shortcuts) {
    EXPECT_EQ(window->Menu().Action(command)->shortcut(), keys) << keys.toString().toStdString();
  }
  EXPECT_TRUE(
      window->Menu().Action(MenuCommand::Redo)->shortcuts().contains(QKeySequence("Ctrl+Y")));
}

TEST_F(MenuBarTest, AltAndAMenusLetterOpensItAndAnEntrysLetterRunsIt) {
  StartUp();
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QMenu* view = qobject_cast<QMenu*>(window->Menu().Action(MenuCommand::ViewMotor)->parent());
  ASSERT_NE(view, nullptr);
  QTest::keyClick(window.get(), Qt::Key_V, Qt::AltModifier);
  ASSERT_TRUE(view->isVisible());
  QTest::keyClick(view, Qt::Key_M);
  EXPECT_EQ(window->currentPage, PageKey::Motor);
}

// Bound on every desktop, also where Qt's standard Save As key is empty (as here, offscreen).
TEST_F(MenuBarTest, CtrlShiftSSavesTheConfigurationAs) {
  StartUp();
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(services.dialogs.fileCaptions, std::vector<QString>{"Save Configuration As"});
}

TEST_F(MenuBarTest, TheWindowGrowsByTheBarAndEveryTemplateControlKeepsItsPlace) {
  MakeWindow();
  QDialog plain;
  BuildDialog(kDialogMain, &plain);
  const int barHeight = window->Menu().Bar()->height();
  ASSERT_GT(barHeight, 0);
  EXPECT_EQ(window->Menu().Bar()->geometry(), QRect(0, 0, window->width(), barHeight));
  EXPECT_EQ(window->size(), plain.size() + QSize(0, barHeight));
  const QList<QWidget*> controls = plain.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  const QList<QWidget*> moved = window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  ASSERT_EQ(moved.size(), controls.size() + 1);  // and the bar
  for (qsizetype i = 0; i < controls.size(); ++i) {
    EXPECT_EQ(moved[i]->geometry(), controls[i]->geometry().translated(0, barHeight)) << i;
    EXPECT_EQ(moved[i]->isHidden(), controls[i]->isHidden()) << i;
  }
  window->show();
  window->resize(window->width() + 40, window->height());
  EXPECT_EQ(window->Menu().Bar()->width(), window->width());
}

TEST_F(MenuBarTest, EntriesRunTheirButtonsFlowsAndReadAndWriteYieldToTheMonitor) {
  StartUp();
  Trigger(MenuCommand::ViewControl);
  EXPECT_EQ(window->currentPage, PageKey::Control);
  Trigger(MenuCommand::ViewMonitor);
  EXPECT_EQ(window->currentPage, PageKey::Monitor);
  const QString why =
      "Not available while the Monitor page polls the controller: switch the Monitor off first";
  for (MenuCommand command :
       {MenuCommand::Read, MenuCommand::Write, MenuCommand::PhaseZeroCalibration}) {
    EXPECT_FALSE(Enabled(command));
    EXPECT_EQ(window->Menu().Action(command)->toolTip(), why);
  }
  EXPECT_EQ(FindButton(window.get(), kIdWriteButton)->toolTip(), why);
  const int requests = Requests();
  Trigger(MenuCommand::Read);
  EXPECT_EQ(Requests(), requests);

  Trigger(MenuCommand::ViewMonitor);  // off again, as the button does
  EXPECT_EQ(window->currentPage, PageKey::MonitorOff);
  EXPECT_TRUE(Enabled(MenuCommand::Read));
  EXPECT_EQ(window->Menu().Action(MenuCommand::Read)->toolTip(), "Read");
  EXPECT_EQ(FindButton(window.get(), kIdWriteButton)->toolTip(), "");
  Trigger(MenuCommand::Read);
  EXPECT_EQ(Requests(), requests + 2);  // the two opening handshakes
  EXPECT_EQ(Status(), "Read success!");
  EXPECT_EQ(window->currentPage, PageKey::Vehicle);
}

TEST_F(MenuBarTest, PhaseZeroFromAnotherPageGoesToTheVehiclePageAndOpensTheCalibration) {
  StartUp();
  window->show();
  Trigger(MenuCommand::ViewMotor);
  bool opened = false;
  PageKey pageWhenOpen = PageKey::None;
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    opened = qobject_cast<CReadZeroADdlg*>(dialog) != nullptr;
    pageWhenOpen = window->currentPage;
    if (dialog) dialog->close();
  });
  Trigger(MenuCommand::PhaseZeroCalibration);
  EXPECT_TRUE(opened);
  EXPECT_EQ(pageWhenOpen, PageKey::Vehicle);
  EXPECT_TRUE(prompter.asked.empty());
}

// Verify After Write is on and Confirm Writes off until the user changes them; only a user's
// choice is stored, so that the defaults reach whoever never chose.
TEST_F(MenuBarTest, TheOptionsHaveTheirDefaultsUntilChosenAndAChoiceIsKeptAcrossRuns) {
  const WriteOptions fresh = LoadWriteOptions(services.settings);
  EXPECT_FALSE(fresh.confirmWrites);
  EXPECT_TRUE(fresh.verifyAfterWrite);
  MakeWindow();
  EXPECT_FALSE(window->Menu().Action(MenuCommand::ConfirmWrites)->isChecked());
  EXPECT_TRUE(window->Menu().Action(MenuCommand::VerifyAfterWrite)->isChecked());
  Trigger(MenuCommand::ConfirmWrites);
  EXPECT_TRUE(LoadWriteOptions(services.settings).confirmWrites);
  EXPECT_FALSE(services.settings.contains("Controller/VerifyAfterWrite"));
  Trigger(MenuCommand::VerifyAfterWrite);
  EXPECT_FALSE(LoadWriteOptions(services.settings).verifyAfterWrite);

  MakeWindow();  // the next run
  EXPECT_FALSE(window->Menu().Action(MenuCommand::VerifyAfterWrite)->isChecked());
  EXPECT_TRUE(window->Menu().Action(MenuCommand::ConfirmWrites)->isChecked());
}

TEST_F(MenuBarTest, HelpNamesTheLinksPortInUseAndTellsVersionsPortAndModel) {
  StartUp();
  Trigger(MenuCommand::SerialPortTroubleshooting);
  ASSERT_EQ(services.dialogs.reports.size(), 1u);
  EXPECT_EQ(services.dialogs.reports[0].caption, "Serial Port Troubleshooting");
  EXPECT_TRUE(services.dialogs.reports[0].text.contains("/dev/ttyUSB0: in use by this program"));

  Trigger(MenuCommand::AboutVorUser);
  ASSERT_EQ(services.dialogs.reports.size(), 2u);
  const QString about = services.dialogs.reports[1].text;
  EXPECT_TRUE(about.contains(QStringLiteral("Qt %1").arg(qVersion()))) << about.toStdString();
  EXPECT_TRUE(about.contains("Port: /dev/ttyUSB0"));
  EXPECT_TRUE(about.contains("Model: VOR72"));
}

// The troubleshooting checks open every port for a moment, but never the one the link holds.
TEST(CheckPortsBesideLink, ChecksEveryPortButTheLinksOwn) {
  VirtualClock clock;
  VirtualPortSystem ports(clock);
  ports.AddDevice("/dev/ttyUSB0");
  ports.AddDevice("/dev/ttyUSB1");
  ports.AddDevice("/dev/ttyS0").openStatus = OpenStatus::PermissionDenied;
  const TroubleshootingFacts facts = CheckPortsBesideLink(ports, {}, "/dev/ttyUSB0");
  EXPECT_EQ(ports.opens, std::vector<QString>{"/dev/ttyUSB1"});
  ASSERT_EQ(facts.checks.size(), 2u);
  const QString report = TroubleshootingReport(facts);
  EXPECT_TRUE(report.contains("/dev/ttyUSB0: in use by this program"));
  EXPECT_TRUE(report.contains("/dev/ttyUSB1: can be opened"));
  EXPECT_TRUE(report.contains("/dev/ttyS0: permission denied")) << report.toStdString();

  // Only the link's port: nothing else is opened (an empty list would mean all of them).
  VirtualPortSystem lonely(clock);
  lonely.AddDevice("/dev/ttyUSB0");
  EXPECT_TRUE(CheckPortsBesideLink(lonely, {}, "/dev/ttyUSB0").checks.empty());
  EXPECT_TRUE(lonely.opens.empty());
}

}  // namespace
}  // namespace vor

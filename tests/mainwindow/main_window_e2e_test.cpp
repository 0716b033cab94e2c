// The desktop program's start-up and Write against the simulator on a pseudo-terminal, through
// the real serial port code and the link thread, in real time.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "definitions/model_images.h"
#include "link/controller_link.h"
#include "link/qt_serial_port.h"
#include "mainwindow/main_window.h"
#include "monitor/zero_calibration.h"
#include "resources/dialog_builder.h"
#include "simulator/pty_controller.h"
#include "simulator/simulated_controller.h"
#include "tests/support/scripted_prompter.h"
#include "tests/support/test_window_services.h"

namespace vor {
namespace {

TEST(MainWindowOverPty, StartUpReachesTheVehiclePageAndAChangedFieldIsCommitted) {
  SimulatedController controller(*DefaultImageFor(u"VOR"));
  PtyController pty(controller);
  QString error;
  ASSERT_TRUE(pty.Start(error)) << error.toStdString();

  QtPortSystem ports;
  SteadyClock clock;
  test::ScriptedPrompter prompter;
  QObject uiContext;
  ControllerLink link(ports, clock, prompter, &uiContext);
  link.SetPortOverride({pty.DevicePath()});
  ProgramState state;
  test::TestWindowServices services;
  CVORUserDlg window(state, link, prompter, CreatePages(state, prompter, link), services.services);

  ASSERT_TRUE(window.OnInitDialog());
  EXPECT_EQ(window.currentPage, 1);
  EXPECT_EQ(link.DevicePath(), pty.DevicePath());
  EXPECT_EQ(state.image.bytes, controller.Image().bytes);

  // Change "Low Volt" on the Vehicle page and write.
  QWidget* vehicle = window.pageList.front().page;
  QLineEdit* lowVolt = nullptr;
  for (int k = 0; k < kVehicleSlotCount && !lowVolt; ++k) {
    if (FindStatic(vehicle, SlotLabelId(k))->text() == "Low Volt") {
      lowVolt = FindEdit(vehicle, SlotEditId(k));
    }
  }
  ASSERT_NE(lowVolt, nullptr);
  lowVolt->setText("42");
  QTest::mouseClick(FindButton(&window, kIdWriteButton), Qt::LeftButton);
  EXPECT_EQ(prompter.AskedIds(), std::vector<int>{kMsgWriteSuccess});
  EXPECT_EQ(controller.CommitCount(), 1);
  EXPECT_EQ(controller.Image()[19], 42);
  EXPECT_EQ(controller.Image().bytes, state.image.bytes);
}

// A ticked box and the calibration's offsets reach the controller with Write, in real time.
TEST(MainWindowOverPty, ATickedBoxAndTheCalibratedOffsetsAreCommitted) {
  SimulatedController controller(*DefaultImageFor(u"VOR"));
  PtyController pty(controller);
  QString error;
  ASSERT_TRUE(pty.Start(error)) << error.toStdString();
  QtPortSystem ports;
  SteadyClock clock;
  test::ScriptedPrompter prompter;
  QObject uiContext;
  ControllerLink link(ports, clock, prompter, &uiContext);
  link.SetPortOverride({pty.DevicePath()});
  ProgramState state;
  test::TestWindowServices services;
  CVORUserDlg window(state, link, prompter, CreatePages(state, prompter, link), services.services);
  ASSERT_TRUE(window.OnInitDialog());
  window.show();
  QWidget* vehicle = window.pageList.front().page;

  QCheckBox* revHalfCurrent = nullptr;  // bit 2 of byte 0, clear in the factory image
  for (int k = 0; k < kCheckBoxCount && !revHalfCurrent; ++k) {
    QCheckBox* box = FindCheckBox(vehicle, kIdFirstCheckBox + k);
    if (box->text() == "Rev_HCurr") revHalfCurrent = box;
  }
  ASSERT_NE(revHalfCurrent, nullptr);
  ASSERT_FALSE(revHalfCurrent->isChecked());
  QTest::mouseClick(revHalfCurrent, Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_TRUE(revHalfCurrent->isChecked());

  QString lowest[3];
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    QTest::mouseClick(FindButton(dialog, kIdZeroRead), Qt::LeftButton);
    QTest::mouseClick(FindButton(dialog, kIdZeroUpdate), Qt::LeftButton);
    for (int phase = 0; phase < 3; ++phase) {
      lowest[phase] = FindEdit(dialog, kIdLowestA + phase)->text();
    }
    dialog->close();  // the close box
  });
  QTest::mouseClick(FindButton(vehicle, kIdReadZeroButton), Qt::LeftButton);
  ASSERT_FALSE(lowest[0].isEmpty());
  EXPECT_EQ(controller.RequestCount(0x35), 3);
  // The page shows the new offsets (and forgot the tick, which was not yet stored).
  for (int phase = 0; phase < 3; ++phase) {
    bool found = false;
    for (int k = 0; k < kVehicleSlotCount; ++k) {
      if (FindStatic(vehicle, SlotLabelId(k))->text() !=
          QStringLiteral("Phase_%1_Zero").arg(QChar(u'A' + phase))) {
        continue;
      }
      EXPECT_EQ(FindEdit(vehicle, SlotEditId(k))->text(), lowest[phase]);
      found = true;
    }
    EXPECT_TRUE(found) << phase;
  }
  EXPECT_FALSE(revHalfCurrent->isChecked());

  QTest::mouseClick(revHalfCurrent, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseClick(FindButton(&window, kIdWriteButton), Qt::LeftButton);
  EXPECT_EQ(prompter.AskedIds(), std::vector<int>{kMsgWriteSuccess});
  const ConfigImage written = controller.Image();
  EXPECT_EQ(written[0] & 0x04, 0x04);
  for (int phase = 0; phase < 3; ++phase) {
    EXPECT_EQ(QString::number(written[kPhaseZeroAddr + std::size_t(phase)]), lowest[phase])
        << phase;
  }
  EXPECT_EQ(written.bytes, state.image.bytes);
}

}  // namespace
}  // namespace vor

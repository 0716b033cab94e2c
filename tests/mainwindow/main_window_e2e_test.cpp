// The desktop program's start-up and Write against the simulator on a pseudo-terminal, through
// the real serial port code and the link thread, in real time.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "definitions/model_images.h"
#include "link/controller_link.h"
#include "link/qt_serial_port.h"
#include "mainwindow/main_window.h"
#include "resources/dialog_builder.h"
#include "simulator/pty_controller.h"
#include "simulator/simulated_controller.h"
#include "tests/support/scripted_prompter.h"

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
  CVORUserDlg window(state, link, prompter, CreatePages(state, prompter, link));

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

}  // namespace
}  // namespace vor

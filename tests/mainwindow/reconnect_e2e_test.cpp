// Unplugging the adapter in the middle of a Write and plugging it back in under the same name,
// as the stable names under /dev/serial/by-id behave: Retry reaches the controller again.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "definitions/model_images.h"
#include "link/controller_link.h"
#include "link/qt_serial_port.h"
#include "mainwindow/main_window.h"
#include "resources/dialog_builder.h"
#include "simulator/pty_controller.h"
#include "simulator/simulated_controller.h"
#include "tests/support/scripted_prompter.h"
#include "tests/support/test_window_services.h"

namespace vor {
namespace {

// Pulls the plug when the link sends its third write block (on the link thread).
class Unplugger : public FrameObserver {
public:
  explicit Unplugger(PtyController& pty) : pty_(pty) {}
  void FrameSent(std::span<const std::uint8_t> bytes) override {
    if (bytes[0] == 0xF3 && ++writeBlocks_ == 3) pty_.Stop();
  }
  void FrameReceived(std::span<const std::uint8_t>, Received) override {}

private:
  PtyController& pty_;
  int writeBlocks_ = 0;
};

TEST(ReconnectOverPty, RetryAfterUnplugAndReplugUnderTheSamePathCompletesTheWrite) {
  QTemporaryDir dir;
  const QString stablePath = dir.filePath("ttyVOR");
  SimulatedController controller(*DefaultImageFor(u"VOR"));
  PtyController first(controller);
  PtyController second(controller);
  QString error;
  ASSERT_TRUE(first.Start(error)) << error.toStdString();
  ASSERT_TRUE(QFile::link(first.DevicePath(), stablePath));

  QtPortSystem ports;
  SteadyClock clock;
  test::ScriptedPrompter prompter;
  QObject uiContext;
  ControllerLink link(ports, clock, prompter, &uiContext);
  link.SetPortOverride({stablePath});
  ProgramState state;
  test::TestWindowServices services;
  CVORUserDlg window(state, link, prompter, CreatePages(state, prompter, link), services.services);
  ASSERT_TRUE(window.OnInitDialog());
  prompter.asked.clear();

  Unplugger unplugger(first);
  link.SetObserver(&unplugger);
  // At the Retry prompt the adapter is back, on a new pseudo-terminal under the same name.
  prompter.onAsk = [&](int id) {
    if (id != kMsgWriteError) return;
    link.SetObserver(nullptr);
    ASSERT_TRUE(second.Start(error)) << error.toStdString();
    QFile::remove(stablePath);
    ASSERT_TRUE(QFile::link(second.DevicePath(), stablePath));
  };
  prompter.answers = {Answer::Retry};

  QWidget* vehicle = window.pageList.front().page;
  for (int k = 0; k < kVehicleSlotCount; ++k) {
    if (FindStatic(vehicle, SlotLabelId(k))->text() == "Low Volt") {
      FindEdit(vehicle, SlotEditId(k))->setText("43");
    }
  }
  QTest::mouseClick(FindButton(&window, kIdWriteButton), Qt::LeftButton);

  EXPECT_EQ(prompter.AskedIds(), (std::vector<int>{kMsgWriteError, kMsgWriteSuccess}));
  EXPECT_EQ(FindStatic(&window, kIdStatusLine)->text(), "Write success!");
  EXPECT_EQ(controller.Image()[19], 43);
}

}  // namespace
}  // namespace vor

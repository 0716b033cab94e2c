// Unplugging the adapter in the middle of a Write and plugging it back in under the same name,
// as the stable names under /dev/serial/by-id behave: Retry reaches the controller again.
#include <gtest/gtest.h>

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "tests/support/pty_window_rig.h"

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
  test::PtyWindowRig rig;
  PtyController second(rig.controller);
  rig.StartSimulator();
  ASSERT_TRUE(QFile::link(rig.pty.DevicePath(), stablePath));
  rig.StartWindow(stablePath);

  Unplugger unplugger(rig.pty);
  rig.link.SetObserver(&unplugger);
  // At the Retry prompt the adapter is back, on a new pseudo-terminal under the same name.
  rig.prompter.onAsk = [&](int id) {
    if (id != kMsgWriteError) return;
    rig.link.SetObserver(nullptr);
    QString error;
    ASSERT_TRUE(second.Start(error)) << error.toStdString();
    QFile::remove(stablePath);
    ASSERT_TRUE(QFile::link(second.DevicePath(), stablePath));
  };
  rig.prompter.answers = {Answer::Retry};

  rig.VehicleField("Low Volt")->setText("43");
  QTest::mouseClick(FindButton(rig.window.get(), kIdWriteButton), Qt::LeftButton);

  EXPECT_EQ(rig.prompter.AskedIds(), (std::vector<int>{kMsgWriteError, kMsgWriteSuccess}));
  EXPECT_EQ(FindStatic(rig.window.get(), kIdStatusLine)->text(), "Write success!");
  EXPECT_EQ(rig.controller.Image()[19], 43);
}

}  // namespace
}  // namespace vor

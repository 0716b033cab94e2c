// The real serial port code against simulated controllers on pseudo-terminals, in real time.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <chrono>
#include <thread>

#include "definitions/model_images.h"
#include "link/link.h"
#include "link/qt_serial_port.h"
#include "simulator/pty_controller.h"
#include "simulator/simulated_controller.h"
#include "tests/support/scripted_prompter.h"

namespace vor {
namespace {

class LinkOverPtyTest : public ::testing::Test {
protected:
  void SetUp() override {
    QString error;
    ASSERT_TRUE(silentPty.Start(error)) << error.toStdString();
    ASSERT_TRUE(pty.Start(error)) << error.toStdString();
    silent.AddFault(FaultRule(FaultKind::Silent));
    scan.SetPortOverride({silentPty.DevicePath(), pty.DevicePath()});
  }

  SimulatedController silent{*DefaultImageFor(u"VOR")};
  SimulatedController controller{*DefaultImageFor(u"VOR")};
  PtyController silentPty{silent};
  PtyController pty{controller};
  SteadyClock clock;
  QtPortSystem ports;
  test::ScriptedPrompter prompter;
  SerialLink link{clock};
  PortScan scan{link, ports, prompter};
};

TEST_F(LinkOverPtyTest, ScanFindsTheControllerBehindASilentPortThenReadsAndWrites) {
  ASSERT_TRUE(scan.ScanForController());
  EXPECT_EQ(scan.ConnectedPath(), pty.DevicePath());
  EXPECT_EQ(silent.RequestCount(0x11), 1);  // it was asked and did not answer
  EXPECT_TRUE(prompter.asked.empty());

  ConfigImage image;
  ASSERT_TRUE(ReadImage(link, image));
  EXPECT_EQ(image.bytes, controller.Image().bytes);

  image[16] = 0x42;
  image[127] = 0x99;
  ASSERT_EQ(WriteImage(link, image), WriteStatus::Committed);
  EXPECT_EQ(controller.Image().bytes, image.bytes);
  EXPECT_EQ(controller.CommitCount(), 1);
}

TEST_F(LinkOverPtyTest, UnpluggedControllerFailsTheExchangeWithoutHanging) {
  ASSERT_TRUE(scan.ScanForController());
  pty.Stop();  // the line goes away
  ConfigImage image;
  EXPECT_FALSE(ReadImage(link, image));
  EXPECT_EQ(image.bytes, ConfigImage().bytes);
}

// A line that never goes quiet (noise, a device that keeps sending): the drain ends at its time
// limit all the same, instead of holding the job for as long as the bytes come.
TEST(QtSerialPortDrain, EndsAtItsLimitOnALineThatNeverGoesQuiet) {
  QString path;
  const int master = OpenPtyMaster(path);
  ASSERT_GE(master, 0);
  QtPortSystem ports;
  OpenStatus status = OpenStatus::OtherError;
  const std::unique_ptr<SerialPort> port = ports.Open(path, status);
  ASSERT_TRUE(port) << int(status);
  ASSERT_TRUE(port->SetTimeouts(PortTimeouts{}));

  // A byte every 2 ms for 5 s at most.
  std::atomic<bool> stop{false};
  std::thread noise([&] {
    const std::uint8_t byte = 0x55;
    for (int i = 0; i < 2500 && !stop; ++i) {
      [[maybe_unused]] const ssize_t n = ::write(master, &byte, 1);
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  });
  // The noise would have to pause for 100 ms to let the drain end on a quiet line.
  std::array<std::uint8_t, 8> dropped{};
  const ReadResult drained = port->DiscardInput(100, 300, dropped);
  stop = true;
  noise.join();
  ::close(master);
  EXPECT_EQ(drained.end, ReadEnd::NeverQuiet);
  EXPECT_GT(drained.count, int(dropped.size()));
  EXPECT_EQ(dropped, (std::array<std::uint8_t, 8>{0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}));
}

}  // namespace
}  // namespace vor

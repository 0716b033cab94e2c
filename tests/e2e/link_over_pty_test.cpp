// The real serial port code against simulated controllers on pseudo-terminals, in real time.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace vor

// The port scan on a virtual machine: named ports, simulated controllers, virtual time.
#include "link/port_scan.h"

#include <gtest/gtest.h>

#include "definitions/model_images.h"
#include "simulator/sim_faults.h"
#include "simulator/simulated_controller.h"
#include "simulator/virtual_port.h"
#include "tests/support/scripted_prompter.h"

namespace vor {
namespace {

class PortScanTest : public ::testing::Test {
protected:
  VirtualClock clock;
  VirtualPortSystem ports{clock};
  test::ScriptedPrompter prompter;
  SerialLink link{clock};
  PortScan scan{link, ports, prompter};
  SimulatedController first{*DefaultImageFor(u"VOR")};
  SimulatedController second{*DefaultImageFor(u"VOR")};
};

TEST_F(PortScanTest, FirstAnsweringPortInListOrderWinsAndLaterPortsStayUntouched) {
  ports.AddDevice("/dev/ttyS0");  // nothing on the line
  ports.AddDevice("/dev/ttyUSB0", &first);
  ports.AddDevice("/dev/ttyUSB1", &second);

  ASSERT_TRUE(scan.ScanForController());
  EXPECT_TRUE(scan.Connected);
  EXPECT_EQ(scan.ConnectedPath(), "/dev/ttyUSB0");
  ASSERT_TRUE(link.HasPort());
  // Probe pass opens all three; detection opens and reopens each port until one answers.
  EXPECT_EQ(ports.opens,
            (std::vector<QString>{"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyS0",
                                  "/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyUSB0"}));
  EXPECT_EQ(second.RequestCount(0x11), 0);
  EXPECT_TRUE(prompter.asked.empty());
  // The silent port costs one failed receive: ten attempts of 150 ms.
  EXPECT_GE(clock.NowUs(), 1'500'000);
  EXPECT_LT(clock.NowUs(), 1'600'000);

  // Once connected, a scan touches no port.
  const std::size_t opens = ports.opens.size();
  EXPECT_TRUE(scan.ScanForController());
  EXPECT_EQ(ports.opens.size(), opens);
}

TEST_F(PortScanTest, OnlyDetectKindsOneAndTwoIdentifyAController) {
  for (const auto& [kind, identifies] :
       std::vector<std::pair<std::uint8_t, bool>>{{0, false}, {1, true}, {2, true}, {3, false}}) {
    VirtualPortSystem machine(clock);
    SerialLink freshLink(clock);
    PortScan freshScan(freshLink, machine, prompter);
    SimulatedController controller(*DefaultImageFor(u"VOR"));
    controller.SetDetectKind(kind);
    machine.AddDevice("/dev/ttyUSB0", &controller);
    EXPECT_EQ(freshScan.ScanForController(), identifies) << "kind " << int(kind);
    EXPECT_EQ(freshLink.HasPort(), identifies);
  }
}

// Payload byte 2 is judged only in an answer to Detect that has one: not in the answer to
// another command, nor in a short one, where it is whatever an earlier frame left there.
TEST_F(PortScanTest, OnlyAWholeAnswerToDetectIdentifiesAController) {
  for (const FaultKind fault : {FaultKind::WrongCommand, FaultKind::ShortAnswer}) {
    VirtualPortSystem machine(clock);
    SerialLink freshLink(clock);
    freshLink.rxFrame[LinkFrame::kPayload + 2] = 1;  // left from an earlier frame
    PortScan freshScan(freshLink, machine, prompter);
    SimulatedController controller(*DefaultImageFor(u"VOR"));
    controller.AddFault(FaultRule(fault, 0x11));
    machine.AddDevice("/dev/ttyUSB0", &controller);
    EXPECT_FALSE(freshScan.ScanForController()) << static_cast<int>(fault);
    EXPECT_FALSE(freshLink.HasPort());
  }
}

TEST_F(PortScanTest, DuplicateNamesAreScannedAsListed) {
  ports.AddDevice("/dev/ttyUSB0", &first);
  ports.AddDevice("/dev/ttyUSB0", &first);  // the platform lists it twice
  ASSERT_TRUE(scan.ScanForController());
  EXPECT_EQ(first.RequestCount(0x00), 2);  // probed twice
  EXPECT_EQ(first.RequestCount(0x11), 1);
}

TEST_F(PortScanTest, NoPortsMeansNoControllerAtOnceAndWithoutAMessage) {
  EXPECT_FALSE(scan.ScanForController());
  EXPECT_FALSE(scan.Connected);
  EXPECT_EQ(clock.NowUs(), 0);
  EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(PortScanTest, PortThatCannotBeOpenedIsPassedOverInBothPasses) {
  ports.AddDevice("/dev/ttyUSB0", &second).openStatus = OpenStatus::Busy;
  ports.AddDevice("/dev/ttyUSB1", &first);
  std::vector<std::pair<QString, OpenStatus>> failures;
  scan.SetOpenFailureHandler(
      [&](const QString& path, OpenStatus status) { failures.emplace_back(path, status); });

  ASSERT_TRUE(scan.ScanForController());
  EXPECT_EQ(scan.ConnectedPath(), "/dev/ttyUSB1");
  EXPECT_EQ(failures.size(), 2u);
  EXPECT_EQ(failures[0], std::make_pair(QString("/dev/ttyUSB0"), OpenStatus::Busy));
  EXPECT_EQ(second.RequestCount(0x00), 0);
}

// A Detect that could not be written can bring no answer: the port is passed over at once,
// without the receive's 1.5 s.
TEST_F(PortScanTest, ADetectThatCannotBeWrittenPassesThePortOverAtOnce) {
  ports.AddDevice("/dev/ttyUSB0", &second).onOpen = [](VirtualPort& port, int) {
    port.fail.write = true;
  };
  ports.AddDevice("/dev/ttyUSB1", &first);
  ASSERT_TRUE(scan.ScanForController());
  EXPECT_EQ(scan.ConnectedPath(), "/dev/ttyUSB1");
  EXPECT_LT(clock.NowUs(), 100'000);
}

TEST_F(PortScanTest, FailedFirstConfigurationIsReportedOnceAndDetectionGoesOn) {
  // The first opening is the probe; the second is the detection pass's first configuration.
  ports.AddDevice("/dev/ttyUSB0", &first).onOpen = [](VirtualPort& port, int openNumber) {
    port.fail.lineSettings = openNumber == 2;
    port.fail.purge = openNumber >= 2;  // the reconfiguration fails too, silently
  };
  ASSERT_TRUE(scan.ScanForController());
  EXPECT_EQ(prompter.AskedIds(), std::vector<int>{kMsgRs232SettingError});
  EXPECT_EQ(prompter.asked[0].buttons, Buttons::Ok);
}

TEST_F(PortScanTest, DetectionConfiguresTheLineAndPurgesItOnBothOpenings) {
  std::vector<VirtualPort*> opened;
  ports.AddDevice("/dev/ttyUSB0", &first).onOpen = [&](VirtualPort& port, int) {
    opened.push_back(&port);
  };
  ASSERT_TRUE(scan.ScanForController());
  VirtualPort& port = *opened.back();  // the reopened port the link keeps
  EXPECT_EQ(&port, link.Port());
  EXPECT_EQ(port.settings.baudRate, 19200);
  EXPECT_EQ(port.settings.dataBits, 8);
  EXPECT_EQ(port.timeouts.readIntervalMs, 20);
  EXPECT_EQ(port.timeouts.readTotalMultiplierMs, 5);
  EXPECT_EQ(port.timeouts.readTotalConstantMs, 50);
  EXPECT_EQ(port.purges, 1);
  ASSERT_EQ(port.writes.size(), 1u);
  EXPECT_EQ(port.writes[0].bytes, (std::vector<std::uint8_t>{0x11, 0x00, 0x11}));
}

TEST_F(PortScanTest, RepeatedScanRebuildsThePortList) {
  EXPECT_FALSE(scan.ScanForController());
  ports.AddDevice("/dev/ttyUSB0", &first);  // plugged in before Retry
  EXPECT_TRUE(scan.ScanForController());
}

TEST_F(PortScanTest, PortOverrideReplacesTheMachineList) {
  ports.AddDevice("/dev/ttyUSB0", &first);
  auto& hidden = ports.AddDevice("/dev/pts/7", &second);
  hidden.listed = false;
  scan.SetPortOverride({"/dev/pts/7"});
  QStringList names;
  EXPECT_EQ(scan.ListPorts(names), 1);
  ASSERT_TRUE(scan.ScanForController());
  EXPECT_EQ(scan.ConnectedPath(), "/dev/pts/7");
  EXPECT_EQ(first.RequestCount(0x00), 0);
}

// The adapter is unplugged and plugged back in under the same name: the exchange that finds
// the line lost closes the port, and the next one opens the device again, configured as before.
TEST_F(PortScanTest, ALostLineIsReopenedByTheNextExchange) {
  std::vector<VirtualPort*> opened;
  auto& device = ports.AddDevice("/dev/ttyUSB0", &first);
  device.onOpen = [&](VirtualPort& port, int) { opened.push_back(&port); };
  ASSERT_TRUE(scan.ScanForController());
  const std::size_t opensAtConnect = ports.opens.size();

  opened.back()->fail.lineLost = true;  // unplugged
  link.SetRequest(Command::Detect, 0);
  link.SendFrame();
  EXPECT_EQ(link.ReceiveFrame(), Received::LinkLost);
  EXPECT_FALSE(link.HasPort());

  // Still away: the next exchange fails without a port.
  device.openStatus = OpenStatus::Missing;
  EXPECT_FALSE(link.SendFrame());
  EXPECT_EQ(link.ReceiveFrame(), Received::LinkLost);

  device.openStatus = OpenStatus::Ok;  // back
  ASSERT_TRUE(link.SendFrame());
  EXPECT_EQ(link.ReceiveFrame(), Received::Frame);
  EXPECT_EQ(ports.opens.size(), opensAtConnect + 1);
  EXPECT_EQ(link.Port(), opened.back());
  EXPECT_EQ(opened.back()->settings.baudRate, 19200);
  EXPECT_EQ(opened.back()->timeouts.readIntervalMs, 20);
}

}  // namespace
}  // namespace vor

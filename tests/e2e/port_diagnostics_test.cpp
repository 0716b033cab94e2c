// What the user is told about ports that cannot be used, with real processes and devices.
#include "link/port_diagnostics.h"

#include <gtest/gtest.h>

#include <QProcess>

#include "definitions/model_images.h"
#include "link/port_holders.h"
#include "link/qt_serial_port.h"
#include "simulator/pty_controller.h"
#include "simulator/simulated_controller.h"
#include "tests/e2e/port_holder.h"

namespace vor {
namespace {

TEST(PortDiagnostics, ABusyPortNamesTheProgramThatHoldsIt) {
  SimulatedController controller(*DefaultImageFor(u"VOR"));
  PtyController pty(controller);
  QString error;
  ASSERT_TRUE(pty.Start(error)) << error.toStdString();

  // Another program opens the port and keeps it.
  QProcess holder;
  ASSERT_TRUE(test::StartPortHolder(holder, QStringLiteral("exec 3<>%1").arg(pty.DevicePath()),
                                    pty.DevicePath()));
  const std::vector<ProcessInfo> holders = PortHolders(pty.DevicePath());
  ASSERT_EQ(holders.size(), 1u);  // this process's own descriptors do not count
  EXPECT_EQ(holders[0].pid, holder.processId());
  EXPECT_EQ(OpenFailureReason(pty.DevicePath(), OpenStatus::Busy),
            QStringLiteral("busy, held by sleep (pid %1)").arg(holder.processId()));
  holder.kill();
  holder.waitForFinished();

  EXPECT_EQ(OpenFailureReason(pty.DevicePath(), OpenStatus::Busy), "busy, held by another program");
  EXPECT_EQ(OpenFailureReason("/dev/nonexistent-port", OpenStatus::Missing), "no such device");
}

TEST(PortDiagnostics, TheTroubleshootingChecksSayWhichPortsOpenAndWhyNot) {
  SimulatedController controller(*DefaultImageFor(u"VOR"));
  PtyController pty(controller);
  QString error;
  ASSERT_TRUE(pty.Start(error)) << error.toStdString();
  QtPortSystem ports;
  const std::vector<PortCheck> checks =
      CheckPorts(ports, {pty.DevicePath(), "/dev/nonexistent-port"});
  ASSERT_EQ(checks.size(), 2u);
  EXPECT_TRUE(checks[0].opens);
  EXPECT_TRUE(checks[0].reason.isEmpty());
  EXPECT_FALSE(checks[1].opens);
  EXPECT_EQ(checks[1].reason, "no such device");
  EXPECT_EQ(controller.RequestCount(0x00), 0);  // nothing was sent
}

}  // namespace
}  // namespace vor

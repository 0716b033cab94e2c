// A serial port in use is refused by any of its names and to any user: the tests run as root,
// whom the terminal's exclusive mode does not bind.
#include <gtest/gtest.h>

#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>

#include "definitions/model_images.h"
#include "link/port_diagnostics.h"
#include "link/qt_serial_port.h"
#include "simulator/pty_controller.h"
#include "simulator/simulated_controller.h"
#include "tests/e2e/cli_fixture.h"
#include "tests/e2e/port_holder.h"

namespace vor {
namespace {

// The simulator's pseudo-terminal, also reached through a link of another name, as a device is
// through /dev/serial/by-id.
class PortLockTest : public ::testing::Test {
protected:
  void SetUp() override {
    QString error;
    ASSERT_TRUE(pty.Start(error)) << error.toStdString();
    alias = dir.filePath("usb-Adapter-if00-port0");
    ASSERT_TRUE(QFile::link(pty.DevicePath(), alias));
  }

  OpenStatus TryOpen(const QString& path) {
    OpenStatus status = OpenStatus::OtherError;
    ports.Open(path, status);  // closed again at once
    return status;
  }

  SimulatedController controller{*DefaultImageFor(u"VOR")};
  PtyController pty{controller};
  QTemporaryDir dir;
  QString alias;
  QtPortSystem ports;
};

TEST_F(PortLockTest, APortOpenByOneNameIsBusyByTheOther) {
  for (const auto& [held, tried] :
       {std::pair{alias, pty.DevicePath()}, {pty.DevicePath(), alias}}) {
    OpenStatus status = OpenStatus::OtherError;
    const std::unique_ptr<SerialPort> holder = ports.Open(held, status);
    ASSERT_TRUE(holder) << held.toStdString();
    EXPECT_EQ(TryOpen(tried), OpenStatus::Busy) << tried.toStdString();
  }
  EXPECT_EQ(TryOpen(alias), OpenStatus::Ok);  // free again once closed
}

// Another Qt program holds the port by the device's own name: its lock file is the one this
// program's would be, since that is named after the device too, whatever name was given.
TEST_F(PortLockTest, AnotherProgramsLockFileByTheDevicesNameCounts) {
  QSerialPort other(pty.DevicePath());
  ASSERT_TRUE(other.open(QIODevice::ReadWrite)) << other.errorString().toStdString();
  EXPECT_EQ(TryOpen(alias), OpenStatus::Busy);
}

// A program that keeps no lock file but locks the device itself, under any user.
TEST_F(PortLockTest, ALockOnTheDeviceItselfCountsAndItsHolderIsNamed) {
  QProcess holder;
  ASSERT_TRUE(test::StartPortHolder(holder, QStringLiteral("exec 3<>%1; flock -x 3").arg(alias),
                                    pty.DevicePath()));

  EXPECT_EQ(TryOpen(pty.DevicePath()), OpenStatus::Busy);
  EXPECT_EQ(OpenFailureReason(pty.DevicePath(), OpenStatus::Busy),
            QStringLiteral("busy, held by sleep (pid %1)").arg(holder.processId()));
  holder.kill();
  holder.waitForFinished();
  EXPECT_EQ(TryOpen(pty.DevicePath()), OpenStatus::Ok);
}

class CliPortLockTest : public test::CliFixture {};

// As a user meets it: the Monitor polls through the stable name while vor-cli is pointed at the
// device's own name.
TEST_F(CliPortLockTest, ReadRefusesAPortThatAMonitorHoldsByAnotherName) {
  StartSim();
  const QString alias = dir.filePath("usb-Adapter-if00-port0");
  ASSERT_TRUE(QFile::link(devicePath, alias));
  QProcess monitor;
  monitor.start(VOR_CLI_PATH, {"--port", alias, "monitor"});
  ASSERT_TRUE(monitor.waitForReadyRead(10'000));  // its header: it holds the port

  const test::CliRun run = CliOnSim({"read"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(
      run.err.contains(QStringLiteral("vor-cli: cannot open %1: busy, held by ").arg(devicePath)))
      << run.err.toStdString();
  EXPECT_TRUE(run.err.contains(QStringLiteral("vor-cli (pid %1)").arg(monitor.processId())))
      << run.err.toStdString();

  monitor.terminate();
  ASSERT_TRUE(monitor.waitForFinished(5000));
  EXPECT_EQ(monitor.exitCode(), 0);
}

}  // namespace
}  // namespace vor

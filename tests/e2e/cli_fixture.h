#pragma once

// vor-sim and vor-cli run as the user runs them: a fixture for end-to-end tests of the two.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace vor::test {

struct CliRun {
  int exitCode;
  QString out;
  QString err;
  QByteArray rawOut;  // standard output as the bytes it was
};

class CliFixture : public ::testing::Test {
protected:
  // Starts vor-sim with `args` and takes the device path from its first line.
  void StartSim(const QStringList& args = {}) {
    StopSim();
    sim.start(VOR_SIM_PATH, args);
    ASSERT_TRUE(sim.waitForStarted());
    ASSERT_TRUE(sim.waitForReadyRead(5000));
    devicePath = QString::fromLocal8Bit(sim.readLine()).trimmed();
    ASSERT_TRUE(devicePath.startsWith("/dev/"));
  }

  void TearDown() override { StopSim(); }

  void StopSim() {
    if (sim.state() == QProcess::NotRunning) return;
    sim.terminate();
    EXPECT_TRUE(sim.waitForFinished(5000));
    EXPECT_EQ(sim.exitCode(), 0);
  }

  CliRun Cli(const QStringList& args) {
    QProcess cli;
    cli.start(VOR_CLI_PATH, args);
    EXPECT_TRUE(cli.waitForFinished(120'000));
    const QByteArray out = cli.readAllStandardOutput();
    return {cli.exitCode(), QString::fromUtf8(out), QString::fromUtf8(cli.readAllStandardError()),
            out};
  }

  // vor-cli on the simulator's port only.
  CliRun CliOnSim(const QStringList& args) { return Cli(QStringList{"--port", devicePath} + args); }

  // The simulator's image, as vor-cli reads it.
  QByteArray ReadImageFile() {
    const QString path = dir.filePath("read.bin");
    EXPECT_EQ(CliOnSim({"read", "--out", path}).exitCode, 0);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
  }

  QString WriteFile(const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
  }

  QProcess sim;
  QString devicePath;
  QTemporaryDir dir;
};

}  // namespace vor::test

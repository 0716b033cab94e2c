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

  // vor-cli with `args`; its standard output goes to the file `standardOutput` when one is given
  // (out is then empty). Its backups go to BackupsFolder(), never the user's own.
  CliRun Cli(const QStringList& args, const QString& standardOutput = {}) {
    return Run(VOR_CLI_PATH, args, standardOutput);
  }

  // vor-cli on the simulator's port only.
  CliRun CliOnSim(const QStringList& args, const QString& standardOutput = {}) {
    return Cli(QStringList{"--port", devicePath} + args, standardOutput);
  }

  // vor-cli on the simulator's port, with arguments as a shell command line gives them after
  // `vor-cli --port PORT`: raw bytes such as file names that are not UTF-8, which QProcess cannot
  // pass, are written as $(printf '\377').
  CliRun CliOnSimFromShell(const QString& arguments) {
    return Run("/bin/sh",
               {"-c", QStringLiteral("exec \"$0\" --port \"$1\" %1").arg(arguments), VOR_CLI_PATH,
                devicePath},
               {});
  }

  // Where vor-cli saves its backups here: the desktop program's folder in the data folder
  // XDG_DATA_HOME names.
  QString BackupsFolder() const { return dir.filePath("data/vor-user/backups"); }

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

private:
  CliRun Run(const QString& program, const QStringList& args, const QString& standardOutput) {
    QProcess cli;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", dir.filePath("data"));
    cli.setProcessEnvironment(environment);
    if (!standardOutput.isEmpty()) cli.setStandardOutputFile(standardOutput);
    cli.start(program, args);
    EXPECT_TRUE(cli.waitForFinished(120'000));
    const QByteArray out = cli.readAllStandardOutput();
    return {cli.exitCode(), QString::fromUtf8(out), QString::fromUtf8(cli.readAllStandardError()),
            out};
  }
};

}  // namespace vor::test

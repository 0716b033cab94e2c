// vor-cli against vor-sim, both as the user runs them.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

struct CliRun {
  int exitCode;
  QString out;
  QString err;
};

class CliTest : public ::testing::Test {
protected:
  void StartSim(const QStringList& args = {}) {
    sim.start(VOR_SIM_PATH, args);
    ASSERT_TRUE(sim.waitForStarted());
    ASSERT_TRUE(sim.waitForReadyRead(5000));
    devicePath = QString::fromLocal8Bit(sim.readLine()).trimmed();
    ASSERT_TRUE(devicePath.startsWith("/dev/"));
  }

  void TearDown() override {
    if (sim.state() == QProcess::NotRunning) return;
    sim.terminate();
    EXPECT_TRUE(sim.waitForFinished(5000));
    EXPECT_EQ(sim.exitCode(), 0);
  }

  CliRun Cli(QStringList args) {
    QProcess cli;
    cli.start(VOR_CLI_PATH, args);
    EXPECT_TRUE(cli.waitForFinished(120'000));
    return {cli.exitCode(), QString::fromUtf8(cli.readAllStandardOutput()),
            QString::fromUtf8(cli.readAllStandardError())};
  }

  CliRun CliOnSim(QStringList args) { return Cli(QStringList{"--port", devicePath} + args); }

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

TEST_F(CliTest, ScanPrintsTheDevicePath) {
  StartSim();
  const CliRun run = CliOnSim({"scan"});
  EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(run.out, devicePath + "\n");
}

TEST_F(CliTest, ScanWithoutControllerSaysSoAndWhyEachPortFailed) {
  const CliRun run = Cli({"--port", "/dev/no-such-port", "scan"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.out.isEmpty());
  EXPECT_TRUE(run.err.contains("Controller no power or RS232 cable disconnect.\n"));
  EXPECT_EQ(run.err.count("/dev/no-such-port: no such device"), 1);
}

TEST_F(CliTest, ReadPrintsEightLinesOfHexOrSavesTheRawBytes) {
  StartSim();
  const CliRun run = CliOnSim({"read"});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 8);
  QByteArray fromHex;
  for (const QString& line : lines) {
    EXPECT_TRUE(QRegularExpression("^([0-9a-f]{2} ){15}[0-9a-f]{2}$").match(line).hasMatch())
        << line.toStdString();
    fromHex += QByteArray::fromHex(line.toLatin1());
  }
  EXPECT_EQ(fromHex.mid(64, 5), "VOR72");
  EXPECT_EQ(ReadImageFile(), fromHex);
}

TEST_F(CliTest, WriteCommitsTheImageAndVerifiesIt) {
  StartSim();
  QByteArray image = ReadImageFile();
  ASSERT_EQ(image.size(), 128);
  image[16] = 0x33;
  image[127] = 0x44;
  const CliRun run = CliOnSim({"write", "--in", WriteFile("new.bin", image)});
  EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(ReadImageFile(), image);
}

TEST_F(CliTest, WriteRefusesAnImageOfAnotherModelUnlessForced) {
  StartSim();
  const QByteArray original = ReadImageFile();
  QByteArray other = original;
  other.replace(64, 3, "ABC");
  other[0] = 0x01;
  const QString path = WriteFile("other.bin", other);

  const CliRun refused = CliOnSim({"write", "--in", path});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_TRUE(refused.err.contains("--force")) << refused.err.toStdString();
  EXPECT_EQ(ReadImageFile(), original);

  EXPECT_EQ(CliOnSim({"write", "--in", path, "--force"}).exitCode, 0);
  EXPECT_EQ(ReadImageFile(), other);
}

TEST_F(CliTest, WriteOfAFileThatIsNotAnImageSendsNothing) {
  StartSim();
  const CliRun run = CliOnSim({"--trace", "write", "--in", WriteFile("short.bin", QByteArray(127, 0))});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.err.contains("127 bytes")) << run.err.toStdString();
  EXPECT_FALSE(run.err.contains("TX"));
}

TEST_F(CliTest, WriteThatTheControllerDoesNotAnswerFails) {
  StartSim({"--fault", "ignore:f3:2"});
  const QByteArray image = ReadImageFile();
  const CliRun run = CliOnSim({"write", "--in", WriteFile("same.bin", image)});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.err.contains("Error writing data.\n")) << run.err.toStdString();
}

TEST_F(CliTest, TraceShowsEveryFrame) {
  StartSim();
  const CliRun run = CliOnSim({"--trace", "scan"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_TRUE(run.err.contains(" ms TX  11 00 11\n")) << run.err.toStdString();
  EXPECT_TRUE(QRegularExpression(" ms RX  11 [0-9a-f ]+\\n").match(run.err).hasMatch());
}

TEST_F(CliTest, UsageErrorsAreClear) {
  for (const QStringList& args : {QStringList{}, QStringList{"frobnicate"}, QStringList{"write"},
                                  QStringList{"scan", "--out", "x"}}) {
    const CliRun run = Cli(args);
    EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
    EXPECT_TRUE(run.err.startsWith("vor-cli: ")) << run.err.toStdString();
  }
}

}  // namespace

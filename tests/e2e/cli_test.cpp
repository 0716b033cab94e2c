// vor-cli against vor-sim, both as the user runs them.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include "definitions/model_images.h"
#include "definitions/model_table.h"
#include "tests/e2e/cli_fixture.h"
#include "tests/support/model_scripts.h"

namespace {

using vor::test::CliRun;

class CliTest : public vor::test::CliFixture {};

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
  EXPECT_EQ(fromHex.mid(vor::kModuleNameAddr, 5), "VOR72");
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

QByteArray Bytes(const vor::ConfigImage& image) {
  return QByteArray(reinterpret_cast<const char*>(image.bytes.data()), vor::ConfigImage::kSize);
}

// As File > Open refuses them: an image that needs other definitions than the controller's.
TEST_F(CliTest, WriteRefusesAnImageForOtherDefinitionsUnlessForced) {
  QByteArray abc = Bytes(*vor::DefaultImageFor(u"VOR"));
  abc.replace(vor::kModuleNameAddr, 3, "ABC");
  const struct {
    QStringList sim;
    QByteArray image;
    const char* reason;
  } cases[] = {
      {{}, abc, "it is a configuration of model ABC, not VOR"},
      {{},
       Bytes(*vor::DefaultImageFor(u"VOR", {.voltageClass = "24"})),
       "its voltage class \"24\" sets other limits"},
      {{"--model", "PUV"},
       Bytes(*vor::DefaultImageFor(u"PUV", {.softwareVersion = 0x0502})),
       "its software version 0502 needs other definitions"},
      {{"--model", "JUT"},
       Bytes(*vor::DefaultImageFor(u"JUT", {.specialVersion = 5})),
       "it is of the special version"},
  };
  const QString path = dir.filePath("other.bin");
  for (const auto& c : cases) {
    StartSim(c.sim);
    const QByteArray original = ReadImageFile();
    WriteFile("other.bin", c.image);
    const CliRun refused = CliOnSim({"write", "--in", path});
    EXPECT_EQ(refused.exitCode, 1) << c.reason;
    EXPECT_EQ(refused.err, QStringLiteral("vor-cli: %1 does not fit the controller: %2; nothing "
                                          "was written (use --force to write it all the same)\n")
                               .arg(path, c.reason));
    EXPECT_EQ(ReadImageFile(), original) << c.reason;
  }

  EXPECT_EQ(CliOnSim({"write", "--in", path, "--force"}).exitCode, 0);
  EXPECT_EQ(ReadImageFile(), cases[3].image);
}

TEST_F(CliTest, WriteOfAFileThatIsNotAnImageSendsNothing) {
  StartSim();
  const CliRun run =
      CliOnSim({"--trace", "write", "--in", WriteFile("short.bin", QByteArray(127, 0))});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.err.contains("127 bytes")) << run.err.toStdString();
  EXPECT_FALSE(run.err.contains("TX"));
}

struct WriteFaultCase {
  const char* name;
  QStringList simArgs;
  int exitCode;
  const char* err;  // a line of what vor-cli says
  bool taken;       // the controller holds the new image afterwards, else its old one
};

void PrintTo(const WriteFaultCase& c, std::ostream* os) { *os << c.name; }

class CliWriteFaultTest : public vor::test::CliFixture,
                          public ::testing::WithParamInterface<WriteFaultCase> {};

// A lost block commits nothing; a garbled Commit acknowledgement is decided by reading back, at
// once.
TEST_P(CliWriteFaultTest, TheExitCodeSaysWhatTheControllerHolds) {
  const WriteFaultCase& c = GetParam();
  StartSim(c.simArgs);
  const QByteArray before = ReadImageFile();
  QByteArray image = before;
  image[16] = char(image[16] ^ 0x01);
  image[127] = char(image[127] ^ 0x01);
  const CliRun run = CliOnSim({"write", "--in", WriteFile("new.bin", image)});
  EXPECT_EQ(run.exitCode, c.exitCode);
  EXPECT_TRUE(run.err.contains(c.err)) << run.err.toStdString();
  EXPECT_EQ(ReadImageFile(), c.taken ? image : before);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CliWriteFaultTest,
    ::testing::Values(
        WriteFaultCase{"IgnoredBlock",
                       {"--fault", "ignore:f3:4"},
                       1,
                       "Error writing data.\nvor-cli: a block went unanswered, so nothing was "
                       "committed: the controller keeps its previous configuration\n",
                       false},
        // The first BeginTransfer's answer, 2.5 s late, comes while the last block's is awaited.
        WriteFaultCase{"ALateHandshakeAnswerIsNoBlockAcknowledgement",
                       {"--fault", "stale:f1:3:2500", "--fault", "ignore:f3:10"},
                       1,
                       "Error writing data.\nvor-cli: a block went unanswered, so nothing was "
                       "committed: the controller keeps its previous configuration\n",
                       false},
        WriteFaultCase{"GarbledCommitAcknowledgement",
                       {"--fault", "bad-checksum:f4:1"},
                       0,
                       "vor-cli: the commit's acknowledgement was garbled or missing, but "
                       "reading back shows that the controller took the configuration\n",
                       true},
        // Reads: the test's own before the write (1-8), the write's of the controller (9-16),
        // then its read-back after the acknowledged Commit.
        WriteFaultCase{"UnansweredReadBack",
                       {"--fault", "ignore:f2:17"},
                       1,
                       "Read data error.\nvor-cli: the write took (the controller acknowledged "
                       "it), but the configuration could not be read back to check it\n",
                       true}),
    [](const auto& info) { return std::string(info.param.name); });

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

TEST_F(CliTest, SimulatorRefusesBadOptionsClearly) {
  for (const QStringList& args :
       {QStringList{"--model", "XYZ"}, QStringList{"--special", "256"},
        QStringList{"--software-version", "12345"}, QStringList{"--fault", "loud"},
        QStringList{"--image", dir.filePath("missing.bin")}}) {
    QProcess bad;
    bad.start(VOR_SIM_PATH, args);
    ASSERT_TRUE(bad.waitForFinished(5000));
    EXPECT_EQ(bad.exitCode(), 2) << args.join(' ').toStdString();
    EXPECT_TRUE(bad.readAllStandardError().startsWith("vor-sim: ")) << args.join(' ').toStdString();
  }
}

namespace describe {

TEST_F(CliTest, DescribeReportsTheScriptsOfEveryModel) {
  for (const vor::test::ModelScripts& row : vor::test::kModelScripts) {
    vor::ImageOptions options;
    options.specialVersion = row.special;
    options.softwareVersion = row.software;
    const std::optional<vor::ConfigImage> image = vor::DefaultImageFor(QString(row.code), options);
    ASSERT_TRUE(image) << row.code;
    const QString path =
        WriteFile("image.bin", QByteArray(reinterpret_cast<const char*>(image->bytes.data()), 128));
    const CliRun run = Cli({"describe", "--image", path, "--json"});
    ASSERT_EQ(run.exitCode, 0) << row.code << run.err.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8()).object();
    EXPECT_EQ(json["ModelCode"].toString(), row.code);
    EXPECT_EQ(json["paramScript"].toInt(), row.paramScript) << row.code;
    EXPECT_EQ(json["liveScript"].toInt(), row.liveScript) << row.code;
    EXPECT_EQ(json["SpecialVersionFlag"].toInt(), row.specialFlag) << row.code;
    EXPECT_EQ(json["params"].toArray().size(), json["paramCount"].toInt());
    EXPECT_EQ(json["liveItems"].toArray().size(), 43);
    EXPECT_EQ(json["faults"].toArray().size(), 16);
  }
}

TEST_F(CliTest, DescribeRefusesAnUnknownModelWithTheMessage) {
  QByteArray image(128, '\0');
  image.replace(vor::kModuleNameAddr, 5, "vor72");  // codes are case-sensitive
  const CliRun run = Cli({"describe", "--image", WriteFile("lower.bin", image)});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "Does not support this model, please choose the right software.\n");
  EXPECT_TRUE(run.out.isEmpty());
}

TEST_F(CliTest, DescribeReadsTheControllerWhenNoImageIsGiven) {
  StartSim({"--model", "PUV", "--software-version", "0502"});
  const CliRun run = CliOnSim({"describe"});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_TRUE(run.out.startsWith("ModelCode           PUV\n")) << run.out.toStdString();
  EXPECT_TRUE(run.out.contains("paramScript         160\n"));
}

}  // namespace describe
}  // namespace

// vor-cli diff between files and against vor-sim, and vor-sim's forget fault as a verifying
// write meets it.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "definitions/model_images.h"
#include "tests/e2e/cli_fixture.h"

namespace {

using vor::test::CliRun;

QByteArray FactoryImage(QStringView code) {
  const vor::ConfigImage image = *vor::DefaultImageFor(code);
  return QByteArray(reinterpret_cast<const char*>(image.bytes.data()), 128);
}

class CliDiffTest : public vor::test::CliFixture {
protected:
  void SetUp() override {
    original = FactoryImage(u"VOR");
    changed = original;
    changed[19] = 42;                      // Low Volt
    changed[0] = char(changed[0] ^ 0x04);  // Rev_HCurr
  }

  QByteArray original;
  QByteArray changed;
};

TEST_F(CliDiffTest, TwoFilesListTheChangedSwitchAndFieldAndExitOneOrZero) {
  const QString a = WriteFile("a.bin", original);
  const QString b = WriteFile("b.bin", changed);
  const CliRun differ = Cli({"diff", a, b});
  EXPECT_EQ(differ.exitCode, 1) << differ.err.toStdString();
  const QStringList lines = differ.out.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 3) << differ.out.toStdString();
  EXPECT_TRUE(lines[0].startsWith("Page")) << lines[0].toStdString();
  EXPECT_TRUE(lines[0].endsWith(b));
  EXPECT_EQ(lines[1].simplified(), "Vehicle Rev_HCurr 0 1");
  EXPECT_EQ(lines[2].simplified(),
            QStringLiteral("Vehicle Low Volt %1 42").arg(std::uint8_t(original[19])));

  const CliRun json = Cli({"diff", a, b, "--json"});
  EXPECT_EQ(json.exitCode, 1);
  const QJsonObject object = QJsonDocument::fromJson(json.out.toUtf8()).object();
  EXPECT_FALSE(object["equal"].toBool());
  const QJsonArray fields = object["fields"].toArray();
  ASSERT_EQ(fields.size(), 2);
  EXPECT_EQ(fields[1]["parameter"].toString(), "Low Volt");
  EXPECT_EQ(fields[1]["second"].toString(), "42");
  EXPECT_TRUE(object["bytes"].toArray().isEmpty());

  const CliRun same = Cli({"diff", a, WriteFile("a2.bin", original)});
  EXPECT_EQ(same.exitCode, 0);
  EXPECT_EQ(same.out, "no differences\n");
}

TEST_F(CliDiffTest, AFileAgainstTheControllerUsesTheFilesDefinitions) {
  StartSim();
  const QByteArray current = ReadImageFile();
  EXPECT_EQ(CliOnSim({"diff", WriteFile("same.bin", current)}).exitCode, 0);

  QByteArray file = current;
  file[19] = char(current[19] + 1);
  const CliRun run = CliOnSim({"diff", WriteFile("file.bin", file), "--json"});
  EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
  const QJsonObject object = QJsonDocument::fromJson(run.out.toUtf8()).object();
  EXPECT_EQ(object["second"].toString(), "controller");
  const QJsonArray fields = object["fields"].toArray();
  ASSERT_EQ(fields.size(), 1);
  EXPECT_EQ(fields[0]["first"].toString(), QString::number(std::uint8_t(file[19])));
  EXPECT_EQ(fields[0]["second"].toString(), QString::number(std::uint8_t(current[19])));
}

TEST_F(CliDiffTest, BadFilesFailWithTheReasonAndMistakesAreUsageErrors) {
  const QString good = WriteFile("good.bin", original);
  QByteArray unsupported = original;
  unsupported[64] = 'X';
  const struct {
    QStringList args;
    int exitCode;
    const char* err;
  } cases[] = {
      {{"diff", good, WriteFile("short.bin", original.left(5))}, 1, "holds 5 bytes"},
      {{"diff", WriteFile("x.bin", unsupported), good}, 1, "Does not support this model"},
      // Only --help follows the language: what a command prints stays English for scripts.
      {{"--lang", "zh_CN", "diff", WriteFile("x.bin", unsupported), good},
       1,
       "Does not support this model"},
      {{"diff"}, 2, "diff takes FILE [FILE2]"},
      {{"diff", good, good, good}, 2, "diff takes FILE [FILE2]"},
      {{"--port", "/dev/null", "diff", good, good}, 2, "--port goes with diff"},
  };
  for (const auto& c : cases) {
    const CliRun run = Cli(c.args);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.args.join(' ').toStdString();
    EXPECT_TRUE(run.err.contains(c.err)) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty()) << c.args.join(' ').toStdString();
  }
}

// The second write block (bytes 13..25) is acknowledged and dropped: only reading back shows it.
TEST_F(CliDiffTest, AForgottenWriteBlockIsCaughtByTheReadBack) {
  StartSim({"--fault", "forget:f3:2"});
  QByteArray image = ReadImageFile();
  image[14] = char(image[14] - 1);  // Phase Current Per, 100 at the factory: within 20..100
  image[40] = char(image[40] ^ 0x01);
  const CliRun run = CliOnSim({"write", "--in", WriteFile("new.bin", image)});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.err.contains("byte 14 reads back")) << run.err.toStdString();
  EXPECT_FALSE(run.err.contains("byte 40 reads back")) << run.err.toStdString();
}

}  // namespace

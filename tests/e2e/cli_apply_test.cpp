// vor-cli apply, and write --in with another controller's image, against vor-sim.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "definitions/model_images.h"
#include "definitions/model_table.h"
#include "tests/e2e/cli_fixture.h"

namespace {

using vor::test::CliRun;

// The VOR simulator's factory values: Low Volt 54 (byte 19), Rev_HCurr unticked (byte 0, bit 2),
// Phase_A_Zero 128 (byte 97), serial number 1234567.
class CliApplyTest : public vor::test::CliFixture {
protected:
  void SetUp() override {
    StartSim();
    original = ReadImageFile();
    ASSERT_EQ(original.size(), 128);
    ASSERT_EQ(original[0] & 0x04, 0);
    // A file with settings, this controller's own data and a byte no page shows changed.
    ownFile = original;
    ownFile[19] = 50;
    ownFile[0] = char(ownFile[0] | 0x04);
    ownFile[97] = char(100);
    ownFile[13] = char(ownFile[13] ^ 0xFF);
    otherFile = ownFile;
    otherFile[int(vor::kSerialNumberAddr) + 3] =
        char(otherFile[int(vor::kSerialNumberAddr) + 3] ^ 1);
  }

  QByteArray original;
  QByteArray ownFile;
  QByteArray otherFile;
};

TEST_F(CliApplyTest, AnotherControllersFileKeepsThisControllersSerialNumberAndCalibration) {
  const CliRun run = CliOnSim({"apply", WriteFile("other.bin", otherFile)});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(run.out, "Rev_HCurr: 0 -> 1\nLow Volt: 54 -> 50\n");
  EXPECT_TRUE(run.err.contains("Serial Number: 1234567 (the file has 1234566)"))
      << run.err.toStdString();
  EXPECT_TRUE(run.err.contains("Phase_A_Zero: 128 (the file has 100)")) << run.err.toStdString();

  QByteArray expected = original;
  expected[19] = 50;
  expected[0] = char(original[0] | 0x04);
  EXPECT_EQ(ReadImageFile(), expected);
}

// This controller's own backup brings back everything, bytes no page shows included.
TEST_F(CliApplyTest, ThisControllersBackupRestoresEveryByte) {
  const CliRun run = CliOnSim({"apply", WriteFile("own.bin", ownFile)});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(run.out,
            "Rev_HCurr: 0 -> 1\nLow Volt: 54 -> 50\nPhase_A_Zero: 128 -> 100\n"
            "byte 13: 0x00 -> 0xff\n");
  EXPECT_EQ(ReadImageFile(), ownFile);
}

TEST_F(CliApplyTest, DryRunPrintsTheChangesAndSendsNoWrite) {
  const QString path = WriteFile("other.bin", otherFile);
  const CliRun run = CliOnSim({"--trace", "apply", path, "--dry-run"});
  EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(run.out, "Rev_HCurr: 0 -> 1\nLow Volt: 54 -> 50\n");
  EXPECT_FALSE(run.err.contains("TX  f3")) << run.err.toStdString();

  const CliRun json = CliOnSim({"--trace", "apply", path, "--dry-run", "--json"});
  EXPECT_EQ(json.exitCode, 0) << json.err.toStdString();
  EXPECT_FALSE(json.err.contains("TX  f3"));
  const QJsonObject object = QJsonDocument::fromJson(json.out.toUtf8()).object();
  EXPECT_FALSE(object["same_controller"].toBool());
  EXPECT_FALSE(object["written"].toBool());
  EXPECT_EQ(object["changes"].toArray().size(), 2);
  QStringList kept;
  for (const QJsonValue& row : object["kept"].toArray()) kept << row["parameter"].toString();
  EXPECT_EQ(kept, (QStringList{"Serial Number", "Phase_A_Zero", "byte 13"}));
  EXPECT_EQ(ReadImageFile(), original);
}

// What diff refuses, apply refuses, with exit 1 and no write request.
TEST_F(CliApplyTest, AFileOfTheWrongSizeOrForOtherDefinitionsIsRefused) {
  const vor::ConfigImage taq = *vor::DefaultImageFor(u"TAQ");
  const struct {
    const char* name;
    QString path;
    const char* error;
  } cases[] = {
      {"too short", WriteFile("short.bin", original.left(127)), "127 bytes"},
      {"missing", dir.filePath("none.bin"), "none.bin"},
      {"another model",
       WriteFile("taq.bin", QByteArray(reinterpret_cast<const char*>(taq.bytes.data()), 128)),
       "it is a configuration of model TAQ, not VOR; nothing was written"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const CliRun run = CliOnSim({"--trace", "apply", c.path});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    EXPECT_TRUE(run.err.contains(c.error)) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains("TX  f3")) << run.err.toStdString();
  }
  EXPECT_EQ(ReadImageFile(), original);
}

// A corrupt or hand-edited file must not switch off a cut-off: a value the page would refuse is
// refused with the page's message, and nothing is sent. write --in refuses it too, unless
// --force: a backup of this same unit restores what it held, but not a value out of its range
// that the controller does not hold now.
TEST_F(CliApplyTest, AFileWithAValueOutOfItsRangeIsRefusedWithThePagesMessage) {
  QByteArray edited = original;
  edited[19] = char(200);  // Low Volt, 18..90
  edited[20] = char(250);  // Over Volt, 18..90
  edited[2] = 9;           // TPS Type, 0..3
  edited[21] = 77;         // Accelerate Speed, 0..10
  const QString path = WriteFile("edited.bin", edited);
  // The first in page order.
  const QString message = "Param:Low Volt\nThe range should be between 18~90\nvor-cli: " + path +
                          " holds 200 for Low Volt, out of its range";
  for (const QStringList& args :
       {QStringList{"apply", path}, QStringList{"apply", path, "--dry-run"},
        QStringList{"write", "--in", path}}) {
    SCOPED_TRACE(args.join(' ').toStdString());
    const CliRun run = CliOnSim(QStringList{"--trace"} + args);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(message)) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains("TX  f3")) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
  }
  EXPECT_EQ(ReadImageFile(), original);

  // Taken whole on purpose; written back, the controller's own backup needs no --force.
  ASSERT_EQ(CliOnSim({"write", "--in", path, "--force"}).exitCode, 0);
  EXPECT_EQ(ReadImageFile(), edited);
  QByteArray lowered = edited;
  lowered[21] = 5;
  const CliRun again = CliOnSim({"write", "--in", WriteFile("lowered.bin", lowered)});
  EXPECT_EQ(again.exitCode, 0) << again.err.toStdString();
  EXPECT_EQ(ReadImageFile(), lowered);
}

TEST_F(CliApplyTest, WriteRefusesAnotherControllersImageUnlessForced) {
  const QString path = WriteFile("other.bin", otherFile);
  const CliRun refused = CliOnSim({"--trace", "write", "--in", path});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_TRUE(refused.err.contains("serial number 1234566, but this one's is 1234567"))
      << refused.err.toStdString();
  EXPECT_FALSE(refused.err.contains("TX  f3")) << refused.err.toStdString();
  EXPECT_EQ(ReadImageFile(), original);

  const CliRun forced = CliOnSim({"write", "--in", path, "--force"});
  EXPECT_EQ(forced.exitCode, 0) << forced.err.toStdString();
  EXPECT_EQ(ReadImageFile(), otherFile);
}

}  // namespace

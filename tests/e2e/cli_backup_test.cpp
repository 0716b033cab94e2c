// vor-cli's commands that change the controller back up its configuration first, into the folder
// whose backups the desktop program's Restore Backup lists.
#include <gtest/gtest.h>

#include <QFile>

#include "calibration/zero_calibration.h"
#include "definitions/model_images.h"
#include "definitions/model_table.h"
#include "files/backup_store.h"
#include "files/image_file.h"
#include "tests/e2e/cli_fixture.h"

namespace {

using vor::test::CliRun;

class CliBackupTest : public vor::test::CliFixture {
protected:
  // The simulator on the VOR factory image with its phase zero offsets at 0, so that zero
  // --update has something to change.
  void SetUp() override {
    vor::ConfigImage image = *vor::DefaultImageFor(u"VOR");
    for (int phase = 0; phase < 3; ++phase) image[vor::kPhaseZeroAddr + std::size_t(phase)] = 0;
    StartSim({"--image", WriteFile("start.bin", Bytes(image))});
    serial = vor::BackupSerial(image);
  }

  static QByteArray Bytes(const vor::ConfigImage& image) {
    return QByteArray(reinterpret_cast<const char*>(image.bytes.data()), vor::ConfigImage::kSize);
  }
  // The backups of the simulated controller, newest first, as Restore Backup lists them.
  QStringList Backups() const { return vor::BackupStore(BackupsFolder()).BackupsOf(serial); }
  QByteArray Backup(const QString& path) {
    vor::ConfigImage image;
    QString error;
    EXPECT_TRUE(vor::LoadImageFile(path, image, error)) << error.toStdString();
    return Bytes(image);
  }

  QString serial;
};

TEST_F(CliBackupTest, EveryCommandThatWritesBacksUpWhatTheControllerHeldBefore) {
  QByteArray held = ReadImageFile();
  QByteArray written = held;
  written[16] = char(written[16] ^ 0x01);
  QByteArray other = held;
  other[28] = 1;  // Control Mode
  const QStringList commands[] = {
      {"set", "Low Volt=50"},
      {"write", "--in", WriteFile("written.bin", written)},
      {"apply", WriteFile("other.bin", other)},
      {"zero", "--update"},
  };
  int count = 0;
  for (const QStringList& command : commands) {
    SCOPED_TRACE(command.join(' ').toStdString());
    const CliRun run = CliOnSim(command);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList backups = Backups();
    ASSERT_EQ(backups.size(), ++count);
    EXPECT_EQ(Backup(backups[0]), held);
    held = ReadImageFile();
  }
  // What writes nothing backs nothing up.
  EXPECT_EQ(CliOnSim({"set", "Low Volt=40", "--dry-run"}).exitCode, 0);
  const QString lowVolt = QStringLiteral("Low Volt=%1").arg(std::uint8_t(held[19]));
  EXPECT_EQ(CliOnSim({"set", lowVolt}).exitCode, 0);  // held already
  EXPECT_EQ(Backups().size(), count);
}

// As the desktop program asks "Write anyway?" with No as the default answer.
TEST_F(CliBackupTest, WithoutABackupNothingIsWrittenUnlessWriteAnyway) {
  const QByteArray before = ReadImageFile();
  ASSERT_TRUE(QDir().mkpath(QFileInfo(BackupsFolder()).path()));
  QFile blocker(BackupsFolder());  // a file where the folder should be
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();

  const CliRun refused = CliOnSim({"--trace", "set", "Low Volt=50"});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_TRUE(refused.err.contains(
      QStringLiteral("vor-cli: the controller's configuration could not be backed up before "
                     "writing: cannot create the backups folder %1; nothing was written "
                     "(--write-anyway writes without a backup)\n")
          .arg(BackupsFolder())))
      << refused.err.toStdString();
  EXPECT_FALSE(refused.err.contains("TX  f3")) << refused.err.toStdString();
  EXPECT_TRUE(refused.out.isEmpty());
  EXPECT_EQ(ReadImageFile(), before);

  const CliRun anyway = CliOnSim({"set", "Low Volt=50", "--write-anyway"});
  EXPECT_EQ(anyway.exitCode, 0) << anyway.err.toStdString();
  EXPECT_TRUE(anyway.err.contains("; writing anyway, as --write-anyway asks\n"))
      << anyway.err.toStdString();
  EXPECT_EQ(anyway.out, "Low Volt: 54 -> 50\n");
  EXPECT_EQ(ReadImageFile()[19], 50);
}

}  // namespace

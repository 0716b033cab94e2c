// vor-cli read --out: the image whole and on disk, or exit 1 with the reason and no file; never
// in place of a device or a pipe.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <QDir>
#include <filesystem>

#include "tests/e2e/cli_fixture.h"
#include "tests/support/private_mounts.h"

namespace {

using vor::test::CliRun;
namespace fs = std::filesystem;

class CliSaveTest : public vor::test::CliFixture {};

TEST_F(CliSaveTest, ReadOutRefusesADeviceOrAPipeAndADashIsStandardOutput) {
  StartSim();
  const QString pipe = dir.filePath("pipe");
  const QString device = dir.filePath("full");  // /dev/full's numbers
  ASSERT_EQ(mkfifo(pipe.toLocal8Bit().constData(), 0644), 0);
  const bool root = mknod(device.toLocal8Bit().constData(), S_IFCHR | 0644, makedev(1, 7)) == 0;

  const struct {
    QString path;
    const char* reason;
    fs::file_type type;
  } cases[] = {{pipe, "it is a named pipe, not a file", fs::file_type::fifo},
               {device, "it is a device, not a file", fs::file_type::character}};
  for (const auto& c : cases) {
    if (c.path == device && !root) {
      std::printf("no device node case: mknod needs root\n");
      continue;
    }
    const CliRun run = CliOnSim({"read", "--out", c.path});
    EXPECT_EQ(run.exitCode, 1) << c.reason;
    EXPECT_EQ(run.err, QStringLiteral("vor-cli: cannot write %1: %2\n").arg(c.path, c.reason));
    EXPECT_EQ(fs::status(c.path.toStdString()).type(), c.type) << c.reason;
  }

  const CliRun dash = CliOnSim({"read", "--out", "-"});
  EXPECT_EQ(dash.exitCode, 0) << dash.err.toStdString();
  EXPECT_EQ(dash.rawOut, ReadImageFile());
}

TEST_F(CliSaveTest, ReadOutOnAFullDiskExitsOneWithTheReasonAndLeavesNoFile) {
  if (!vor::test::InPrivateMountNamespace()) return;
  StartSim();
  const QString folder = dir.filePath("disk");
  const vor::test::FullDisk full(folder);
  const QString path = QDir(folder).filePath("backup.bin");
  const CliRun run = CliOnSim({"read", "--out", path});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err,
            QStringLiteral("vor-cli: cannot write %1: No space left on device\n").arg(path));
  EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"fill"});
}

}  // namespace

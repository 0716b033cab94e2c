// vor-cli's files: read --out saves the image whole and on disk, or exits 1 with the reason and
// no file, never in place of a device or a pipe; every command that reads a file reads only a
// regular one; names keep the bytes they were given.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <QDir>
#include <QScopeGuard>
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

// Without a writer a named pipe would hold each of them in the kernel for good; /dev/zero never
// ends and holds no "0 bytes".
TEST_F(CliSaveTest, EveryCommandThatReadsAFileRefusesWhatIsNotARegularFileAtOnce) {
  const QString pipe = dir.filePath("pipe");
  ASSERT_EQ(mkfifo(pipe.toLocal8Bit().constData(), 0644), 0);
  const struct {
    QString path;
    const char* reason;
  } inputs[] = {{pipe, "it is a named pipe, not a file"},
                {"/dev/zero", "it is a device, not a file"}};
  for (const auto& input : inputs) {
    for (const QStringList& args :
         {QStringList{"write", "--in", input.path}, QStringList{"diff", input.path},
          QStringList{"describe", "--image", input.path},
          QStringList{"apply", input.path, "--dry-run"}}) {
      SCOPED_TRACE(args.join(' ').toStdString());
      const CliRun run = Cli(args);
      EXPECT_EQ(run.exitCode, 1);
      EXPECT_TRUE(run.err.startsWith(
          QStringLiteral("vor-cli: cannot read %1: %2").arg(input.path, input.reason)))
          << run.err.toStdString();
      EXPECT_TRUE(run.out.isEmpty());
    }
  }
}

// Two names that differ only in bytes that are not UTF-8 once came out as one and the same
// name with U+FFFD in it: the second read replaced the first one's file.
TEST_F(CliSaveTest, ANameThatIsNotUtf8IsKeptAsTheBytesGiven) {
  StartSim();
  const QByteArray folder = QFile::encodeName(dir.path());
  const auto removeNames = qScopeGuard([&] {  // QTemporaryDir cannot find them
    fs::remove(folder.toStdString() + "/bad\xff\xfe.bin");
    fs::remove(folder.toStdString() + "/bad\xfe\xff.bin");
  });
  for (const char* bytes : {"\\377\\376", "\\376\\377"}) {
    const CliRun run = CliOnSimFromShell(
        QStringLiteral("read --out \"%1/bad$(printf '%2').bin\"").arg(dir.path(), bytes));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  }
  for (const char* name : {"/bad\xff\xfe.bin", "/bad\xfe\xff.bin"}) {
    EXPECT_EQ(fs::file_size(folder.toStdString() + name), 128u) << name;
  }
  const CliRun diff = CliOnSimFromShell(
      QStringLiteral("diff \"%1/bad$(printf '\\377\\376').bin\"").arg(dir.path()));
  EXPECT_EQ(diff.exitCode, 0) << diff.err.toStdString();
  EXPECT_EQ(diff.out, "no differences\n");
}

}  // namespace

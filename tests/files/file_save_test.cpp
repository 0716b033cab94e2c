// Saving a file: only a file, whole and on disk, or nothing and the reason.
#include "files/file_save.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <filesystem>

#include "tests/support/private_mounts.h"
#include "tests/support/special_files.h"

namespace vor {
namespace {

namespace fs = std::filesystem;

fs::path FsPath(const QString& path) { return fs::path(path.toStdString()); }

QStringList Listing(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                                QDir::System);
}

// A save renames a temporary file over its target: over a device node or a pipe that would put
// a file in its place, and a folder cannot take it.
TEST(SaveFile, RefusesWhatIsNotARegularFileAndLeavesItAsItIs) {
  VOR_SKIP_WITHOUT_POSIX_FILES();
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
  ASSERT_TRUE(test::MakeFifo(dir.filePath("pipe")));
  fs::create_symlink(FsPath(dir.filePath("pipe")), FsPath(dir.filePath("link")));
  // Followed, a loop ends nowhere; replaced, the links would be lost.
  fs::create_symlink("loop2", FsPath(dir.filePath("loop1")));
  fs::create_symlink("loop1", FsPath(dir.filePath("loop2")));
  // /dev/full's numbers: a device that would take the bytes and fail.
  const bool device = test::MakeDeviceNode(dir.filePath("device"));
  const QStringList before = Listing(dir.path());

  const struct {
    const char* name;
    const char* reason;
    fs::file_type type;  // not following a link
  } cases[] = {
      {"folder", "it is a folder", fs::file_type::directory},
      {"pipe", "it is a named pipe, not a file", fs::file_type::fifo},
      {"link", "it is a named pipe, not a file", fs::file_type::symlink},
      {"loop1", "its symbolic links lead round in a loop", fs::file_type::symlink},
      {"device", "it is a device, not a file", fs::file_type::character},
  };
  for (const auto& c : cases) {
    if (QString(c.name) == "device" && !device) {
      std::printf("no device node case: mknod needs root\n");
      continue;
    }
    const QString path = dir.filePath(c.name);
    QString reason;
    EXPECT_FALSE(SaveFile(path, QByteArray(128, 'x'), reason)) << c.name;
    EXPECT_EQ(reason.toStdString(), c.reason) << c.name;
    EXPECT_EQ(fs::symlink_status(FsPath(path)).type(), c.type) << c.name;
  }
  EXPECT_EQ(Listing(dir.path()), before);  // no temporary file left either
}

// The names that lead to a device on this system are refused before anything is written: on
// Windows the reserved names (NUL, CON, COM1, ...) in any folder and with any extension, and
// paths under \\.\; elsewhere the device files.
TEST(SaveFile, RefusesTheSystemsDeviceNamesAndFolders) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
  const QStringList before = Listing(dir.path());
  QString reason;
  EXPECT_FALSE(SaveFile(dir.filePath("folder"), QByteArray(128, 'x'), reason));
  EXPECT_EQ(reason.toStdString(), "it is a folder");
  for (const QString& name : test::DeviceNames()) {
    const bool absolute = name.startsWith('/') || name.startsWith('\\') || name.contains(':');
    const QString path = absolute ? name : dir.filePath(name);
    reason.clear();
    EXPECT_FALSE(SaveFile(path, QByteArray(128, 'x'), reason)) << path.toStdString();
    EXPECT_EQ(reason.toStdString(), "it is a device, not a file") << path.toStdString();
  }
  EXPECT_EQ(Listing(dir.path()), before);
}

// Qt 6.4's QSaveFile::commit() reports success after the write failed for want of space, and
// renames an empty file over the target.
TEST(SaveFile, OnAFullDiskFailsWithTheReasonAndLeavesTheTargetAsItWas) {
  if (!test::InPrivateMountNamespace()) return;
  QTemporaryDir dir;
  const QString folder = dir.filePath("full");
  const QByteArray old(128, 'o');
  const test::FullDisk full(folder, {{"old.bin", old}});

  for (const char* name : {"new.bin", "old.bin"}) {
    QString reason;
    EXPECT_FALSE(SaveFile(QDir(folder).filePath(name), QByteArray(128, 'n'), reason)) << name;
    EXPECT_EQ(reason.toStdString(), "No space left on device") << name;
  }
  EXPECT_EQ(Listing(folder), (QStringList{"fill", "old.bin"}));
  QFile kept(QDir(folder).filePath("old.bin"));
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), old);
}

}  // namespace
}  // namespace vor

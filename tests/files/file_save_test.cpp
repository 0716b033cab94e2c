// Saving a file: only a file, whole and on disk, or nothing and the reason.
#include "files/file_save.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/private_mounts.h"

// What this program syncs, by the name of the file or folder synced: fsync is taken over here,
// and does its work as ever.
std::vector<std::string> synced;
extern "C" int fsync(int fd) {
  static const auto system = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "fsync"));
  std::error_code error;
  synced.push_back(std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd), error));
  return system(fd);
}

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
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
  ASSERT_EQ(mkfifo(FsPath(dir.filePath("pipe")).c_str(), 0644), 0);
  fs::create_symlink(FsPath(dir.filePath("pipe")), FsPath(dir.filePath("link")));
  // Followed, a loop ends nowhere; replaced, the links would be lost.
  fs::create_symlink("loop2", FsPath(dir.filePath("loop1")));
  fs::create_symlink("loop1", FsPath(dir.filePath("loop2")));
  // /dev/full's numbers: a device that would take the bytes and fail.
  const bool device =
      mknod(FsPath(dir.filePath("device")).c_str(), S_IFCHR | 0644, makedev(1, 7)) == 0;
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

// A save is whole under its name after a power cut: the file synced before the rename, its folder
// after it. A link to a file stays a link, and the file it leads to gets the content.
TEST(SaveFile, SyncsTheFileThenItsFolderAndWritesThroughALink) {
  QTemporaryDir dir;
  const fs::path folder = fs::canonical(FsPath(dir.path()));
  QFile old(dir.filePath("target.bin"));
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("old");
  old.close();
  fs::create_symlink("target.bin", FsPath(dir.filePath("link.bin")));

  synced.clear();
  QString reason;
  ASSERT_TRUE(SaveFile(dir.filePath("link.bin"), "new", reason)) << reason.toStdString();
  ASSERT_EQ(synced.size(), 2u);
  EXPECT_EQ(fs::path(synced[0]).parent_path(), folder);
  EXPECT_TRUE(fs::path(synced[0]).filename().string().starts_with("target.bin.")) << synced[0];
  EXPECT_EQ(synced[1], folder.string());

  EXPECT_EQ(fs::symlink_status(FsPath(dir.filePath("link.bin"))).type(), fs::file_type::symlink);
  QFile saved(dir.filePath("target.bin"));
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll(), "new");
  EXPECT_EQ(Listing(dir.path()), (QStringList{"link.bin", "target.bin"}));
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

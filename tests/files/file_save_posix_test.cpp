// Saving a file on POSIX systems: durable under its name, through symbolic links.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <string>
#include <vector>

#include "files/file_save.h"

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
  EXPECT_EQ(QDir(dir.path())
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
            (QStringList{"link.bin", "target.bin"}));
}

}  // namespace
}  // namespace vor

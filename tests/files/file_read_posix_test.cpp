// Files in, on POSIX systems: only a regular file is read, without waiting on a pipe or opening a
// device, and names keep the bytes they were given.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <filesystem>

#include "definitions/model_images.h"
#include "files/image_file.h"
#include "files/native_file.h"
#include "files/native_path.h"

namespace vor {
namespace {

namespace fs = std::filesystem;

// A pipe is refused for what it is, even while a writer holds it open with a whole image in it
// (without one, the open alone would wait for ever); /dev/zero never ends and holds no "0 bytes".
TEST(LoadImageFile, RefusesWhatIsNotARegularFileSayingWhatItIs) {
  QTemporaryDir dir;
  const QString pipe = dir.filePath("pipe");
  ASSERT_EQ(mkfifo(NativePath(pipe).c_str(), 0644), 0);
  const int writer = ::open(NativePath(pipe).c_str(), O_RDWR | O_NONBLOCK);
  ASSERT_GE(writer, 0);
  ASSERT_EQ(::write(writer, QByteArray(128, 'x').constData(), 128), 128);
  fs::create_symlink(NativePath(pipe), NativePath(dir.filePath("link")));
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
  // A device without a driver, which cannot even be opened: it is looked at, never opened.
  const QString device = dir.filePath("device");
  const bool root = mknod(NativePath(device).c_str(), S_IFCHR | 0644, makedev(240, 77)) == 0;

  const struct {
    QString path;
    const char* reason;
  } cases[] = {
      {pipe, "it is a named pipe, not a file"},
      {dir.filePath("link"), "it is a named pipe, not a file"},
      {"/dev/zero", "it is a device, not a file"},
      {device, "it is a device, not a file"},
      {dir.filePath("folder"), "it is a folder"},
  };
  for (const auto& c : cases) {
    if (c.path == device && !root) {
      std::printf("no device node case: mknod needs root\n");
      continue;
    }
    ConfigImage image;
    QString error;
    EXPECT_FALSE(LoadImageFile(c.path, image, error)) << c.reason;
    EXPECT_EQ(error.toStdString(),
              QStringLiteral("cannot read %1: %2").arg(c.path, c.reason).toStdString());
  }
  ::close(writer);
}

// A pipe put in place after the look is still refused once open, and its open waits for no writer.
TEST(OpenRegularFile, RefusesAPipeWithoutWaitingForAWriter) {
  QTemporaryDir dir;
  const fs::path pipe = NativePath(dir.filePath("pipe"));
  ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
  QFile file;
  QString reason;
  EXPECT_FALSE(OpenRegularFile(pipe, file, reason));
  EXPECT_EQ(reason.toStdString(), "it is a named pipe, not a file");
  EXPECT_FALSE(file.isOpen());
}

TEST(NativePath, ProgramArgumentsAndNamesKeepTheirBytes) {
  char program[] = "vor-cli";
  char out[] = "--out";
  char name[] = "bad\xff\xfe.bin";
  char* argv[] = {program, out, name, nullptr};
  const QStringList arguments = ProgramArguments(3, argv);
  ASSERT_EQ(arguments.size(), 3);
  EXPECT_EQ(arguments[1], "--out");
  EXPECT_EQ(NativePath(arguments[2]).string(), std::string(name));
}

// Two names that differ only in bytes that are not UTF-8 are two files, each under its own bytes.
TEST(ImageFile, ANameThatIsNotUtf8IsSavedAndReadUnderItsOwnBytes) {
  QTemporaryDir dir;
  const QByteArray folder = QFile::encodeName(dir.path());
  // QTemporaryDir cannot find such names to remove them.
  const auto removeNames = qScopeGuard([&] { fs::remove_all(folder.toStdString()); });
  ConfigImage first = *DefaultImageFor(u"VOR");
  ConfigImage second = first;
  second[19] = 42;
  const QByteArray firstName = folder + "/bad\xff\xfe.bin";
  const QByteArray secondName = folder + "/bad\xfe\xff.bin";
  QString error;
  ASSERT_TRUE(SaveImageFile(NameFromBytes(firstName), first, error)) << error.toStdString();
  ASSERT_TRUE(SaveImageFile(NameFromBytes(secondName), second, error)) << error.toStdString();

  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder.toStdString())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"bad\xfe\xff.bin", "bad\xff\xfe.bin"}));
  ConfigImage loaded;
  ASSERT_TRUE(LoadImageFile(NameFromBytes(secondName), loaded, error)) << error.toStdString();
  EXPECT_EQ(loaded.bytes, second.bytes);
}

}  // namespace
}  // namespace vor

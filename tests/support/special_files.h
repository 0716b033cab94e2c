#pragma once

// What the file tests need of the system beside plain files: named pipes in a folder and a limit
// on a file's size, which POSIX systems have and Windows has not (a test that needs them skips
// there, saying why), and the names that lead to devices, which every system has in its own way.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

namespace vor::test {

// Whether named pipes can be made in a folder and a file's size limited (POSIX systems).
bool HasPosixFiles();

#define VOR_SKIP_WITHOUT_POSIX_FILES()                                                         \
  if (!::vor::test::HasPosixFiles())                                                           \
  GTEST_SKIP() << "needs a named pipe in a folder (mkfifo) or a file size limit (setrlimit), " \
                  "which POSIX systems have and this one has not"

// Makes a named pipe at `path`.
bool MakeFifo(const QString& path);
// Opens the named pipe at `path` for reading without waiting; -1 when it cannot.
int OpenFifoReader(const QString& path);
void CloseFifoReader(int handle);
// Makes a device node at `path` with the numbers of /dev/full (a device that takes bytes and
// fails); false where that is not allowed (not root).
bool MakeDeviceNode(const QString& path);

// Names that lead to a device rather than a file on this system, each with a save to it refused.
QStringList DeviceNames();

// Lets this process write files no larger than `bytes` while it lives: a write past it fails as
// on a full disk.
class FileSizeLimit {
public:
  explicit FileSizeLimit(qint64 bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  bool ok() const { return ok_; }

private:
  bool ok_ = false;
  qint64 previous_ = -1;
  void* previousHandler_ = nullptr;
};

}  // namespace vor::test

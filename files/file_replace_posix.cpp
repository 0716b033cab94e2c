// POSIX systems: QSaveFile's temporary file beside the target, fsync, and rename(2) over it.
#include <unistd.h>

#include <QCoreApplication>
#include <QSaveFile>
#include <cerrno>

#include "files/file_replace.h"
#include "files/file_save.h"

namespace vor {
namespace {

bool SyncToDisk(int handle, QString& reason) {
  int result = 0;
  do {
    result = ::fsync(handle);
  } while (result != 0 && errno == EINTR);
  if (result == 0) return true;
  reason = qt_error_string(errno);
  return false;
}

}  // namespace

// Devices are device files here, which the file system tells of.
QString DeviceNameProblem(const QString&) { return {}; }

bool SyncOpenFile(QFileDevice& file, QString& reason) { return SyncToDisk(file.handle(), reason); }

bool WriteBesideAndReplace(const QString& path, QByteArrayView bytes, QString& reason) {
  // The file is written under a temporary name and renamed over `path` by commit(); until then
  // the destructor removes it again.
  QSaveFile file(path);
  // Unbuffered, so that a write the disk cannot take fails here with the system's reason: a
  // buffered write would fail only in the flush inside commit(), which Qt 6.4 does not report,
  // and an empty file would be renamed over `path`.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
    reason = file.errorString();
    return false;
  }
  if (!WriteWhole(file, bytes, reason)) return false;
  if (!SyncToDisk(file.handle(), reason)) return false;
  // What the system holds for the file, after the sync: the last word before the rename.
  if (file.size() != bytes.size()) {
    reason = QCoreApplication::translate("vor::FileSave", "the disk holds %1 of its %2 bytes")
                 .arg(file.size())
                 .arg(bytes.size());
    return false;
  }
  if (!file.commit()) {
    reason = file.errorString();
    return false;
  }
  return true;
}

}  // namespace vor

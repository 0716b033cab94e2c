// POSIX systems: the new file is made by open(2) beside the file that the name's symbolic links
// lead to, by the name's own bytes; fsync, rename(2) over it, and fsync of the folder.
#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "files/file_replace.h"
#include "files/file_save.h"
#include "files/native_path.h"

namespace vor {
namespace {

namespace fs = std::filesystem;

// fsync, again when a signal cut it short; 0 or the errno it failed with.
int Fsync(int handle) {
  int result = 0;
  do {
    result = ::fsync(handle);
  } while (result != 0 && errno == EINTR);
  return result == 0 ? 0 : errno;
}

int OpenRetrying(const char* path, int flags, mode_t mode = 0) {
  int fd = -1;
  do {
    fd = ::open(path, flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

// The file a save replaces: `path`, or where its symbolic links lead, so that a link stays a link.
// Loops have been refused before; the limit only keeps a link changed meanwhile from holding the
// save.
fs::path FinalTarget(fs::path path) {
  constexpr int kMaxLinks = 40;  // as Linux follows them
  for (int followed = 0; followed < kMaxLinks; ++followed) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(path, error))) break;
    const fs::path target = fs::read_symlink(path, error);
    if (error) break;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return path;
}

// Creates a new file beside `target` under a name nothing has (the target's own and a random
// suffix), open in `file` for writing without a buffer, so that a write the disk cannot take
// fails at once with the system's reason.
bool CreateBeside(const fs::path& target, fs::path& temporary, QFile& file, QString& reason) {
  for (int attempt = 0;; ++attempt) {
    // The suffix is built as a QString: GCC 12 at -O3 warns falsely (-Wrestrict) on "." plus a
    // std::string.
    const QString suffix = u'.' + QString::number(QRandomGenerator::global()->generate64(), 36);
    temporary = target;
    temporary += suffix.toStdString();
    const int fd = OpenRetrying(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY, 0666);
    if (fd < 0 && errno == EEXIST && attempt < 100) continue;
    if (fd < 0) {
      reason = qt_error_string(errno);
      return false;
    }
    if (file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
      return true;
    }
    reason = file.errorString();
    ::close(fd);
    ::unlink(temporary.c_str());
    return false;
  }
}

// The folder's list of names, so that a file just renamed into it keeps its new name after a
// power cut. A file system that cannot sync a folder (network and FUSE ones answer EINVAL) counts
// as done.
bool SyncFolder(const fs::path& folder, QString& reason) {
  const int fd = OpenRetrying(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) {
    reason = qt_error_string(errno);
    return false;
  }
  const int error = Fsync(fd);
  ::close(fd);
  if (error == 0 || error == EINVAL) return true;
  reason = qt_error_string(error);
  return false;
}

}  // namespace

// Devices are device files here, which the file system tells of.
QString DeviceNameProblem(const QString&) { return {}; }

bool SyncOpenFile(QFileDevice& file, QString& reason) {
  const int error = Fsync(file.handle());
  if (error == 0) return true;
  reason = qt_error_string(error);
  return false;
}

bool WriteBesideAndReplace(const QString& path, QByteArrayView bytes, QString& reason) {
  const fs::path target = FinalTarget(NativePath(path));
  fs::path temporary;
  QFile file;
  if (!CreateBeside(target, temporary, file, reason)) return false;
  auto removeTemporary = qScopeGuard([&] {
    file.close();
    ::unlink(temporary.c_str());
  });
  if (!WriteWhole(file, bytes, reason)) return false;
  if (!SyncOpenFile(file, reason)) return false;
  // What the system holds for the file, after the sync: the last word before the rename.
  if (file.size() != bytes.size()) {
    reason = QCoreApplication::translate("vor::FileSave", "the disk holds %1 of its %2 bytes")
                 .arg(file.size())
                 .arg(bytes.size());
    return false;
  }
  file.close();
  // The file replaced keeps its permissions; a new one has the user's defaults.
  std::error_code error;
  if (const fs::file_status old = fs::status(target, error); fs::exists(old)) {
    fs::permissions(temporary, old.permissions(), error);
  }
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    reason = qt_error_string(errno);
    return false;
  }
  removeTemporary.dismiss();
  // Done but for the folder: its sync failing leaves the new file in place.
  return SyncFolder(target.has_parent_path() ? target.parent_path() : fs::path("."), reason);
}

}  // namespace vor

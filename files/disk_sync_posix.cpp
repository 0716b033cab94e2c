// POSIX systems: fsync.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "files/disk_sync.h"

namespace vor {
namespace {

// fsync, again when a signal cut it short; 0 or the errno it failed with.
int Fsync(int handle) {
  int result = 0;
  do {
    result = ::fsync(handle);
  } while (result != 0 && errno == EINTR);
  return result == 0 ? 0 : errno;
}

}  // namespace

bool SyncToDisk(int handle, QString& reason) {
  const int error = Fsync(handle);
  if (error == 0) return true;
  reason = qt_error_string(error);
  return false;
}

bool SyncFolder(const std::filesystem::path& folder, QString& reason) {
  int fd = -1;
  do {
    fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    reason = qt_error_string(errno);
    return false;
  }
  const int error = Fsync(fd);
  ::close(fd);
  // Some file systems (network and FUSE ones) cannot sync a folder and say so with EINVAL.
  if (error == 0 || error == EINVAL) return true;
  reason = qt_error_string(error);
  return false;
}

}  // namespace vor

// POSIX systems: fsync.
#include <unistd.h>

#include <cerrno>

#include "files/disk_sync.h"

namespace vor {

bool SyncToDisk(int handle, QString& reason) {
  int result = 0;
  do {
    result = ::fsync(handle);
  } while (result != 0 && errno == EINTR);
  if (result == 0) return true;
  reason = qt_error_string(errno);
  return false;
}

}  // namespace vor

// POSIX systems: open(2) with the name's own bytes, rename(2), and fsync of the folder.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "files/disk_sync.h"
#include "files/file_kind.h"
#include "files/native_file.h"

namespace vor {
namespace {

int OpenRetrying(const char* path, int flags, mode_t mode = 0) {
  int fd = -1;
  do {
    fd = ::open(path, flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

std::filesystem::file_type TypeOf(mode_t mode) {
  namespace fs = std::filesystem;
  if (S_ISREG(mode)) return fs::file_type::regular;
  if (S_ISDIR(mode)) return fs::file_type::directory;
  if (S_ISCHR(mode)) return fs::file_type::character;
  if (S_ISBLK(mode)) return fs::file_type::block;
  if (S_ISFIFO(mode)) return fs::file_type::fifo;
  if (S_ISSOCK(mode)) return fs::file_type::socket;
  return fs::file_type::unknown;
}

}  // namespace

bool OpenRegularFile(const std::filesystem::path& path, QFile& file, QString& reason) {
  // Without O_NONBLOCK the open of a pipe waits for a writer, for ever if none comes.
  const int fd = OpenRetrying(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    reason = qt_error_string(errno);
    return false;
  }
  struct stat status {};
  if (::fstat(fd, &status) != 0) {
    reason = qt_error_string(errno);
    ::close(fd);
    return false;
  }
  if (!S_ISREG(status.st_mode)) {
    reason = NotAFileText(TypeOf(status.st_mode));
    ::close(fd);
    return false;
  }
  // A regular file's reads never wait; the flag has done its work.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    reason = file.errorString();
    ::close(fd);
    return false;
  }
  return true;
}

bool CreateNewFile(const std::filesystem::path& path, QFile& file, QString& reason) {
  const int fd = OpenRetrying(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY, 0666);
  if (fd < 0) {
    reason = qt_error_string(errno);
    return false;
  }
  if (!file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
    reason = file.errorString();
    ::close(fd);
    return false;
  }
  return true;
}

bool ReplaceFile(const std::filesystem::path& from, const std::filesystem::path& to,
                 QString& reason) {
  if (::rename(from.c_str(), to.c_str()) != 0) {
    reason = qt_error_string(errno);
    return false;
  }
  // The rename is a change of the folder, which reaches the disk only with the folder's own sync.
  return SyncFolder(to.has_parent_path() ? to.parent_path() : std::filesystem::path("."), reason);
}

}  // namespace vor

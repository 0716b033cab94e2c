// POSIX systems: open(2) by the name's own bytes, without waiting on a pipe, and fstat(2) of
// what was opened.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "files/file_kind.h"
#include "files/native_file.h"

namespace vor {
namespace {

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
  int fd = -1;
  do {
    fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
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

}  // namespace vor

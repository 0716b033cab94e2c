// POSIX systems: mkfifo, mknod, setrlimit.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QFile>
#include <csignal>

#include "tests/support/special_files.h"

namespace vor::test {

bool HasPosixFiles() { return true; }

bool MakeFifo(const QString& path) {
  return mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
}

int OpenFifoReader(const QString& path) {
  return open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
}

void CloseFifoReader(int handle) { close(handle); }

bool MakeDeviceNode(const QString& path) {
  return mknod(QFile::encodeName(path).constData(), S_IFCHR | 0644, makedev(1, 7)) == 0;
}

QStringList DeviceNames() { return {"/dev/null", "/dev/zero"}; }

FileSizeLimit::FileSizeLimit(qint64 bytes) {
  rlimit previous{};
  if (getrlimit(RLIMIT_FSIZE, &previous) != 0) return;
  previous_ = static_cast<qint64>(previous.rlim_cur);
  // A failed write, not a signal that ends the process.
  previousHandler_ = reinterpret_cast<void*>(std::signal(SIGXFSZ, SIG_IGN));
  rlimit limit = previous;
  limit.rlim_cur = static_cast<rlim_t>(bytes);
  ok_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

FileSizeLimit::~FileSizeLimit() {
  if (previous_ < 0) return;
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = static_cast<rlim_t>(previous_);
  setrlimit(RLIMIT_FSIZE, &limit);
  std::signal(SIGXFSZ, reinterpret_cast<void (*)(int)>(previousHandler_));
}

}  // namespace vor::test

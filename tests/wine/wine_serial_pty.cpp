// Preloaded into Wine (LD_PRELOAD) for the test of the Windows programs over a COM port that Wine
// maps to a pseudo-terminal. Linux only; never part of a program.
//
// Wine runs an overlapped WaitCommEvent whose OVERLAPPED has no event (as with an I/O completion
// port, which QSerialPort uses) synchronously: it blocks until EV_RXCHAR, that is until the
// terminal's input queue (TIOCINQ) holds a byte. A program that waits for the answer to a request
// it has not yet sent then never gets to send it. So the input queue of a pseudo-terminal never
// reads as empty here: the wait completes at once, the read that follows returns what is there,
// possibly nothing, and the reader waits again; what the program receives is unchanged.
//
// Wine also maps the machine's serial ports (/dev/ttyS*, /dev/ttyUSB*, /dev/ttyACM*) to COM
// ports of its own, which a port scan would open: here they do not exist, so the test's COM port
// is the only one.
#include <dlfcn.h>
#include <errno.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cstdarg>
#include <cstring>
#include <initializer_list>

namespace {

// Unix98 pseudo-terminal slaves have the character device majors 136 to 143.
bool IsPseudoTerminal(int fd) {
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode)) return false;
  const unsigned int kind = major(st.st_rdev);
  return kind >= 136 && kind <= 143;
}

bool IsMachineSerialPort(const char* path) {
  for (const char* prefix : {"/dev/ttyS", "/dev/ttyUSB", "/dev/ttyACM"}) {
    if (path != nullptr && std::strncmp(path, prefix, std::strlen(prefix)) == 0) return true;
  }
  return false;
}

template <typename Function>
Function Next(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" int ioctl(int fd, unsigned long request, ...) noexcept {
  static const auto next = Next<int (*)(int, unsigned long, ...)>("ioctl");
  va_list args;
  va_start(args, request);
  void* argument = va_arg(args, void*);
  va_end(args);
  const int result = next(fd, request, argument);
  if (request == TIOCINQ && result == 0 && *static_cast<int*>(argument) == 0 &&
      IsPseudoTerminal(fd)) {
    *static_cast<int*>(argument) = 1;
  }
  return result;
}

extern "C" int access(const char* path, int mode) noexcept {
  static const auto next = Next<int (*)(const char*, int)>("access");
  if (IsMachineSerialPort(path)) {
    errno = ENOENT;
    return -1;
  }
  return next(path, mode);
}

#include "cli/standard_output.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "cli/image_commands.h"
#include "cli/link_session.h"

namespace vor::cli {
namespace {

extern "C" void FlushAtExit() {
  // exit() flushes the streams only after this and would not tell: the status is decided here.
  if (!FlushStandardOutput()) std::_Exit(kExitFailure);
}

}  // namespace

bool FlushStandardOutput() {
  static bool told = false;
  errno = 0;
  const bool flushed = std::fflush(stdout) == 0;
  const int error = errno;
  if (flushed && !std::ferror(stdout)) return true;
  if (!told) {
    told = true;
    PrintError(
        error != 0
            ? QStringLiteral("cannot write to standard output: %1").arg(qt_error_string(error))
            : QStringLiteral("cannot write to standard output"));
  }
  return false;
}

void FailOnLostStandardOutput() {
  // A buffer that holds any command's whole result, so that a write that fails does so in
  // FlushStandardOutput, which can tell the system's reason: one that failed while printing has
  // lost it by the time it is looked at. Standard output has not been used yet.
  // The C library takes the size only with a buffer of the program's own.
  constexpr std::size_t kBufferBytes = 1 << 20;
  static char buffer[kBufferBytes];
  std::setvbuf(stdout, buffer, _IOFBF, kBufferBytes);
  std::atexit(FlushAtExit);
}

}  // namespace vor::cli

// Windows: the C library turns "\n" into "\r\n" on standard output unless told otherwise, and a
// console shows bytes in its own code page (936 on Chinese systems, 437 or 850 elsewhere).
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "cli/standard_output.h"

namespace vor::cli {

void SetStandardOutputBinary() { _setmode(_fileno(stdout), _O_BINARY); }

namespace {
UINT previousCodePage = 0;
void RestoreCodePage() { SetConsoleOutputCP(previousCodePage); }
}  // namespace

void ShowUtf8InConsole() {
  // Only a console has a code page; output into a file or a pipe stays UTF-8 bytes as it is.
  previousCodePage = GetConsoleOutputCP();
  if (previousCodePage == 0 || previousCodePage == CP_UTF8) return;
  if (SetConsoleOutputCP(CP_UTF8)) std::atexit(RestoreCodePage);
}

}  // namespace vor::cli

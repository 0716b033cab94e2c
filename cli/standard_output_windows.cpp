// Windows: the C library turns "\n" into "\r\n" on standard output unless told otherwise.
#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "cli/standard_output.h"

namespace vor::cli {

void SetStandardOutputBinary() { _setmode(_fileno(stdout), _O_BINARY); }

}  // namespace vor::cli

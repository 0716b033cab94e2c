// POSIX systems: standard output takes bytes as they are, and terminals show UTF-8.
#include "cli/standard_output.h"

namespace vor::cli {

void SetStandardOutputBinary() {}

void ShowUtf8InConsole() {}

}  // namespace vor::cli

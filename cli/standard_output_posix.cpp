// POSIX systems: standard output takes bytes as they are.
#include "cli/standard_output.h"

namespace vor::cli {

void SetStandardOutputBinary() {}

}  // namespace vor::cli

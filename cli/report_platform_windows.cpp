#include "cli/report_command.h"

namespace vor::cli {

// Windows' own platform needs no display of its own and draws with the system's fonts.
void ChooseReportPlatform() {}

}  // namespace vor::cli

#include "cli/report_command.h"

namespace vor::cli {

void ChooseReportPlatform() {
  // The default would need an X or Wayland display; a PDF needs none.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

}  // namespace vor::cli

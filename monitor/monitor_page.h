#pragma once

#include "pages/page_window.h"
#include "resources/dialog_templates.h"

namespace vor {

// The Monitor page: live data of the running controller while it is on show.
class CMonitor1Dlg : public PageWindow {
  Q_OBJECT
public:
  CMonitor1Dlg(ProgramState& state, Prompter& prompter)
      : PageWindow(kDialogMonitor, state, prompter) {}

protected:
  void OnShowWindow(bool) override {}
};

}  // namespace vor

#pragma once

#include "pages/page_window.h"
#include "pages/vehicle_page.h"
#include "resources/dialog_templates.h"

namespace vor {

// The Control page: the parameter records from the control anchor to the motor anchor.
class CControlDlg : public ParameterPage {
  Q_OBJECT
public:
  CControlDlg(ProgramState& state, Prompter& prompter)
      : ParameterPage(kDialogControl, PageKind::Control, state, prompter) {}
};

// The Motor page: the parameter records from the motor anchor to the end anchor.
class CMotorDlg : public ParameterPage {
  Q_OBJECT
public:
  CMotorDlg(ProgramState& state, Prompter& prompter)
      : ParameterPage(kDialogMotor, PageKind::Motor, state, prompter) {}
};

}  // namespace vor

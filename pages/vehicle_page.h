#pragma once

#include "link/link_access.h"
#include "pages/page_window.h"
#include "pages/vehicle_rules.h"

namespace vor {

// The Vehicle page: the switch bits as check boxes, the first part of the parameter table as
// fields, and the Read_Zero button that opens the phase zero calibration.
class CVehicleDlg : public ParameterPage {
  Q_OBJECT
public:
  // `link` carries the calibration's exchanges.
  CVehicleDlg(ProgramState& state, Prompter& prompter, LinkAccess& link);

  // After a click (or the keyboard) has toggled box `boxId` (1106..1129).
  void OnFlagClicked(int boxId);
  // Button 1341: the calibration dialog, modal; when it is closed (the cancel result) the page
  // shows the image again, with the offsets Update may have written.
  void OnReadZero();

protected:
  void OnInitDialog() override;
  void LayoutPass() override;
  void DisplayPass() override;
  std::optional<QString> DisplayText(const ParamDef& def) const override;
  bool StorePass() override;
  StoreResult StoreField(const ParamDef& def, const QString& text, bool untouched) override;

private:
  const DefinitionSet& Definitions() const { return *state_.definitions; }

  LinkAccess& link_;
  FlagBoxes boxes_;
};

}  // namespace vor

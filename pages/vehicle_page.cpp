#include "pages/vehicle_page.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "calibration/read_zero_dialog.h"
#include "resources/dialog_builder.h"
#include "resources/dialog_templates.h"

namespace vor {

CVehicleDlg::CVehicleDlg(ProgramState& state, Prompter& prompter, LinkAccess& link)
    : ParameterPage(kDialogVehicle, PageKind::Vehicle, state, prompter), link_(link) {}

void CVehicleDlg::OnInitDialog() {
  ParameterPage::OnInitDialog();
  for (int k = 0; k < kCheckBoxCount; ++k) {
    if (QCheckBox* box = FindCheckBox(this, kIdFirstCheckBox + k)) {
      const int id = kIdFirstCheckBox + k;
      connect(box, &QCheckBox::clicked, this, [this, id] { OnFlagClicked(id); });
    }
  }
  if (QPushButton* readZero = FindButton(this, kIdReadZeroButton)) {
    readZero->setText(tr("Read_Zero"));
    readZero->setAutoDefault(false);
    connect(readZero, &QPushButton::clicked, this, &CVehicleDlg::OnReadZero);
  }
}

void CVehicleDlg::LayoutPass() {
  boxes_ = FlagWalk(Definitions());
  for (int k = 0; k < boxes_.count; ++k) {
    const ParamDef& def = Definitions().params[std::size_t(boxes_.position[std::size_t(k)])];
    QCheckBox* box = FindCheckBox(this, kIdFirstCheckBox + k);
    if (!box) continue;
    box->setText(def.name);
    box->show();
    if (def.en == 0) box->setEnabled(false);
    if (def.en == 1) box->setEnabled(true);
  }
  // The fields' pass also fits the boxes' names to the room beside them.
  ParameterPage::LayoutPass();
}

void CVehicleDlg::DisplayPass() {
  for (int k = 0; k < boxes_.count; ++k) {
    const int position = boxes_.position[std::size_t(k)];
    const ParamDef& def = Definitions().params[std::size_t(position)];
    QCheckBox* box = FindCheckBox(this, kIdFirstCheckBox + k);
    if (!box) continue;
    // Boost and Economy of the special version follow Brake Type as last stored.
    if (FollowsBrakeType(Definitions(), position)) {
      box->setEnabled(FlagEnabled(Definitions(), position, state_.image));
    }
    if (IsFlagBit(def)) box->setChecked(FlagValue(def, state_.image));
  }
  ParameterPage::DisplayPass();
}

std::optional<QString> CVehicleDlg::DisplayText(const ParamDef& def) const {
  const std::optional<QString> text = ParameterPage::DisplayText(def);
  if (!text) return text;
  return VehicleDisplayText(Definitions(), def, *text);
}

bool CVehicleDlg::StorePass() {
  // Every bit is in the image before any field is read.
  for (int k = 0; k < boxes_.count; ++k) {
    const ParamDef& def = Definitions().params[std::size_t(boxes_.position[std::size_t(k)])];
    if (const QCheckBox* box = FindCheckBox(this, kIdFirstCheckBox + k)) {
      StoreFlag(def, box->isChecked(), state_.image);
    }
  }
  return ParameterPage::StorePass();
}

StoreResult CVehicleDlg::StoreField(const ParamDef& def, const QString& text, bool untouched) {
  if (const std::optional<StoreResult> own = VehicleOwnAnswer(Definitions(), def, text))
    return *own;
  return ParameterPage::StoreField(def, text, untouched);
}

void CVehicleDlg::OnFlagClicked(int boxId) {
  const int k = boxId - kIdFirstCheckBox;
  if (k < 0 || k >= boxes_.count) return;
  const int position = boxes_.position[std::size_t(k)];
  if (QLabel* tip = FindStatic(this, kIdTipArea)) {
    tip->setText(Definitions().params[std::size_t(position)].tips);
  }
  const QCheckBox* clicked = FindCheckBox(this, boxId);
  if (!clicked) return;
  const std::optional<int> partner = ExclusivePartner(Definitions(), position);
  const int partnerBox = partner ? BoxOfPosition(boxes_, *partner) : -1;
  if (clicked->isChecked() && partnerBox >= 0) {
    if (QCheckBox* other = FindCheckBox(this, kIdFirstCheckBox + partnerBox)) {
      other->setChecked(false);
    }
  }
  // An entry typed before the click is a step before the click's, wherever the focus went.
  StoreTypedFields();
  emit FlagClicked(position, clicked->isChecked());
}

std::vector<ParameterPage::ShownBox> CVehicleDlg::ShownBoxes() {
  std::vector<ShownBox> shown;
  if (!LayoutDone) return shown;
  for (int k = 0; k < boxes_.count; ++k) {
    const int position = boxes_.position[std::size_t(k)];
    if (!IsFlagBit(Definitions().params[std::size_t(position)])) continue;
    if (QCheckBox* box = FindCheckBox(this, kIdFirstCheckBox + k)) {
      shown.push_back({PageField{PageKind::Vehicle, position, true}, box});
    }
  }
  return shown;
}

void CVehicleDlg::OnReadZero() {
  // Owned by the main window, so that it is centred on it and keeps it from taking input.
  CReadZeroADdlg dialog(state_.zero, state_.image, link_, window());
  if (calibrationUpdate_) dialog.SetUpdate(calibrationUpdate_);
  if (dialog.exec() == QDialog::Rejected) OnShowWindow(true);
}

}  // namespace vor

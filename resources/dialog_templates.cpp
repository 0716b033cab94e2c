#include "resources/dialog_templates.h"

#include <array>
#include <cstddef>

namespace vor {
namespace {

using K = ControlKind;

// ---------------------------------------------------------------------------------------------
// 102: main window. The button captions are the template's Chinese ones; the window's
// initialisation replaces them with the English captions.

constexpr ControlTemplate kMainControls[] = {
    // The banner spans the outer border's lines, 5 to 521, as the side picture stands on the
    // left one; the template has it a unit wider, past the right line, which then crossed it.
    {kNoControlId, K::Picture, 5, 7, 516, 63, "", kStyleNone, kBitmapBanner},
    {kNoControlId, K::Picture, 5, 111, 89, 300, "", kStyleNone, kBitmapSide},
    {kIdStatusLine, K::StaticText, 8, 72, 85, 36, "", kVCenter},
    {kIdPageArea, K::GroupBox, 96, 67, 413, 300, "", kHidden},
    {kIdVehicleButton, K::PushButton, 103, 380, 50, 14, "车辆参数", kTabStop},
    {kIdControlButton, K::PushButton, 103, 396, 50, 14, "控制参数", kTabStop},
    {kIdMotorButton, K::PushButton, 170, 380, 50, 14, "电机参数", kTabStop},
    {kIdWriteButton, K::PushButton, 247, 380, 50, 14, "写入", kTabStop},
    {kIdReadButton, K::PushButton, 247, 397, 50, 14, "读取", kTabStop},
    {kIdMonitorButton, K::PushButton, 382, 380, 50, 14, "监控", kTabStop},
    {kIdCancel, K::PushButton, 383, 397, 50, 14, "退出", kTabStop},
    // Separators: under the banner, left of the page area, above the buttons, and the outer
    // border at the left, bottom and right.
    {kNoControlId, K::EtchedFrame, 5, 70, 517, 1, "", kStyleNone},
    {kNoControlId, K::EtchedFrame, 96, 68, 1, 341, "", kStyleNone},
    {kNoControlId, K::EtchedFrame, 95, 374, 422, 1, "", kStyleNone},
    {kNoControlId, K::EtchedFrame, 5, 7, 1, 405, "", kStyleNone},
    {kNoControlId, K::EtchedFrame, 5, 411, 512, 1, "", kStyleNone},
    {kNoControlId, K::EtchedFrame, 520, 7, 1, 405, "", kStyleNone},
};

// ---------------------------------------------------------------------------------------------
// Pages 107..110: a grid of hidden label/edit slots in columns of 16, the tip area along the
// bottom. The rows are spread evenly from the first edit at y 6 to the last at y 247 (a pitch
// of 16, once 17), and each label sits 3 units below the top of its edit.

constexpr int kRowsPerColumn = 16;
constexpr int kFirstEditY = 6;
constexpr int kLastEditY = 247;
constexpr int kLabelDrop = 3;

struct GridColumn {
  int labelX, editX;
};
constexpr GridColumn kGridColumns[] = {{0, 76}, {125, 201}, {255, 330}};

constexpr int kLabelWidth = 67, kLabelHeight = 11;
constexpr int kEditWidth = 40, kEditHeight = 14;

// y of row `row` of `rows` spread evenly from `first` to `last`, rounded to the nearest unit.
constexpr int SpreadRow(int first, int last, int rows, int row) {
  const int span = (last - first) * row;
  return first + (2 * span + (rows - 1)) / (2 * (rows - 1));
}

constexpr int EditY(int slot) {
  return SpreadRow(kFirstEditY, kLastEditY, kRowsPerColumn, slot % kRowsPerColumn);
}

constexpr ControlTemplate SlotLabel(int slot) {
  return {SlotLabelId(slot),
          K::StaticText,
          kGridColumns[slot / kRowsPerColumn].labelX,
          EditY(slot) + kLabelDrop,
          kLabelWidth,
          kLabelHeight,
          "Static",
          kHidden};
}

constexpr ControlTemplate SlotEdit(int slot, std::uint32_t style) {
  return {SlotEditId(slot),
          K::Edit,
          kGridColumns[slot / kRowsPerColumn].editX,
          EditY(slot),
          kEditWidth,
          kEditHeight,
          "",
          kHidden | style};
}

constexpr ControlTemplate TipArea(int width) {
  return {kIdTipArea, K::StaticText, 0, 268, width, 41, "", kStyleNone};
}

constexpr std::uint32_t kParamEditStyle = kBorder | kAutoHScroll | kTabStop;
constexpr std::uint32_t kMonitorEditStyle = kBorder | kReadOnly;

template <std::size_t N>
struct ControlList {
  std::array<ControlTemplate, N> items{};
  std::size_t count = 0;
  constexpr void Add(const ControlTemplate& control) { items[count++] = control; }
};

constexpr int kPageWidth = 418, kPageHeight = 312;

// Control (108) and Motor (109) pages.
constexpr auto MakeParamPage() {
  ControlList<2 * kParamSlotCount + 1> list;
  for (int slot = 0; slot < kParamSlotCount; ++slot) {
    list.Add(SlotLabel(slot));
    list.Add(SlotEdit(slot, kParamEditStyle));
  }
  list.Add(TipArea(kPageWidth));
  return list;
}

// Vehicle page (107): two columns of slots, the check boxes to their right in a column of 16
// and one of 8, the Read_Zero button under the second column. The boxes' widths are ours: as wide
// as the space to the next control allows, so the first column's boxes beside the second column
// and the button are narrower than those below them.
constexpr int kBoxHeight = 10;
constexpr int kBoxColumn1X = 263, kBoxColumn1Width = 72, kBoxColumn1WideWidth = 114;
constexpr int kBoxColumn2X = 337, kBoxColumn2Width = 79;
constexpr int kBoxColumn1Count = 16, kBoxColumn2Count = 8;
constexpr int kReadZeroX = 340, kReadZeroY = 136, kReadZeroWidth = 40, kReadZeroHeight = 17;

constexpr auto MakeVehiclePage() {
  ControlList<2 * kVehicleSlotCount + kCheckBoxCount + 2> list;
  for (int slot = 0; slot < kVehicleSlotCount; ++slot) {
    list.Add(SlotLabel(slot));
    list.Add(SlotEdit(slot, kParamEditStyle));
  }
  for (int box = 0; box < kCheckBoxCount; ++box) {
    const bool first = box < kBoxColumn1Count;
    const int y = first ? SpreadRow(10, 248, kBoxColumn1Count, box)
                        : SpreadRow(11, 120, kBoxColumn2Count, box - kBoxColumn1Count);
    int width = kBoxColumn2Width;
    if (first) width = y >= kReadZeroY + kReadZeroHeight ? kBoxColumn1WideWidth : kBoxColumn1Width;
    list.Add({kIdFirstCheckBox + box, K::CheckBox, first ? kBoxColumn1X : kBoxColumn2X, y, width,
              kBoxHeight, "Check1", kHidden | kTabStop});
  }
  list.Add({kIdReadZeroButton, K::PushButton, kReadZeroX, kReadZeroY, kReadZeroWidth,
            kReadZeroHeight, "Read_Zero", kTabStop});
  list.Add(TipArea(416));
  return list;
}

// Monitor page (110): 47 read-only slots; the status caption and field take the last row of
// the third column, in the places of a label and its edit.
constexpr auto MakeMonitorPage() {
  ControlList<2 * kMonitorSlotCount + 3> list;
  for (int slot = 0; slot < kMonitorSlotCount; ++slot) {
    list.Add(SlotLabel(slot));
    list.Add(SlotEdit(slot, kMonitorEditStyle));
  }
  ControlTemplate caption = SlotLabel(kMonitorSlotCount);
  caption.id = kIdStatusCaption;
  caption.style = kAlignRight;
  list.Add(caption);
  ControlTemplate status = SlotEdit(kMonitorSlotCount, kMonitorEditStyle);
  status.id = kIdStatusField;
  status.style = kMonitorEditStyle;
  list.Add(status);
  list.Add(TipArea(kPageWidth));
  return list;
}

constexpr auto kParamPage = MakeParamPage();
constexpr auto kVehiclePage = MakeVehiclePage();
constexpr auto kMonitorPage = MakeMonitorPage();
static_assert(kParamPage.count == kParamPage.items.size());
static_assert(kVehiclePage.count == kVehiclePage.items.size());
static_assert(kMonitorPage.count == kMonitorPage.items.size());
static_assert(SlotEditId(kParamSlotCount - 1) == 1105);
static_assert(SlotEditId(kMonitorSlotCount - 1) == 1103);
static_assert(EditY(0) == kFirstEditY && EditY(kRowsPerColumn - 1) == kLastEditY);

// ---------------------------------------------------------------------------------------------
// 121: phase zero calibration dialog.

constexpr std::uint32_t kZeroEditStyle = kReadOnly | kBorder;
constexpr ControlTemplate kReadZeroControls[] = {
    {kIdPhaseALabel, K::StaticText, 18, 46, 49, 8, "Phase_A_Zero", kStyleNone},
    {kIdPhaseBLabel, K::StaticText, 18, 63, 50, 8, "Phase_B_Zero", kStyleNone},
    {kIdPhaseCLabel, K::StaticText, 18, 80, 49, 8, "Phase_C_Zero", kStyleNone},
    {kIdLowestA, K::Edit, 75, 43, 40, 14, "", kZeroEditStyle},
    {kIdLowestA + 1, K::Edit, 75, 60, 40, 14, "", kZeroEditStyle},
    {kIdLowestA + 2, K::Edit, 75, 77, 40, 14, "", kZeroEditStyle},
    {kIdReadingsA, K::Edit, 120, 43, 105, 14, "", kZeroEditStyle},
    {kIdReadingsA + 1, K::Edit, 120, 60, 105, 14, "", kZeroEditStyle},
    {kIdReadingsA + 2, K::Edit, 120, 77, 105, 14, "", kZeroEditStyle},
    {kIdZeroRead, K::PushButton, 255, 68, 35, 14, "Read", kTabStop},
    {kIdZeroUpdate, K::PushButton, 255, 86, 35, 14, "Update", kTabStop},
};

// ---------------------------------------------------------------------------------------------

constexpr const char* kShellDlg = "MS Shell Dlg";
constexpr std::uint32_t kPageStyle = kDlgChild | kDlgThinBorder;

constexpr DialogTemplate kMain{
    kDialogMain, "HEW User", 522, 413, kShellDlg, 9,
    kDlgCaption | kDlgSysMenu | kDlgSizing | kDlgMinimizeBox | kDlgMaximizeBox | kDlgAppWindow,
    kMainControls,
    // The template's outer border ends a unit before its right and bottom edges, and the last row
    // of buttons stands on that border: the window adds what it takes to give the border its
    // left margin of 5 units on those sides too, so nothing sits on the window's edges.
    4, 4};
constexpr DialogTemplate kVehicle{kDialogVehicle, "", kPageWidth, kPageHeight,
                                  kShellDlg,      9,  kPageStyle, kVehiclePage.items};
constexpr DialogTemplate kControl{kDialogControl, "", kPageWidth, kPageHeight,
                                  kShellDlg,      9,  kPageStyle, kParamPage.items};
constexpr DialogTemplate kMotor{kDialogMotor, "", kPageWidth, kPageHeight,
                                kShellDlg,    9,  kPageStyle, kParamPage.items};
constexpr DialogTemplate kMonitor{kDialogMonitor, "", kPageWidth, kPageHeight,
                                  kShellDlg,      9,  kPageStyle, kMonitorPage.items};
constexpr DialogTemplate kReadZero{
    kDialogReadZero,  "Read_Zero", 297, 157, "System", 10, kDlgCaption | kDlgSysMenu | kDlgCentered,
    kReadZeroControls};

constexpr const DialogTemplate* kTemplates[] = {&kMain,  &kVehicle, &kControl,
                                                &kMotor, &kMonitor, &kReadZero};

}  // namespace

const DialogTemplate* FindDialogTemplate(int id) {
  for (const DialogTemplate* dialog : kTemplates) {
    if (dialog->id == id) return dialog;
  }
  return nullptr;
}

std::span<const DialogTemplate* const> AllDialogTemplates() { return kTemplates; }

const ControlTemplate* FindControlTemplate(const DialogTemplate& dialog, int controlId) {
  if (controlId == kNoControlId) return nullptr;
  for (const ControlTemplate& control : dialog.controls) {
    if (control.id == controlId) return &control;
  }
  return nullptr;
}

}  // namespace vor

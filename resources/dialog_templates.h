#pragma once

// The program's dialog templates as data: every window and page is described here in dialog
// units, as tables of controls with their numeric ids, and built into widgets by
// resources/dialog_builder.h. Nothing here depends on Widgets.

#include <cstdint>
#include <span>

namespace vor {

// Template ids.
enum DialogId : int {
  kDialogMain = 102,      // CVORUserDlg
  kDialogVehicle = 107,   // CVehicleDlg
  kDialogControl = 108,   // CControlDlg
  kDialogMotor = 109,     // CMotorDlg
  kDialogMonitor = 110,   // CMonitor1Dlg
  kDialogReadZero = 121,  // CReadZeroADdlg
};

// Picture resources. The builder finds them in the Qt resource system.
enum ImageId : int {
  kIconApp = 128,
  kBitmapBanner = 132,
  kBitmapSide = 134,
};

// Control ids. Controls that code never addresses (pictures, separators) have kNoControlId.
enum ControlId : int {
  kNoControlId = -1,
  kIdCancel = 2,  // the Quit button of the main window: the dialog's cancel command

  // Main window (102).
  kIdPageArea = 1000,
  kIdVehicleButton = 1002,
  kIdControlButton = 1003,
  kIdMotorButton = 1004,
  kIdMonitorButton = 1006,
  kIdReadButton = 1007,
  kIdWriteButton = 1008,
  kIdStatusLine = 1009,

  // Pages (107..110).
  kIdTipArea = 1001,
  kIdFirstSlotLabel = 1010,  // label of slot k: 1010 + 2k
  kIdFirstSlotEdit = 1011,   // edit of slot k: 1011 + 2k
  kIdStatusCaption = 1104,   // Monitor page
  kIdStatusField = 1105,     // Monitor page
  kIdFirstCheckBox = 1106,   // Vehicle page: check box k is 1106 + k
  kIdReadZeroButton = 1341,  // Vehicle page

  // Phase zero calibration dialog (121).
  kIdPhaseALabel = 1075,
  kIdPhaseBLabel = 1076,
  kIdPhaseCLabel = 1077,
  kIdZeroRead = 1342,
  kIdZeroUpdate = 1343,
  kIdLowestA = 1344,    // lowest readings of phases A, B, C: 1344..1346
  kIdReadingsA = 1347,  // readings of phases A, B, C: 1347..1349
};

// Number of label/edit slots in each page's grid, and of the Vehicle page's check boxes.
inline constexpr int kVehicleSlotCount = 32;
inline constexpr int kParamSlotCount = 48;  // Control and Motor pages
inline constexpr int kMonitorSlotCount = 47;
inline constexpr int kCheckBoxCount = 24;

constexpr int SlotLabelId(int slot) { return kIdFirstSlotLabel + 2 * slot; }
constexpr int SlotEditId(int slot) { return kIdFirstSlotEdit + 2 * slot; }

enum class ControlKind : std::uint8_t {
  StaticText,
  Edit,
  PushButton,
  CheckBox,  // two-state, toggles itself when clicked
  GroupBox,
  Picture,      // shows the bitmap `imageId` at its own pixel size
  EtchedFrame,  // a sunken line; horizontal or vertical by its longer side
};

// Control style flags.
enum ControlStyle : std::uint32_t {
  kStyleNone = 0,
  kHidden = 1u << 0,
  kDisabled = 1u << 1,
  kReadOnly = 1u << 2,     // edits
  kBorder = 1u << 3,       // edits
  kAutoHScroll = 1u << 4,  // edits
  kTabStop = 1u << 5,
  kAlignRight = 1u << 6,  // static text; left-aligned otherwise
  kAlignCenter = 1u << 7,
  kVCenter = 1u << 8,  // static text on one line, centred vertically
};

struct ControlTemplate {
  int id;  // kNoControlId for controls that code never addresses
  ControlKind kind;
  int x, y, width, height;  // dialog units
  const char* text;         // UTF-8, the template's own text
  std::uint32_t style;      // ControlStyle flags
  int imageId = 0;          // Picture: bitmap resource id
};

// Window style flags of a template.
enum DialogStyle : std::uint32_t {
  kDlgChild = 1u << 0,       // a child window inside another (the pages)
  kDlgThinBorder = 1u << 1,  // one-pixel border around the client area
  kDlgCaption = 1u << 2,
  kDlgSysMenu = 1u << 3,  // system menu and close box
  kDlgSizing = 1u << 4,   // resizable frame
  kDlgMinimizeBox = 1u << 5,
  kDlgMaximizeBox = 1u << 6,
  kDlgAppWindow = 1u << 7,  // shown in the task bar
  kDlgCentered = 1u << 8,
};

struct DialogTemplate {
  int id;
  const char* caption;   // UTF-8; empty for pages
  int width, height;     // client area, dialog units
  const char* fontFace;  // the face the template names; see DialogFont() for what is used
  int fontPointSize;
  std::uint32_t style;                        // DialogStyle flags
  std::span<const ControlTemplate> controls;  // in tab and creation order
  // Room we add right of and below the template's client area, in dialog units. The window then
  // has width + extraWidth by height + extraHeight; the controls keep their places.
  int extraWidth = 0;
  int extraHeight = 0;
};

// The template with `id`, or nullptr when there is none.
const DialogTemplate* FindDialogTemplate(int id);

// All templates, in id order.
std::span<const DialogTemplate* const> AllDialogTemplates();

// The control `controlId` of `dialog`, or nullptr. kNoControlId never matches.
const ControlTemplate* FindControlTemplate(const DialogTemplate& dialog, int controlId);

}  // namespace vor

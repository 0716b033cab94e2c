#pragma once

// The program's text colours, named once: every window takes them from here, so that the same
// outcome has the same colour wherever it is shown.
#include <QColor>
#include <QString>

namespace vor {

// Help texts: the tip areas of the pages.
inline const QColor kHelpTextColour{0, 0, 255};
// A success: the status line after a good Read or Write, the Monitor's status while answered.
inline const QColor kSuccessColour{0, 213, 11};
// A failure, an active fault or an alarm: the status line, the Monitor's status and fault field,
// the fault history's active faults, the menu bar's alarm marks.
inline const QColor kFailureColour{255, 0, 0};

// An unwritten change on the parameter pages: a field's background and a label's (a box's) text.
inline const QColor kChangeTint{255, 228, 160};
inline const QColor kChangeTextColour{160, 82, 0};

// A notice banner over a window's content (the live tools' "paused").
inline QString NoticeStyleSheet() {
  return QStringLiteral(
      "QLabel { background: #fff3c4; color: #5c4400; font-weight: bold; "
      "padding: 4px; border: 1px solid #e0c060; }");
}

}  // namespace vor

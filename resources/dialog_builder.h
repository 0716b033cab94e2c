#pragma once

// Builds real widgets from the dialog templates of resources/dialog_templates.h and finds them
// again by their numeric ids.

#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QRect>
#include <QStringList>

#include "resources/dialog_templates.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace vor {

// Dialog base units in pixels: baseX is the average character width, baseY the character
// height of the dialog font.
struct DialogBaseUnits {
  int x = 0;
  int y = 0;
};

// The font that stands in for the template's font face and size, in the user's language (the
// default QLocale, which the program's Translation sets). Every dialog's metrics, and so its
// whole layout, follow from this one choice.
QFont DialogFont(const DialogTemplate& dialog);

// Base units of `font` by Windows' rule: baseX = (width of "A".."Z""a".."z" / 26 + 1) / 2,
// baseY = the font's height.
DialogBaseUnits BaseUnitsOf(const QFont& font);

// number * numerator / denominator with the result rounded half away from zero; 0 for a zero
// denominator (never happens with a real font, but a caller cannot crash on one).
int MulDiv(int number, int numerator, int denominator);

// A rectangle in dialog units mapped to pixels: each edge is converted on its own
// (x * baseX / 4, y * baseY / 8, rounded) and the size is the difference of the edges, so
// controls that touch in dialog units touch in pixels too.
QRect DluToPixels(const QRect& dlu, DialogBaseUnits base);

// Builds `dialog`'s controls as children of `window`, which becomes the dialog: it gets the
// dialog font, the client size (with the template's extra room) and, for a top-level window,
// the caption and window buttons. Controls are placed in creation order (which is also the tab
// order) and carry their id as described at FindControl(). Pictures fill their control with
// their bitmap. A static text one line of the dialog font high does not wrap. Returns the base
// units used. Call once per window.
DialogBaseUnits BuildDialog(const DialogTemplate& dialog, QWidget* window);

// As above for the template `templateId`; returns false (and builds nothing) when there is none.
bool BuildDialog(int templateId, QWidget* window);

// Makes the texts of `dialog`'s shown one-line static texts and check boxes whole, keeping every
// control's place: a control too narrow for its text grows to the right as far as the text
// needs, up to one dialog unit before the next shown control beside it or before the dialog's
// edge. A text that still does not fit is elided, and the whole text becomes the tooltip. Call
// once, after the texts are set and the controls shown or hidden; it only ever widens controls.
void FitTextsToControls(QWidget* dialog);

// Widens `field`, an edit of a dialog built here, as FitTextsToControls() widens a static text,
// so that the widest of `texts`, which it shows one at a time, is whole. False when the free
// space beside it is not enough.
bool FitFieldToTexts(QLineEdit* field, const QStringList& texts);

// The control with `id` among the direct children of `dialog` (as Windows' GetDlgItem: a page
// inside the main window does not lend it its controls), or nullptr. Each built control has
// the dynamic property "vorControlId" and the object name "ctl<id>"; controls without an id
// have neither.
QWidget* FindControl(QWidget* dialog, int id);

// Typed look-ups: nullptr when the id is missing or the control is of another kind.
QLabel* FindStatic(QWidget* dialog, int id);  // static texts and pictures
QLineEdit* FindEdit(QWidget* dialog, int id);
QPushButton* FindButton(QWidget* dialog, int id);
QCheckBox* FindCheckBox(QWidget* dialog, int id);
QGroupBox* FindGroupBox(QWidget* dialog, int id);

// The id of a control built by BuildDialog(), or kNoControlId.
int ControlIdOf(const QWidget* control);

// Bitmap resource `id` (132, 134) from the program's resources; a null pixmap when unknown.
QPixmap LoadBitmap(int id);

// Icon resource `id` (128); a null icon when unknown.
QIcon LoadIcon(int id);

}  // namespace vor

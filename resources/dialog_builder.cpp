#include "resources/dialog_builder.h"

#include <QCheckBox>
#include <QEvent>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPalette>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <cstdint>

namespace vor {
namespace {

const char kIdProperty[] = "vorControlId";
const char kBorderName[] = "vorDialogBorder";

// Dialog units per line of the dialog font: baseY is the font's height and 8 units are baseY.
constexpr int kDluPerLine = 8;

QString ControlName(int id) { return QStringLiteral("ctl%1").arg(id); }

// The one-pixel border of a child dialog. Windows draws it outside the client area; here it is a
// frame under all controls that follows the dialog's size, with the controls moved in by its
// width so that their client coordinates stay as in the template.
class DialogBorder : public QFrame {
public:
  explicit DialogBorder(QWidget* dialog) : QFrame(dialog) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(kWidth);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setObjectName(QLatin1String(kBorderName));
    setGeometry(dialog->rect());
    lower();
    dialog->installEventFilter(this);
  }

  static constexpr int kWidth = 1;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == parent() && event->type() == QEvent::Resize) {
      setGeometry(parentWidget()->rect());
    }
    return false;
  }
};

Qt::Alignment StaticAlignment(std::uint32_t style) {
  Qt::Alignment horizontal = Qt::AlignLeft;
  if (style & kAlignRight) horizontal = Qt::AlignRight;
  if (style & kAlignCenter) horizontal = Qt::AlignHCenter;
  return horizontal | ((style & kVCenter) ? Qt::AlignVCenter : Qt::AlignTop);
}

// Controls that Windows would not reach by Tab still take the focus when clicked.
void SetTabStop(QWidget* widget, std::uint32_t style) {
  widget->setFocusPolicy((style & kTabStop) ? Qt::StrongFocus : Qt::ClickFocus);
}

QWidget* CreateControl(const ControlTemplate& control, QWidget* parent) {
  const QString text = QString::fromUtf8(control.text);
  switch (control.kind) {
    case ControlKind::StaticText: {
      auto* label = new QLabel(text, parent);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(StaticAlignment(control.style));
      // Plain statics wrap at word boundaries, as on Windows, where they have the room: in one
      // line's height a wrapped second line would only be cut off. A vertically centred one
      // stays on one line.
      label->setWordWrap(!(control.style & kVCenter) && control.height >= 2 * kDluPerLine);
      return label;
    }
    case ControlKind::Edit: {
      auto* edit = new QLineEdit(text, parent);
      edit->setReadOnly(control.style & kReadOnly);
      edit->setFrame(control.style & kBorder);
      if (control.style & kReadOnly) {
        // Greyed like a read-only edit on Windows, so that the user sees it takes no input.
        QPalette palette = edit->palette();
        palette.setBrush(QPalette::Base, palette.brush(QPalette::Window));
        edit->setPalette(palette);
      }
      SetTabStop(edit, control.style);
      return edit;
    }
    case ControlKind::PushButton: {
      auto* button = new QPushButton(text, parent);
      // No template button is a default button; inside a QDialog Qt would make them all
      // auto-default and Enter would click whichever has the focus.
      button->setAutoDefault(false);
      button->setDefault(false);
      SetTabStop(button, control.style);
      return button;
    }
    case ControlKind::CheckBox: {
      auto* box = new QCheckBox(text, parent);
      SetTabStop(box, control.style);
      return box;
    }
    case ControlKind::GroupBox:
      return new QGroupBox(text, parent);
    case ControlKind::Picture: {
      // The bitmap fills the control: at its own pixel size it would end short of the control
      // wherever the dialog font's units are not those the artwork was drawn for.
      auto* picture = new QLabel(parent);
      picture->setScaledContents(true);
      picture->setPixmap(LoadBitmap(control.imageId));
      return picture;
    }
    case ControlKind::EtchedFrame: {
      auto* line = new QFrame(parent);
      line->setFrameShape(control.width >= control.height ? QFrame::HLine : QFrame::VLine);
      line->setFrameShadow(QFrame::Sunken);
      line->setLineWidth(1);
      return line;
    }
  }
  return nullptr;
}

void SetUpWindow(const DialogTemplate& dialog, QWidget* window, QSize clientSize) {
  window->setWindowTitle(QString::fromUtf8(dialog.caption));
  Qt::WindowFlags flags = window->windowType() | Qt::CustomizeWindowHint;
  if (dialog.style & kDlgCaption) flags |= Qt::WindowTitleHint;
  if (dialog.style & kDlgSysMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (dialog.style & kDlgMinimizeBox) flags |= Qt::WindowMinimizeButtonHint;
  if (dialog.style & kDlgMaximizeBox) flags |= Qt::WindowMaximizeButtonHint;
  window->setWindowFlags(flags);
  // Centring (kDlgCentered) is left to QDialog, which centres itself on its parent or screen.
  if (dialog.style & kDlgSizing) {
    window->resize(clientSize);
  } else {
    window->setFixedSize(clientSize);
  }
}

// The faces that stand in for a template's Windows face, most preferred first. The templates'
// sizes were drawn for Windows' dialog faces; Tahoma has their metrics closely, and "System"
// is the bold face of 8 by 16 base units that Windows has under that name: fonts-wine carries
// both. In Chinese Windows draws dialogs in its Chinese face, which is wider and taller, and so
// do we: WenQuanYi Micro Hei has Latin glyphs of its own, so one face sets the metrics of every
// text, whether it comes from the translation or from the definitions. DejaVu Sans, which is
// always installed with Qt, is the last resort.
constexpr const char* kShellDlgFaces[] = {"Tahoma", "Liberation Sans", "DejaVu Sans"};
constexpr const char* kSystemFaces[] = {"System", "Tahoma", "DejaVu Sans"};
constexpr const char* kChineseFaces[] = {"WenQuanYi Micro Hei", "Droid Sans Fallback",
                                         "DejaVu Sans"};
static_assert(std::size(kShellDlgFaces) == std::size(kSystemFaces) &&
              std::size(kSystemFaces) == std::size(kChineseFaces));

// fonts-wine keeps its faces in a folder of its own that fontconfig does not search, so the
// program adds them itself, unless a face of that name is installed already. Its bold Tahoma is
// left out: its outlines are hardly heavier than the regular ones, while Qt's emboldened regular
// face reads as bold (the status line).
struct FaceFile {
  const char* family;
  const char* file;
};
constexpr const char kWineFontFolder[] = "/usr/share/wine/fonts/";
constexpr FaceFile kWineFaces[] = {{"Tahoma", "tahoma.ttf"}, {"System", "system.ttf"}};

void RegisterDialogFaces() {
  static const bool registered = [] {
    for (const FaceFile& face : kWineFaces) {
      if (QFontDatabase::hasFamily(QString::fromLatin1(face.family))) continue;
      QFontDatabase::addApplicationFont(QLatin1String(kWineFontFolder) + face.file);
    }
    return true;
  }();
  (void)registered;
}

// The width `edit` needs to show `text` whole, as QLineEdit lays its text out: inside the frame's
// contents, less the text margins and 2 pixels on either side.
int EditWidthForText(const QLineEdit* edit, const QString& text) {
  QStyle* style = edit->style();
  QStyleOptionFrame option;
  option.initFrom(edit);
  option.rect = edit->rect();
  option.lineWidth = edit->hasFrame() ? style->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
  const QRect contents =
      style->subElementRect(QStyle::SE_LineEditContents, &option, edit) - edit->textMargins();
  constexpr int kHorizontalMargin = 2;
  return edit->fontMetrics().horizontalAdvance(text) + 2 * kHorizontalMargin + edit->width() -
         contents.width();
}

// Widens `control` towards `width`, keeping its place: up to one dialog unit before the nearest
// shown sibling whose left edge lies right of the control's and whose rows it shares, or before
// the dialog's edge (inside a thin border). Returns whether it reached `width`.
bool GrowTo(QWidget* control, int width) {
  if (control->width() >= width) return true;
  QWidget* dialog = control->parentWidget();
  const int gap = MulDiv(1, BaseUnitsOf(dialog->font()).x, 4);
  const QRect place = control->geometry();
  const bool bordered =
      dialog->findChild<QFrame*>(QLatin1String(kBorderName), Qt::FindDirectChildrenOnly);
  int limit = dialog->width() - (bordered ? DialogBorder::kWidth : 0) - gap;
  for (QWidget* other : dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    const QRect there = other->geometry();
    if (other == control || other->isHidden() || there.left() <= place.left()) continue;
    if (there.top() > place.bottom() || there.bottom() < place.top()) continue;
    limit = std::min(limit, there.left() - gap);
  }
  const int grown = std::min(width, limit - place.left());
  if (grown > place.width()) control->resize(grown, place.height());
  return control->width() >= width;
}

}  // namespace

QFont DialogFont(const DialogTemplate& dialog) {
  RegisterDialogFaces();
  const bool chinese = QLocale().language() == QLocale::Chinese;
  const bool system = qstrcmp(dialog.fontFace, "System") == 0;
  QStringList families;
  for (const char* family : chinese ? kChineseFaces : system ? kSystemFaces : kShellDlgFaces) {
    families.append(QString::fromLatin1(family));
  }
  QFont font(families.first());
  // Qt takes the first of these that is installed, and the platform's sans serif face after them.
  font.setFamilies(families);
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(dialog.fontPointSize);
  return font;
}

DialogBaseUnits BaseUnitsOf(const QFont& font) {
  const QFontMetrics metrics(font);
  const int width = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return {(width / 26 + 1) / 2, metrics.height()};
}

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return 0;
  std::int64_t product = static_cast<std::int64_t>(number) * numerator;
  std::int64_t divisor = denominator;
  if (divisor < 0) {
    product = -product;
    divisor = -divisor;
  }
  const std::int64_t half = divisor / 2;
  const std::int64_t quotient =
      product >= 0 ? (product + half) / divisor : -((-product + half) / divisor);
  return static_cast<int>(quotient);
}

QRect DluToPixels(const QRect& dlu, DialogBaseUnits base) {
  const int left = MulDiv(dlu.x(), base.x, 4);
  const int top = MulDiv(dlu.y(), base.y, 8);
  const int right = MulDiv(dlu.x() + dlu.width(), base.x, 4);
  const int bottom = MulDiv(dlu.y() + dlu.height(), base.y, 8);
  return QRect(left, top, right - left, bottom - top);
}

DialogBaseUnits BuildDialog(const DialogTemplate& dialog, QWidget* window) {
  window->setFont(DialogFont(dialog));
  window->setProperty("vorTemplateId", dialog.id);
  const DialogBaseUnits base = BaseUnitsOf(window->font());
  const QSize clientSize =
      DluToPixels(QRect(0, 0, dialog.width + dialog.extraWidth, dialog.height + dialog.extraHeight),
                  base)
          .size();

  QPoint origin(0, 0);
  DialogBorder* border = nullptr;
  if (dialog.style & kDlgThinBorder) {
    border = new DialogBorder(window);
    origin = QPoint(DialogBorder::kWidth, DialogBorder::kWidth);
  }

  for (const ControlTemplate& control : dialog.controls) {
    QWidget* widget = CreateControl(control, window);
    const QRect rect =
        DluToPixels(QRect(control.x, control.y, control.width, control.height), base);
    widget->setGeometry(rect.translated(origin));
    if (control.id != kNoControlId) {
      widget->setObjectName(ControlName(control.id));
      widget->setProperty(kIdProperty, control.id);
    }
    if (control.style & kDisabled) widget->setEnabled(false);
    widget->setVisible(!(control.style & kHidden));
  }

  if (dialog.style & kDlgChild) {
    window->resize(clientSize + QSize(2 * origin.x(), 2 * origin.y()));
  } else if (window->isWindow()) {
    SetUpWindow(dialog, window, clientSize);
  }
  // A hidden window gets its resize event only when it is shown.
  if (border) border->setGeometry(window->rect());
  return base;
}

bool BuildDialog(int templateId, QWidget* window) {
  const DialogTemplate* dialog = FindDialogTemplate(templateId);
  if (!dialog) return false;
  BuildDialog(*dialog, window);
  return true;
}

void FitTextsToControls(QWidget* dialog) {
  for (QWidget* control : dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (control->isHidden() || ControlIdOf(control) == kNoControlId) continue;
    auto* label = qobject_cast<QLabel*>(control);
    auto* box = qobject_cast<QCheckBox*>(control);
    if (label && (label->wordWrap() || label->text().isEmpty())) continue;
    if (!label && !box) continue;
    // Without wrapping, a static's size hint is its text's width, and a box's its text beside
    // the indicator; blanks at the text's end would take room there but show nothing.
    const QString text = label ? label->text() : box->text();
    qsizetype shown = text.size();
    while (shown > 0 && text.at(shown - 1).isSpace()) --shown;
    const auto setText = [label, box](const QString& newText) {
      if (label) label->setText(newText);
      if (box) box->setText(newText);
    };
    setText(text.first(shown));
    const int needed = control->sizeHint().width();
    setText(text);
    if (GrowTo(control, needed)) continue;
    const QFontMetrics metrics = control->fontMetrics();
    const int room =
        control->width() - (control->sizeHint().width() - metrics.horizontalAdvance(text));
    setText(metrics.elidedText(text, Qt::ElideRight, room));
    control->setToolTip(text);
  }
}

bool FitFieldToTexts(QLineEdit* field, const QStringList& texts) {
  if (!field || !field->parentWidget()) return false;
  int width = 0;
  for (const QString& text : texts) width = std::max(width, EditWidthForText(field, text));
  return GrowTo(field, width);
}

QWidget* FindControl(QWidget* dialog, int id) {
  if (!dialog || id == kNoControlId) return nullptr;
  return dialog->findChild<QWidget*>(ControlName(id), Qt::FindDirectChildrenOnly);
}

QLabel* FindStatic(QWidget* dialog, int id) {
  return qobject_cast<QLabel*>(FindControl(dialog, id));
}
QLineEdit* FindEdit(QWidget* dialog, int id) {
  return qobject_cast<QLineEdit*>(FindControl(dialog, id));
}
QPushButton* FindButton(QWidget* dialog, int id) {
  return qobject_cast<QPushButton*>(FindControl(dialog, id));
}
QCheckBox* FindCheckBox(QWidget* dialog, int id) {
  return qobject_cast<QCheckBox*>(FindControl(dialog, id));
}
QGroupBox* FindGroupBox(QWidget* dialog, int id) {
  return qobject_cast<QGroupBox*>(FindControl(dialog, id));
}

int ControlIdOf(const QWidget* control) {
  const QVariant id = control ? control->property(kIdProperty) : QVariant();
  return id.isValid() ? id.toInt() : kNoControlId;
}

QPixmap LoadBitmap(int id) { return QPixmap(QStringLiteral(":/vor/bitmap/%1.png").arg(id)); }

QIcon LoadIcon(int id) {
  const QString path = QStringLiteral(":/vor/icon/%1.png").arg(id);
  return QFile::exists(path) ? QIcon(path) : QIcon();
}

}  // namespace vor

#include "resources/dialog_builder.h"

#include <QCheckBox>
#include <QEvent>
#include <QFile>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QVariant>
#include <QWidget>
#include <cstdint>

namespace vor {
namespace {

const char kIdProperty[] = "vorControlId";

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
      // Plain statics wrap at word boundaries; a vertically centred one stays on one line.
      label->setWordWrap(!(control.style & kVCenter));
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
      auto* picture = new QLabel(parent);
      picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
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

}  // namespace

QFont DialogFont(const DialogTemplate& dialog) {
  // Every template names a Windows face ("MS Shell Dlg", "System"); DejaVu Sans, installed with
  // the program's dependencies, stands in for all of them at the template's point size. Qt falls
  // back to the platform's sans serif face where it is missing.
  QFont font(QStringLiteral("DejaVu Sans"));
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
  const QSize clientSize = DluToPixels(QRect(0, 0, dialog.width, dialog.height), base).size();

  QPoint origin(0, 0);
  DialogBorder* border = nullptr;
  if (dialog.style & kDlgThinBorder) {
    border = new DialogBorder(window);
    origin = QPoint(DialogBorder::kWidth, DialogBorder::kWidth);
  }

  for (const ControlTemplate& control : dialog.controls) {
    QWidget* widget = CreateControl(control, window);
    QRect rect = DluToPixels(QRect(control.x, control.y, control.width, control.height), base);
    if (auto* picture = qobject_cast<QLabel*>(widget);
        picture && control.kind == ControlKind::Picture && !picture->pixmap().isNull()) {
      rect.setSize(picture->pixmap().deviceIndependentSize().toSize());
    }
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

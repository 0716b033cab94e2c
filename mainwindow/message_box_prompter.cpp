#include "mainwindow/message_box_prompter.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>

#include "mainwindow/box_placement.h"

namespace vor {
namespace {

// A message box that, once it knows its size, moves beside what it must leave in sight.
class PlacedMessageBox : public QMessageBox {
public:
  using QMessageBox::QMessageBox;
  std::optional<QRect> keepVisible;

protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);  // sizes the box to its text, and centres it
    if (!keepVisible) return;
    const QScreen* screen = QGuiApplication::screenAt(keepVisible->center());
    if (!screen) screen = this->screen();
    const QRect anchor = parentWidget() ? parentWidget()->window()->frameGeometry() : *keepVisible;
    const std::optional<QPoint> place =
        PlaceBeside(size(), *keepVisible, anchor, screen->availableGeometry(),
                    style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this));
    if (place) move(*place);
  }
};

QMessageBox::StandardButtons ButtonsOf(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok:
      return QMessageBox::Ok;
    case Buttons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case Buttons::RetryCancel:
      return QMessageBox::Retry | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

QMessageBox::Icon IconOf(Icon icon) {
  switch (icon) {
    case Icon::Warning:
      return QMessageBox::Warning;
    case Icon::Question:
      return QMessageBox::Question;
    case Icon::Information:
      return QMessageBox::Information;
    case Icon::None:
    case Icon::Default:
      break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButton ButtonOf(Answer answer) {
  switch (answer) {
    case Answer::Ok:
      return QMessageBox::Ok;
    case Answer::Cancel:
      return QMessageBox::Cancel;
    case Answer::Yes:
      return QMessageBox::Yes;
    case Answer::No:
      return QMessageBox::No;
    case Answer::Retry:
      return QMessageBox::Retry;
  }
  return QMessageBox::NoButton;
}

Answer AnswerOf(int button) {
  switch (button) {
    case QMessageBox::Ok:
      return Answer::Ok;
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    case QMessageBox::Retry:
      return Answer::Retry;
    default:
      return Answer::Cancel;
  }
}

}  // namespace

Answer MessageBoxPrompter::Ask(int stringId, Buttons buttons, Icon icon) {
  return AskText(LoadString(stringId), buttons, icon);
}

Answer MessageBoxPrompter::AskWithDetail(int stringId, Buttons buttons, Icon icon,
                                         const QString& detail) {
  return Show(LoadString(stringId), buttons, icon, std::nullopt, detail);
}

Answer MessageBoxPrompter::AskText(const QString& text, Buttons buttons, Icon icon) {
  return Show(text, buttons, icon, std::nullopt);
}

Answer MessageBoxPrompter::AskTextWithDefault(const QString& text, Buttons buttons, Icon icon,
                                              Answer defaultAnswer) {
  return Show(text, buttons, icon, defaultAnswer);
}

Answer MessageBoxPrompter::AskTextBeside(const QString& text, Buttons buttons, Icon icon,
                                         const QRect& keepVisible) {
  return Show(text, buttons, icon, std::nullopt, {}, keepVisible);
}

Answer MessageBoxPrompter::Show(const QString& text, Buttons buttons, Icon icon,
                                std::optional<Answer> defaultAnswer, const QString& detail,
                                std::optional<QRect> keepVisible) {
  PlacedMessageBox box(IconOf(ResolveIcon(buttons, icon)), QString::fromUtf8(kAppTitle), text,
                       ButtonsOf(buttons), parent_ ? parent_() : nullptr);
  box.keepVisible = keepVisible;
  // Set explicitly: an application display name would be appended to the caption.
  box.setWindowTitle(QString::fromUtf8(kAppTitle));
  if (defaultAnswer) box.setDefaultButton(ButtonOf(*defaultAnswer));
  box.setInformativeText(detail);
  return AnswerOf(box.exec());
}

}  // namespace vor

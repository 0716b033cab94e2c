#include "mainwindow/message_box_prompter.h"

#include <QMessageBox>

namespace vor {
namespace {

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

Answer MessageBoxPrompter::AskText(const QString& text, Buttons buttons, Icon icon) {
  QMessageBox box(IconOf(ResolveIcon(buttons, icon)), QString::fromUtf8(kAppTitle), text,
                  ButtonsOf(buttons), parent_ ? parent_() : nullptr);
  // Set explicitly: an application display name would be appended to the caption.
  box.setWindowTitle(QString::fromUtf8(kAppTitle));
  return AnswerOf(box.exec());
}

}  // namespace vor

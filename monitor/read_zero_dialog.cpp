#include "monitor/read_zero_dialog.h"

#include <QLineEdit>
#include <QPushButton>

#include "resources/dialog_builder.h"

namespace vor {

CReadZeroADdlg::CReadZeroADdlg(ProgramState& state, LinkAccess& link, QWidget* parent)
    : QDialog(parent), state_(state), link_(link) {
  BuildDialog(kDialogReadZero, this);
  for (QPushButton* button : findChildren<QPushButton*>()) {
    // Return does not press a button: the dialog has no OK of its own.
    button->setAutoDefault(false);
    button->setDefault(false);
  }
  if (QPushButton* read = FindButton(this, kIdZeroRead)) {
    connect(read, &QPushButton::clicked, this, &CReadZeroADdlg::OnRead);
  }
  if (QPushButton* update = FindButton(this, kIdZeroUpdate)) {
    connect(update, &QPushButton::clicked, this, &CReadZeroADdlg::OnUpdate);
    update->setEnabled(state_.zero.answered);
  }
}

void CReadZeroADdlg::OnRead() {
  ZeroAnswers answers;
  // A refused job leaves every exchange unanswered, as a silent controller does.
  link_.RunJob(QStringLiteral("Reading phase zero..."), [&answers](SerialLink& link) {
    answers = ReadZeroExchanges(link);
    return true;
  });
  ApplyZeroRead(answers, state_.zero, fields_);
  ShowFields();
  if (QPushButton* update = FindButton(this, kIdZeroUpdate)) {
    update->setEnabled(state_.zero.answered);
  }
}

void CReadZeroADdlg::OnUpdate() { UpdatePhaseZero(state_.zero, state_.image); }

void CReadZeroADdlg::ShowFields() {
  for (int phase = 0; phase < 3; ++phase) {
    if (QLineEdit* lowest = FindEdit(this, kIdLowestA + phase)) {
      lowest->setText(fields_.lowest[std::size_t(phase)]);
    }
    if (QLineEdit* readings = FindEdit(this, kIdReadingsA + phase)) {
      readings->setText(fields_.readings[std::size_t(phase)]);
      readings->setCursorPosition(0);
    }
  }
}

}  // namespace vor

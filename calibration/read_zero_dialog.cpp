#include "calibration/read_zero_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "resources/dialog_builder.h"

namespace vor {

CReadZeroADdlg::CReadZeroADdlg(ZeroValues& zero, ConfigImage& image, LinkAccess& link,
                               QWidget* parent)
    : QDialog(parent), zero_(zero), image_(image), link_(link) {
  BuildDialog(kDialogReadZero, this);
  // The template's texts, in the user's language.
  setWindowTitle(tr("Read_Zero"));
  const char* const labels[] = {QT_TR_NOOP("Phase_A_Zero"), QT_TR_NOOP("Phase_B_Zero"),
                                QT_TR_NOOP("Phase_C_Zero")};
  for (int phase = 0; phase < 3; ++phase) {
    if (QLabel* label = FindStatic(this, kIdPhaseALabel + phase)) label->setText(tr(labels[phase]));
  }
  for (QPushButton* button : findChildren<QPushButton*>()) {
    // Return does not press a button: the dialog has no OK of its own.
    button->setAutoDefault(false);
    button->setDefault(false);
  }
  if (QPushButton* read = FindButton(this, kIdZeroRead)) {
    read->setText(tr("Read"));
    connect(read, &QPushButton::clicked, this, &CReadZeroADdlg::OnRead);
  }
  if (QPushButton* update = FindButton(this, kIdZeroUpdate)) {
    update->setText(tr("Update"));
    connect(update, &QPushButton::clicked, this, &CReadZeroADdlg::OnUpdate);
    update->setEnabled(zero_.answered);
  }
}

void CReadZeroADdlg::OnRead() {
  ZeroAnswers answers;
  // A refused job leaves every exchange unanswered, as a silent controller does.
  link_.RunJob(tr("Reading phase zero..."), [&answers](SerialLink& link) {
    answers = ReadZeroExchanges(link);
    return true;
  });
  ApplyZeroRead(answers, zero_, fields_);
  ShowFields();
  if (QPushButton* update = FindButton(this, kIdZeroUpdate)) {
    update->setEnabled(zero_.answered);
  }
}

void CReadZeroADdlg::OnUpdate() {
  if (update_) {
    update_();
  } else {
    UpdatePhaseZero(zero_, image_);
  }
}

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

#include "mainwindow/report_details_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vor {

ReportDetailsDialog::ReportDetailsDialog(const ReportDetails& details, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(tr("Service Report"));
  auto* layout = new QVBoxLayout(this);
  auto* summary = new QLabel(
      tr("A PDF for the customer of this visit: what was changed and whether it took, the phase "
         "zero calibration, the faults seen and the configuration as it now stands."),
      this);
  summary->setWordWrap(true);
  layout->addWidget(summary);

  auto* form = new QFormLayout;
  workshop_ = new QLineEdit(details.workshop, this);
  technician_ = new QLineEdit(details.technician, this);
  paper_ = new QComboBox(this);
  paper_->addItem(tr("A4"), int(ReportPaper::A4));
  paper_->addItem(tr("Letter"), int(ReportPaper::Letter));
  paper_->setCurrentIndex(details.paper == ReportPaper::Letter ? 1 : 0);
  form->addRow(tr("&Workshop:"), workshop_);
  form->addRow(tr("&Technician:"), technician_);
  form->addRow(tr("&Paper:"), paper_);
  layout->addLayout(form);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(tr("&Make Report…"));
  const auto complete = [this, buttons] {
    buttons->button(QDialogButtonBox::Ok)->setEnabled(Details().Complete());
  };
  complete();
  connect(workshop_, &QLineEdit::textChanged, this, complete);
  connect(technician_, &QLineEdit::textChanged, this, complete);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  setMinimumWidth(420);
}

ReportDetails ReportDetailsDialog::Details() const {
  return {workshop_->text().trimmed(), technician_->text().trimmed(),
          static_cast<ReportPaper>(paper_->currentData().toInt())};
}

}  // namespace vor

#pragma once

#include <QDialog>

#include "report/report_settings.h"

class QComboBox;
class QLineEdit;

namespace vor {

// File > Service Report: who made the report and on what paper, as given last time. OK needs a
// workshop and a technician.
class ReportDetailsDialog : public QDialog {
  Q_OBJECT
public:
  explicit ReportDetailsDialog(const ReportDetails& details, QWidget* parent = nullptr);

  ReportDetails Details() const;
  QLineEdit* Workshop() const { return workshop_; }
  QLineEdit* Technician() const { return technician_; }
  QComboBox* Paper() const { return paper_; }

private:
  QLineEdit* workshop_;
  QLineEdit* technician_;
  QComboBox* paper_;
};

}  // namespace vor

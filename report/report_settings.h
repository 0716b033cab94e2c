#pragma once

#include <QString>
#include <optional>

#include "report/report_pdf.h"

class QSettings;

namespace vor {

// Who makes the visit reports and on what paper: asked once and kept in the desktop program's
// settings, which vor-cli reads and writes too.
struct ReportDetails {
  QString workshop;
  QString technician;
  ReportPaper paper = ReportPaper::A4;

  bool Complete() const { return !workshop.trimmed().isEmpty() && !technician.trimmed().isEmpty(); }
};

// The details kept in `settings`; the paper of the user's locale until one was chosen.
ReportDetails LoadReportDetails(QSettings& settings);
void SaveReportDetails(QSettings& settings, const ReportDetails& details);

// "a4" or "letter", as the command line and the settings name them; nullopt for another text.
std::optional<ReportPaper> PaperNamed(const QString& name);
QString PaperName(ReportPaper paper);

}  // namespace vor

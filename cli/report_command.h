#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

#include "report/report_pdf.h"

namespace vor::cli {

class LinkSession;

struct ReportRequest {
  QString outPath;
  QDateTime since;                   // the visit's start
  std::optional<ReportPaper> paper;  // the one kept in the settings when not given
  QString workshop;                  // the one kept in the settings when empty
  QString technician;                // likewise
};

// Makes the visit report of the controller as a PDF: reads its configuration, takes the service
// history's records of its serial number from `since` on, and saves the report to the request's
// file. The workshop, the technician and the paper are those of the desktop program's File >
// Service Report, kept in its settings; those given replace them there too. Needs a
// QGuiApplication.
int ReportCommand(LinkSession& session, const ReportRequest& request);

// The visit's start as --since gives it: an ISO date (from its midnight) or date and time, in
// local time unless it names its offset. Invalid for another text.
QDateTime ParseSince(const QString& text);

// The platform the report's QGuiApplication draws on when the user chose none: one that needs no
// display, so that reports are made where there is none. Called before the application exists.
void ChooseReportPlatform();

}  // namespace vor::cli

#pragma once

#include <QPageSize>
#include <QString>

#include "report/visit_report.h"

namespace vor {

// The paper sizes a report is made for.
enum class ReportPaper { A4, Letter };

// The paper of the user's country: Letter where that is the custom (the United States, Canada,
// Mexico and a few others), A4 elsewhere.
ReportPaper PaperOfLocale(const QLocale& locale);

// Makes `report` a PDF on `paper` and saves it to `path` as every file is saved (whole or not at
// all). The fonts drawn are embedded, Chinese ones included. Needs a QGuiApplication. False, with
// `error` set to a sentence naming the file, when it cannot be made or saved.
bool SaveVisitReportPdf(const VisitReport& report, ReportPaper paper, const QString& path,
                        QString& error);

}  // namespace vor

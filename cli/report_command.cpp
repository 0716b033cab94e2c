#include "cli/report_command.h"

#include <QCoreApplication>
#include <QSettings>
#include <memory>

#include "cli/image_commands.h"
#include "cli/link_session.h"
#include "definitions/definition_loader.h"
#include "files/backup_store.h"
#include "files/service_history.h"
#include "report/report_settings.h"
#include "report/visit_report.h"

namespace vor::cli {

int ReportCommand(LinkSession& session, const ReportRequest& request) {
  // The settings of the desktop program, where File > Service Report keeps them.
  QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("vor-user"),
                     QStringLiteral("vor-user"));
  ReportDetails details = LoadReportDetails(settings);
  if (!request.workshop.trimmed().isEmpty()) details.workshop = request.workshop.trimmed();
  if (!request.technician.trimmed().isEmpty()) details.technician = request.technician.trimmed();
  if (request.paper) details.paper = *request.paper;
  if (!details.Complete()) {
    PrintError(QStringLiteral(
        "the report needs the workshop's name and the technician's: give --workshop and "
        "--technician once, they are kept for the next reports; nothing was made"));
    return kExitUsage;
  }

  if (!session.Connect()) return kExitFailure;
  ConfigImage image;
  if (!session.Read(image)) return kExitFailure;
  auto set = std::make_unique<DefinitionSet>();
  if (!LoadDefinitions(image, *set, session.Prompts())) return kExitFailure;
  const ServiceHistory history = ReadServiceHistory(ServiceHistoryPath(BackupsFolder()));
  if (!history.error.isEmpty()) {
    PrintError(history.error + QStringLiteral("; nothing was made"));
    return kExitFailure;
  }
  for (const QString& warning : history.warnings) PrintError(warning);

  VisitReport report =
      MakeVisitReport(image, *set, history, request.since, QDateTime::currentDateTime());
  report.workshop = details.workshop;
  report.technician = details.technician;
  QString error;
  if (!SaveVisitReportPdf(report, details.paper, request.outPath, error)) {
    PrintError(error);
    return kExitFailure;
  }
  SaveReportDetails(settings, details);
  return kExitOk;
}

QDateTime ParseSince(const QString& text) {
  if (const QDate date = QDate::fromString(text, Qt::ISODate); date.isValid()) {
    return date.startOfDay();
  }
  return QDateTime::fromString(text, Qt::ISODate);
}

}  // namespace vor::cli

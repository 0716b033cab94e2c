#include "cli/history_command.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

#include "cli/image_commands.h"
#include "cli/link_session.h"
#include "files/backup_store.h"
#include "files/service_history.h"
#include "report/visit_report.h"

namespace vor::cli {

int HistoryCommand(const QString& serial, bool json) {
  const QString path = ServiceHistoryPath(BackupsFolder());
  const ServiceHistory history = ReadServiceHistory(path);
  if (!history.error.isEmpty()) {
    PrintError(history.error);
    return kExitFailure;
  }
  for (const QString& warning : history.warnings) PrintError(warning);
  const std::vector<ServiceRecord> records = RecordsOf(history, serial);
  if (json) {
    QJsonArray array;
    for (const ServiceRecord& record : records) {
      array.append(QJsonDocument::fromJson(ServiceRecordJson(record)).object());
    }
    std::printf("%s", QJsonDocument(array).toJson(QJsonDocument::Indented).constData());
    return kExitOk;
  }
  if (records.empty()) {
    PrintError(serial.isEmpty()
                   ? QStringLiteral("the service history %1 holds no record").arg(path)
                   : QStringLiteral("the service history %1 holds no record of serial number %2")
                         .arg(path, serial));
    return kExitOk;
  }
  bool first = true;
  for (const ServiceRecord& record : records) {
    if (!first) std::printf("\n");
    first = false;
    std::printf("%s\n", qUtf8Printable(VisitReportText::Details(record)));
  }
  return kExitOk;
}

}  // namespace vor::cli

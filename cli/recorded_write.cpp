#include "cli/recorded_write.h"

#include <QCoreApplication>
#include <memory>

#include "cli/controller_update.h"
#include "cli/image_commands.h"
#include "cli/link_session.h"
#include "files/backup_store.h"
#include "files/service_history.h"

namespace vor::cli {
namespace {

void AppendRecord(ServiceRecord record) {
  record.time = QDateTime::currentDateTime();
  record.program = QStringLiteral("vor-cli");
  record.version = QCoreApplication::applicationVersion();
  QString error;
  if (AppendServiceRecord(ServiceHistoryPath(BackupsFolder()), record, error)) return;
  PrintError(QStringLiteral("%1; this write is not in the service history (the write itself is "
                            "as told above)")
                 .arg(error));
}

}  // namespace

RecordedWrite WriteAndRecord(LinkSession& session, const QString& operation,
                             const ConfigImage& current, const ConfigImage& wanted,
                             const DefinitionSet* set, bool writeAnyway) {
  QString backup;
  if (!BackUpBeforeWriting(current, writeAnyway, &backup)) return RecordedWrite::Refused;
  const WriteStatus status = session.Write(wanted);
  std::optional<bool> verified;
  if (WriteSucceeded(status)) verified = VerifyReadBack(session, wanted);

  // Without definitions the record names bytes. A definition set is large: not on the stack.
  std::unique_ptr<DefinitionSet> none;
  if (!set) {
    none = std::make_unique<DefinitionSet>();
    set = none.get();
  }
  ServiceRecord record = RecordOfWrite(current, wanted, *set);
  record.operation = operation;
  record.port = session.DevicePath();
  record.backup = backup;
  record.outcome = OutcomeOfWrite(status, verified, record.reason);
  AppendRecord(record);
  return record.outcome == ServiceOutcome::Verified ? RecordedWrite::Written
                                                    : RecordedWrite::Failed;
}

}  // namespace vor::cli

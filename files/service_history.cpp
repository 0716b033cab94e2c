#include "files/service_history.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

#include "definitions/model_table.h"
#include "files/backup_store.h"
#include "files/file_replace.h"
#include "files/file_save.h"
#include "files/image_compare.h"
#include "pages/page_fields.h"

namespace vor {
namespace {

struct History {
  Q_DECLARE_TR_FUNCTIONS(vor::ServiceHistory)
};

constexpr auto kVerified = "verified";
constexpr auto kAcknowledged = "acknowledged, not verified";
constexpr auto kFailed = "failed";
constexpr auto kUnknown = "unknown";

// A history larger than this is not a history this program wrote (a record takes a few hundred
// bytes): it is refused rather than read into memory.
constexpr qint64 kMaxHistoryBytes = 256 * 1024 * 1024;

QString ByteText(std::uint8_t value) {
  return QStringLiteral("0x%1").arg(value, 2, 16, QChar(u'0'));
}

QString TimeText(const QDateTime& time) {
  // With the offset from UTC, so that a record says when it was, whatever the reader's zone.
  return time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

}  // namespace

QString ServiceRecord::OutcomeText() const {
  switch (outcome) {
    case ServiceOutcome::Verified:
      return QLatin1String(kVerified);
    case ServiceOutcome::AcknowledgedNotVerified:
      return QLatin1String(kAcknowledged);
    case ServiceOutcome::Failed:
      return reason.isEmpty() ? QLatin1String(kFailed)
                              : QStringLiteral("%1: %2").arg(QLatin1String(kFailed), reason);
    case ServiceOutcome::Unknown:
      break;
  }
  return QLatin1String(kUnknown);
}

ServiceRecord RecordOfWrite(const ConfigImage& before, const ConfigImage& written,
                            const DefinitionSet& set) {
  ServiceRecord record;
  record.moduleName = BackupModuleName(written);
  record.modelCode = ModelCode(written);
  record.voltageClass = VoltageClass(written);
  record.softwareVersion = QStringLiteral("%1").arg(SoftwareVersion(written), 4, 16, QChar(u'0'));
  record.serialNumber = BackupSerial(written);
  const ImageDifferences differences = CompareImages(before, written, set);
  for (const FieldChange& change : differences.fields) {
    record.changes.push_back({PageName(change.page), change.label, change.first, change.second});
  }
  for (const ByteChange& change : differences.bytes) {
    record.changes.push_back({QString(), QStringLiteral("byte %1").arg(change.addr),
                              ByteText(change.first), ByteText(change.second)});
  }
  return record;
}

ServiceOutcome OutcomeOfWrite(WriteStatus status, std::optional<bool> readBackMatches,
                              QString& reason) {
  reason.clear();
  switch (status) {
    case WriteStatus::Committed:
      if (!readBackMatches) return ServiceOutcome::AcknowledgedNotVerified;
      if (*readBackMatches) return ServiceOutcome::Verified;
      reason = QLatin1String(QT_TRANSLATE_NOOP(
          "vor::ServiceHistory", "read back, the controller does not hold every value written"));
      return ServiceOutcome::Failed;
    case WriteStatus::ConfirmedByReadBack:
      // The image read back to decide the commit was the one written.
      return ServiceOutcome::Verified;
    case WriteStatus::HandshakeFailed:
      reason = QLatin1String(QT_TRANSLATE_NOOP(
          "vor::ServiceHistory", "the controller did not answer; nothing was written"));
      return ServiceOutcome::Failed;
    case WriteStatus::BlockFailed:
      reason = QLatin1String(QT_TRANSLATE_NOOP(
          "vor::ServiceHistory",
          "a block went unanswered, so nothing was committed; the controller keeps its previous "
          "configuration"));
      return ServiceOutcome::Failed;
    case WriteStatus::ReadBackDiffers:
      reason = QLatin1String(QT_TRANSLATE_NOOP("vor::ServiceHistory",
                                               "the controller did not take the configuration"));
      return ServiceOutcome::Failed;
    case WriteStatus::Unknown:
      break;
  }
  return ServiceOutcome::Unknown;
}

QByteArray ServiceRecordJson(const ServiceRecord& record) {
  QJsonArray changes;
  for (const ServiceChange& change : record.changes) {
    changes.append(QJsonObject{{"page", change.page},
                               {"parameter", change.parameter},
                               {"before", change.before},
                               {"after", change.after}});
  }
  const QJsonObject object{
      {"time", TimeText(record.time)},
      {"program", record.program},
      {"version", record.version},
      {"operation", record.operation},
      {"port", record.port},
      {"module", record.moduleName},
      {"model", record.modelCode},
      {"voltageClass", record.voltageClass},
      {"softwareVersion", record.softwareVersion},
      {"serialNumber", record.serialNumber},
      {"changes", changes},
      {"verified", record.Verified()},
      {"outcome", record.OutcomeText()},
      {"backup", record.backup},
  };
  return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<ServiceRecord> ParseServiceRecord(const QByteArray& line) {
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(line, &error);
  if (error.error != QJsonParseError::NoError || !document.isObject()) return std::nullopt;
  const QJsonObject object = document.object();
  ServiceRecord record;
  record.time = QDateTime::fromString(object["time"].toString(), Qt::ISODateWithMs);
  if (!record.time.isValid()) return std::nullopt;
  record.program = object["program"].toString();
  record.version = object["version"].toString();
  record.operation = object["operation"].toString();
  record.port = object["port"].toString();
  record.moduleName = object["module"].toString();
  record.modelCode = object["model"].toString();
  record.voltageClass = object["voltageClass"].toString();
  record.softwareVersion = object["softwareVersion"].toString();
  record.serialNumber = object["serialNumber"].toString();
  record.backup = object["backup"].toString();
  for (const QJsonValue& value : object["changes"].toArray()) {
    const QJsonObject change = value.toObject();
    record.changes.push_back({change["page"].toString(), change["parameter"].toString(),
                              change["before"].toString(), change["after"].toString()});
  }
  const QString outcome = object["outcome"].toString();
  if (outcome == QLatin1String(kVerified)) {
    record.outcome = ServiceOutcome::Verified;
  } else if (outcome == QLatin1String(kAcknowledged)) {
    record.outcome = ServiceOutcome::AcknowledgedNotVerified;
  } else if (outcome.startsWith(QLatin1String(kFailed))) {
    record.outcome = ServiceOutcome::Failed;
    const QString withReason = QLatin1String(kFailed) + QStringLiteral(": ");
    if (outcome.startsWith(withReason)) record.reason = outcome.mid(withReason.size());
  } else {
    record.outcome = ServiceOutcome::Unknown;
  }
  return record;
}

QString ServiceHistoryPath(const QString& backupsFolder) {
  return QFileInfo(QDir::cleanPath(backupsFolder))
      .dir()
      .filePath(QStringLiteral("service-history.jsonl"));
}

bool AppendServiceRecord(const QString& path, const ServiceRecord& record, QString& error) {
  const auto fail = [&](const QString& reason) {
    error = History::tr("cannot add to the service history %1: %2").arg(path, reason);
    return false;
  };
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
    return fail(History::tr("its folder cannot be made"));
  }
  if (const QString problem = SaveTargetProblem(path); !problem.isEmpty()) return fail(problem);
  QFile file(path);
  // Unbuffered, so that a write the disk cannot take fails here with the system's reason.
  if (!file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered)) {
    return fail(file.errorString());
  }
  const qint64 sizeBefore = file.size();
  QByteArray line;
  if (sizeBefore > 0) {
    // A record torn by an interruption has no line end: close its line, or the new record
    // would be read as part of it.
    char last = '\n';
    if (!file.seek(sizeBefore - 1) || file.read(&last, 1) != 1) return fail(file.errorString());
    if (last != '\n') line += '\n';
  }
  line += ServiceRecordJson(record);
  line += '\n';
  QString reason;
  const bool written = WriteWhole(file, line, reason) && SyncOpenFile(file, reason);
  if (written && file.size() == sizeBefore + line.size()) return true;
  if (written) {
    reason = History::tr("the disk holds %1 of its %2 bytes")
                 .arg(file.size() - sizeBefore)
                 .arg(line.size());
  }
  // Nothing of the record may stay: a part of it would be a torn line.
  QString ignored;
  file.resize(sizeBefore);
  SyncOpenFile(file, ignored);
  return fail(reason);
}

ServiceHistory ReadServiceHistory(const QString& path) {
  ServiceHistory history;
  const QFileInfo info(path);
  if (!info.exists()) return history;
  if (!info.isFile()) {
    history.error = History::tr("the service history %1 is not a file").arg(path);
    return history;
  }
  if (info.size() > kMaxHistoryBytes) {
    history.error = History::tr("the service history %1 is too large to be one (%2 bytes)")
                        .arg(path)
                        .arg(info.size());
    return history;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    history.error =
        History::tr("cannot read the service history %1: %2").arg(path, file.errorString());
    return history;
  }
  const QByteArray content = file.readAll();
  const QList<QByteArray> lines = content.split('\n');
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const QByteArray& line = lines[i];
    if (line.trimmed().isEmpty()) continue;
    if (std::optional<ServiceRecord> record = ParseServiceRecord(line)) {
      history.records.push_back(std::move(*record));
    } else if (i == lines.size() - 1) {
      // No line end after it: an append that a power cut or a crash interrupted.
      history.warnings << History::tr(
                              "The last record of the service history %1 is incomplete, as an "
                              "interrupted write leaves it, and is skipped.")
                              .arg(path);
    } else {
      history.warnings << History::tr(
                              "Line %1 of the service history %2 is not a record and is skipped.")
                              .arg(i + 1)
                              .arg(path);
    }
  }
  return history;
}

std::vector<ServiceRecord> RecordsOf(const ServiceHistory& history, const QString& serial,
                                     const QDateTime& since) {
  std::vector<ServiceRecord> found;
  for (const ServiceRecord& record : history.records) {
    if (!serial.isEmpty() && record.serialNumber != serial) continue;
    if (since.isValid() && record.time < since) continue;
    found.push_back(record);
  }
  // Newest first; of records of one moment, the one written last first.
  std::reverse(found.begin(), found.end());
  std::stable_sort(found.begin(), found.end(),
                   [](const ServiceRecord& a, const ServiceRecord& b) { return a.time > b.time; });
  return found;
}

}  // namespace vor

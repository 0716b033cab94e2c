#include "files/configuration_record.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "definitions/model_table.h"
#include "files/backup_store.h"
#include "files/file_save.h"
#include "pages/csv_text.h"
#include "pages/page_fields.h"

namespace vor {
namespace {

QString CsvRow(const QStringList& cells) {
  QStringList quoted;
  for (const QString& cell : cells) quoted.append(CsvField(cell));
  return quoted.join(u',') + QStringLiteral("\r\n");
}

QString DateText(const QDateTime& date) { return date.toString(Qt::ISODate); }

}  // namespace

ConfigurationRecord RecordConfiguration(const ConfigImage& image, const DefinitionSet& set,
                                        const QDateTime& date) {
  ConfigurationRecord record;
  record.modelCode = ModelCode(image);
  record.voltageClass = VoltageClass(image);
  record.softwareVersion = QStringLiteral("%1").arg(SoftwareVersion(image), 4, 16, QChar(u'0'));
  record.serialNumber = BackupSerial(image);
  record.date = date;
  for (const PageField& field : PageFields(set)) {
    const ParamDef& def = set.params[static_cast<std::size_t>(field.position)];
    record.fields.push_back({field.page, field.position, field.box, FieldLabel(def),
                             ShownText(set, field, image), def.rangeL, def.rangeH});
  }
  return record;
}

QByteArray RecordCsv(const ConfigurationRecord& record) {
  QString csv;
  csv += CsvRow({QStringLiteral("Model"), record.modelCode});
  csv += CsvRow({QStringLiteral("Voltage class"), record.voltageClass});
  csv += CsvRow({QStringLiteral("Software version"), record.softwareVersion});
  csv += CsvRow({QStringLiteral("Serial number"), record.serialNumber});
  csv += CsvRow({QStringLiteral("Date"), DateText(record.date)});
  csv += QStringLiteral("\r\n");
  csv += CsvRow({QStringLiteral("Page"), QStringLiteral("Parameter"), QStringLiteral("Value"),
                 QStringLiteral("Range")});
  for (const RecordedField& field : record.fields) {
    csv += CsvRow({PageName(field.page), field.label, field.value.value_or(QString()),
                   QStringLiteral("%1~%2").arg(field.rangeL).arg(field.rangeH)});
  }
  return csv.toUtf8();
}

QByteArray RecordJson(const ConfigurationRecord& record) {
  QJsonArray fields;
  for (const RecordedField& field : record.fields) {
    fields.append(QJsonObject{
        {"page", PageName(field.page)},
        {"parameter", field.label},
        {"kind", field.box ? QStringLiteral("switch") : QStringLiteral("field")},
        {"value", field.value ? QJsonValue(*field.value) : QJsonValue()},
        {"rangeL", field.rangeL},
        {"rangeH", field.rangeH},
    });
  }
  const QJsonObject object{
      {"model", record.modelCode},
      {"voltageClass", record.voltageClass},
      {"softwareVersion", record.softwareVersion},
      {"serialNumber", record.serialNumber},
      {"date", DateText(record.date)},
      {"parameters", fields},
  };
  return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

bool ExportRecord(const QString& path, const ConfigurationRecord& record, QString& error) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  QByteArray bytes;
  if (suffix == u"csv") {
    bytes = RecordCsv(record);
  } else if (suffix == u"json") {
    bytes = RecordJson(record);
  } else {
    error =
        QCoreApplication::translate("vor::ConfigurationRecord",
                                    "%1 does not end in .csv or .json, so its format is unknown")
            .arg(path);
    return false;
  }
  QString reason;
  if (SaveFile(path, bytes, reason)) return true;
  error = QCoreApplication::translate("vor::ConfigurationRecord", "cannot write %1: %2")
              .arg(path, reason);
  return false;
}

}  // namespace vor

#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

#include "definitions/definition_set.h"
#include "link/config_image.h"
#include "pages/page_records.h"

namespace vor {

// One check box or field of the parameter pages, as the page shows it.
struct RecordedField {
  PageKind page;
  int position;  // in the parameter table
  bool box;      // a Vehicle page check box (its value is "0" or "1")
  QString label;
  std::optional<QString> value;  // nullopt for a control without a text form (its edit is empty)
  int rangeL;
  int rangeH;
};

// A configuration as the pages show it, for the customer's file: the controller's identity and
// every shown switch and parameter, page by page (the Vehicle page's boxes first).
struct ConfigurationRecord {
  QString modelCode;
  QString voltageClass;
  QString softwareVersion;  // four hex digits, as the Vehicle page shows them
  QString serialNumber;     // decimal
  QDateTime date;
  std::vector<RecordedField> fields;
};

ConfigurationRecord RecordConfiguration(const ConfigImage& image, const DefinitionSet& set,
                                        const QDateTime& date);

// The record as CSV (the identity as name/value rows, a blank row, then one row per control:
// page, parameter, value, range) and as one JSON object.
QByteArray RecordCsv(const ConfigurationRecord& record);
QByteArray RecordJson(const ConfigurationRecord& record);

// Saves the record to `path` (SaveFile), as JSON when its name ends in ".json" and as CSV when
// it ends in ".csv" (either case). False, with `error` set to a sentence, for any other name or
// when the file cannot be written.
bool ExportRecord(const QString& path, const ConfigurationRecord& record, QString& error);

}  // namespace vor

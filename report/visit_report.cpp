#include "report/visit_report.h"

#include <QDir>
#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <set>

#include "calibration/zero_calibration.h"
#include "files/backup_store.h"
#include "pages/page_fields.h"

namespace vor {
namespace {

QString Escaped(const QString& text) { return text.toHtmlEscaped(); }

QString Cell(const QString& text) { return QStringLiteral("<td>%1</td>").arg(Escaped(text)); }

QString HeaderCell(const QString& text) {
  return QStringLiteral("<th align=\"left\">%1</th>").arg(Escaped(text));
}

QString Row(const QStringList& cells) {
  QString row = QStringLiteral("<tr>");
  for (const QString& cell : cells) row += Cell(cell);
  return row + QStringLiteral("</tr>");
}

QString Table(const QStringList& headers, const QStringList& rows) {
  QString table =
      QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\"><tr>");
  for (const QString& header : headers) table += HeaderCell(header);
  return table + QStringLiteral("</tr>") + rows.join(QString()) + QStringLiteral("</table>");
}

QString Heading(const QString& text) { return QStringLiteral("<h2>%1</h2>").arg(Escaped(text)); }

QString Paragraph(const QString& text) { return QStringLiteral("<p>%1</p>").arg(Escaped(text)); }

QString TimeText(const QDateTime& time) { return VisitReportText::Time(time); }

// The labels of the fields that show the phase zero offsets, as the history names them.
std::set<QString> PhaseZeroLabels(const DefinitionSet& set) {
  std::set<QString> labels;
  for (const PageField& field : PageFields(set)) {
    const ParamDef& def = set.params[std::size_t(field.position)];
    if (field.page == PageKind::Vehicle && !field.box && def.addr >= int(kPhaseZeroAddr) &&
        def.addr < int(kPhaseZeroAddr) + 3) {
      labels.insert(FieldLabel(def));
    }
  }
  return labels;
}

QString ParameterText(const ServiceChange& change) {
  const std::optional<PageKind> page = PageNamed(change.page);
  return page ? QStringLiteral("%1: %2").arg(PageTitle(*page), change.parameter) : change.parameter;
}

QString BoxText(const RecordedField& field) {
  if (!field.value) return {};
  return *field.value == u"1" ? VisitReportText::tr("ticked") : VisitReportText::tr("not ticked");
}

}  // namespace

VisitReport MakeVisitReport(const ConfigImage& image, const DefinitionSet& set,
                            const ServiceHistory& history, const QDateTime& visitStart,
                            const QDateTime& made) {
  VisitReport report;
  report.made = made;
  report.visitStart = visitStart;
  report.moduleName = BackupModuleName(image);
  report.configuration = RecordConfiguration(image, set, made);
  report.records = RecordsOf(history, report.configuration.serialNumber, visitStart);
  std::reverse(report.records.begin(), report.records.end());  // oldest first
  const std::set<QString> zeroLabels = PhaseZeroLabels(set);
  for (const ServiceRecord& record : report.records) {
    for (const ServiceChange& change : record.changes) {
      if (change.page == PageName(PageKind::Vehicle) && zeroLabels.count(change.parameter)) {
        report.calibrations.push_back({&record, change});
      }
    }
  }
  return report;
}

QString OutcomeForReader(const ServiceRecord& record) {
  switch (record.outcome) {
    case ServiceOutcome::Verified:
      return VisitReportText::tr("verified");
    case ServiceOutcome::AcknowledgedNotVerified:
      return VisitReportText::tr("acknowledged, not verified");
    case ServiceOutcome::Failed: {
      const QString reason =
          QCoreApplication::translate("vor::ServiceHistory", record.reason.toUtf8().constData());
      return reason.isEmpty() ? VisitReportText::tr("failed")
                              : VisitReportText::tr("failed: %1").arg(reason);
    }
    case ServiceOutcome::Unknown:
      break;
  }
  return VisitReportText::tr("unknown");
}

QString VisitReportText::Time(const QDateTime& time) {
  // ISO order and seconds: two writes can fall in one minute, and the order must be plain.
  return time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString VisitReportText::ChangesSummary(const ServiceRecord& record) {
  if (record.changes.empty()) return tr("no value changed");
  QStringList parts;
  for (const ServiceChange& change : record.changes) {
    parts << tr("%1 %2 → %3").arg(ParameterText(change), change.before, change.after);
  }
  return parts.join(QStringLiteral("; "));
}

QString VisitReportText::Details(const ServiceRecord& record) {
  QStringList lines;
  lines << tr("Time: %1").arg(Time(record.time));
  lines << tr("Program: %1 %2").arg(record.program, record.version);
  lines << tr("Operation: %1").arg(record.operation);
  lines << tr("Port: %1").arg(record.port);
  lines << tr("Unit: %1, model %2, voltage class %3, software version %4, serial number %5")
               .arg(record.moduleName, record.modelCode, record.voltageClass,
                    record.softwareVersion, record.serialNumber);
  lines << tr("Result: %1").arg(OutcomeForReader(record));
  lines << tr("Verified: %1").arg(record.Verified() ? tr("yes") : tr("no"));
  lines << tr("Backup made before: %1")
               .arg(record.backup.isEmpty() ? tr("none") : QDir::toNativeSeparators(record.backup));
  lines << tr("Changes:");
  if (record.changes.empty()) lines << QStringLiteral("  ") + tr("no value changed");
  for (const ServiceChange& change : record.changes) {
    lines << QStringLiteral("  ") +
                 tr("%1: %2 → %3").arg(ParameterText(change), change.before, change.after);
  }
  return lines.join(u'\n');
}

QString VisitReportText::Html(const VisitReport& report) {
  const ConfigurationRecord& unit = report.configuration;
  QString html = QStringLiteral("<html><body>");
  html += QStringLiteral("<h1>%1</h1>").arg(Escaped(tr("Service Report")));

  html += Table({tr("Workshop"), tr("Technician"), tr("Date")},
                {Row({report.workshop, report.technician, TimeText(report.made)})});
  html += Paragraph(tr("This report covers the visit from %1 to %2.")
                        .arg(TimeText(report.visitStart), TimeText(report.made)));

  html += Heading(tr("The unit"));
  html += Table({tr("Model"), tr("Module name"), tr("Voltage class"), tr("Software version"),
                 tr("Serial number")},
                {Row({unit.modelCode, report.moduleName, unit.voltageClass, unit.softwareVersion,
                      unit.serialNumber})});

  html += Heading(tr("Changes made in this visit"));
  QStringList changeRows;
  for (const ServiceRecord& record : report.records) {
    const QString outcome = OutcomeForReader(record);
    if (record.changes.empty()) {
      changeRows << Row({TimeText(record.time), tr("no value changed"), {}, {}, outcome});
    }
    for (const ServiceChange& change : record.changes) {
      changeRows << Row(
          {TimeText(record.time), ParameterText(change), change.before, change.after, outcome});
    }
  }
  html += changeRows.isEmpty()
              ? Paragraph(tr("No change was written to the controller in this visit."))
              : Table({tr("Time"), tr("Parameter"), tr("Before"), tr("After"), tr("Result")},
                      changeRows);

  html += Heading(tr("Phase zero calibration"));
  QStringList calibrationRows;
  for (const VisitReport::Calibration& calibration : report.calibrations) {
    calibrationRows << Row({TimeText(calibration.record->time), calibration.change.parameter,
                            calibration.change.before, calibration.change.after,
                            OutcomeForReader(*calibration.record)});
  }
  html += calibrationRows.isEmpty()
              ? Paragraph(tr("No phase zero calibration was made in this visit."))
              : Table({tr("Time"), tr("Phase"), tr("Before"), tr("After"), tr("Result")},
                      calibrationRows);

  html += Heading(tr("Faults seen"));
  if (!report.faults) {
    html +=
        Paragraph(tr("Faults were not watched in this visit: the Fault History of VOR User "
                     "collects them while its Monitor page polls the controller."));
  } else if (report.faults->empty()) {
    html += Paragraph(tr("No fault was seen while the Monitor page polled the controller."));
  } else {
    QStringList faultRows;
    for (const FaultHistory::Entry& entry : *report.faults) {
      faultRows << Row({entry.named ? entry.name : tr("Bit %1").arg(entry.bit),
                        TimeText(entry.firstSeen), TimeText(entry.lastSeen),
                        QString::number(entry.polls)});
    }
    html += Table({tr("Fault"), tr("First seen"), tr("Last seen"), tr("Polls")}, faultRows);
  }

  html += Heading(tr("The configuration as it now stands on the controller"));
  for (const PageKind page : {PageKind::Vehicle, PageKind::Control, PageKind::Motor}) {
    QStringList rows;
    for (const RecordedField& field : unit.fields) {
      if (field.page != page) continue;
      rows << Row(
          {field.label, field.box ? BoxText(field) : field.value.value_or(QString()),
           field.box ? QString() : QStringLiteral("%1~%2").arg(field.rangeL).arg(field.rangeH)});
    }
    if (rows.isEmpty()) continue;
    html += QStringLiteral("<h3>%1</h3>").arg(Escaped(PageTitle(page)));
    html += Table({tr("Parameter"), tr("Value"), tr("Range")}, rows);
  }

  html += QStringLiteral("<p>&nbsp;</p><p>&nbsp;</p>");
  html += Table({tr("Customer's signature"), tr("Date")},
                {QStringLiteral("<tr><td height=\"60\">&nbsp;</td><td>&nbsp;</td></tr>")});
  html += QStringLiteral("</body></html>");
  return html;
}

}  // namespace vor

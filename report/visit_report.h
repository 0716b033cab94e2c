#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

#include "definitions/definition_set.h"
#include "files/configuration_record.h"
#include "files/service_history.h"
#include "link/config_image.h"
#include "live/fault_history.h"

namespace vor {

// The report of one visit, for the customer: who serviced the unit and when, the unit, every
// change made to it in the visit and whether it took, the phase zero calibration, the faults the
// Monitor page saw, and the configuration as it now stands on the controller, page by page.
struct VisitReport {
  QString workshop;
  QString technician;
  QDateTime made;        // when the report was made
  QDateTime visitStart;  // the records of the visit are those from here on
  QString moduleName;
  ConfigurationRecord configuration;  // the unit and its values, as the pages show them
  std::vector<ServiceRecord> records;  // the visit's writes, oldest first
  // A change of a phase zero offset: the record it belongs to and the change.
  struct Calibration {
    const ServiceRecord* record;
    ServiceChange change;
  };
  std::vector<Calibration> calibrations;
  // The Fault History of the visit; nullopt when nothing watched the faults (the Monitor page
  // did not poll, or the report comes from vor-cli).
  std::optional<std::vector<FaultHistory::Entry>> faults;
};

// The report of the visit to the controller that holds `image` (as the pages show it through
// `set`): the records of `history` for its serial number from `visitStart` on.
VisitReport MakeVisitReport(const ConfigImage& image, const DefinitionSet& set,
                            const ServiceHistory& history, const QDateTime& visitStart,
                            const QDateTime& made);

// The outcome of a record as the user reads it, in the user's language.
QString OutcomeForReader(const ServiceRecord& record);

// The texts of the history and the report, in the user's language.
class VisitReportText {
  Q_DECLARE_TR_FUNCTIONS(vor::VisitReport)

public:
  // The report as one HTML document.
  static QString Html(const VisitReport& report);
  // A record's changes on one line: "Vehicle: Low Volt 54 → 50; ..." ("no value changed").
  static QString ChangesSummary(const ServiceRecord& record);
  // Everything a record holds, a line each, the changes one per line.
  static QString Details(const ServiceRecord& record);
  // A moment as the history and the report show it.
  static QString Time(const QDateTime& time);
};

}  // namespace vor

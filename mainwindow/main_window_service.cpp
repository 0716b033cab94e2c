// The main window's service record: the visit, the service history and the visit report.
#include <QDir>
#include <QFileInfo>

#include "files/backup_store.h"
#include "files/definitions_match.h"
#include "files/image_file.h"
#include "files/service_history.h"
#include "live/live_tools.h"
#include "mainwindow/main_window.h"
#include "mainwindow/menu_bar_marks.h"
#include "mainwindow/menu_dialogs.h"
#include "report/report_settings.h"
#include "report/visit_report.h"

namespace vor {

void CVORUserDlg::NoteVisit() {
  const QString serial = BackupSerial(*state_.controllerImage);
  if (serial == visitSerial_ && visitStart_.isValid()) return;
  visitSerial_ = serial;
  visitStart_ = QDateTime::currentDateTime();
}

void CVORUserDlg::ShowServiceHistory() {
  if (!state_.ReadOk || !state_.DefinitionsLoaded || !CommitShownPage()) return;
  // Without a controller the configuration on show names the unit.
  const QString serial = BackupSerial(state_.controllerImage.value_or(state_.image));
  const ServiceHistory history = ReadServiceHistory(ServiceHistoryPath(services_.backupsFolder));
  if (!history.error.isEmpty()) {
    prompter_.AskText(tr("The service history could not be read: %1.").arg(history.error),
                      Buttons::Ok, Icon::Warning);
    return;
  }
  const std::vector<ServiceRecord> records = RecordsOf(history, serial);
  const int chosen = services_.dialogs.ShowServiceHistory(records, serial, history.warnings);
  if (chosen < 0 || chosen >= int(records.size())) return;
  RestoreBackupFile(records[std::size_t(chosen)].backup);
}

void CVORUserDlg::RestoreBackupFile(const QString& path) {
  ConfigImage image;
  QString problem;
  // The same checks as Restore Backup's list makes.
  if (LoadImageFile(path, image, problem)) {
    problem = DefinitionsMismatch(image, *state_.definitions);
  }
  if (!problem.isEmpty()) {
    prompter_.AskText(
        tr("The backup %1 cannot be restored: %2.").arg(QDir::toNativeSeparators(path), problem),
        Buttons::Ok, Icon::Warning);
    return;
  }
  if (ApplyFile(image, path)) restoringBackup_ = true;
}

void CVORUserDlg::MakeServiceReport() {
  if (offline_ || !state_.DefinitionsLoaded || !state_.controllerImage || !CommitShownPage()) {
    return;
  }
  ReportDetails details = LoadReportDetails(services_.settings);
  if (!services_.dialogs.AskReportDetails(details)) return;
  SaveReportDetails(services_.settings, details);

  const ServiceHistory history = ReadServiceHistory(ServiceHistoryPath(services_.backupsFolder));
  const QDateTime now = QDateTime::currentDateTime();
  // The controller's configuration as last read or written, whatever the pages hold unwritten.
  VisitReport report = MakeVisitReport(*state_.controllerImage, *state_.definitions, history,
                                       visitStart_.isValid() ? visitStart_ : now, now);
  report.workshop = details.workshop;
  report.technician = details.technician;
  if (liveTools_ && liveTools_->History().Watched()) {
    // The faults of this visit: those seen since it began.
    std::vector<FaultHistory::Entry> faults;
    for (const FaultHistory::Entry& entry : liveTools_->History().Entries()) {
      if (entry.lastSeen >= report.visitStart) faults.push_back(entry);
    }
    report.faults = faults;
  }
  const QString path = files_.SaveVisitReport(report, details.paper);
  if (path.isEmpty()) return;
  constexpr int kNoticeMs = 10'000;
  marks_->SetFor(MenuBarMarks::Mark::FileWritten,
                 tr("Report saved as %1").arg(QFileInfo(path).fileName()),
                 QDir::toNativeSeparators(path), kNoticeMs);
}

}  // namespace vor

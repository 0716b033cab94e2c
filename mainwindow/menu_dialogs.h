#pragma once

#include <QDateTime>
#include <QString>
#include <vector>

#include "files/apply_rules.h"
#include "files/image_compare.h"
#include "files/service_history.h"
#include "report/report_settings.h"

namespace vor {

// A configuration from a file, to be reviewed before its values go into the pages.
struct ApplyReview {
  QString fileName;    // as the user knows the file
  QString fileSerial;  // the file's serial number, and this controller's, in decimal
  QString unitSerial;
  bool sameUnit = false;
  std::vector<ApplyRow> rows;  // PlanApply's; the review ticks and unticks `checked`
};

// One of this controller's backups, for the user to choose from.
struct BackupChoice {
  QString path;
  QDateTime time;
  int differences = 0;  // the values in which it differs from the pages
  QString problem;      // why it cannot be restored (unreadable, other definitions), or empty
};

// The modal dialogs of the menus other than message boxes: file names, the list of differences,
// reports for reading, and the desktop's file manager. The program shows real dialogs; tests
// answer from a script, so that no test ever waits on a modal window.
class MenuDialogs {
public:
  virtual ~MenuDialogs() = default;

  // The file the user chose to open, starting in `folder`, or an empty string when they
  // cancelled. `filter` is in QFileDialog's form ("Configurations (*.bin)").
  virtual QString OpenFileName(const QString& caption, const QString& filter,
                               const QString& folder) = 0;
  // The file the user chose to save to, starting from `suggestedPath`; empty when cancelled.
  virtual QString SaveFileName(const QString& caption, const QString& filter,
                               const QString& suggestedPath) = 0;
  // The differences between the controller's configuration (first) and the one to be written
  // (second). With `confirm`, asks with OK and Cancel and returns true for OK; otherwise shows
  // them with one button and returns true.
  virtual bool ShowDifferences(const ImageDifferences& differences, bool confirm) = 0;
  // A text to read, with one button.
  virtual void ShowReport(const QString& caption, const QString& text) = 0;
  // Opens `folder` in the desktop's file manager; false when that could not be started.
  virtual bool OpenFolder(const QString& folder) = 0;
  // The review of a configuration to apply: a row per value in which it differs from the pages,
  // each with a check box. True for OK, with `review.rows` checked as the user left them; false
  // when they cancelled.
  virtual bool ReviewApply(ApplyReview& review) = 0;
  // The backup the user chose among `backups` (newest first) of the controller with serial
  // number `serial`: its index, or -1 when they cancelled.
  virtual int ChooseBackup(const std::vector<BackupChoice>& backups, const QString& serial) = 0;
  // The service history of the controller with serial number `serial`: `records` newest first,
  // each shown with all it holds, and `warnings` about lines that could not be read. The index
  // of the record whose backup the user chose to restore, or -1.
  virtual int ShowServiceHistory(const std::vector<ServiceRecord>& records, const QString& serial,
                                 const QStringList& warnings) = 0;
  // Who makes a visit report and on what paper, `details` given as last time. True for OK, with
  // `details` as the user left them; false when they cancelled.
  virtual bool AskReportDetails(ReportDetails& details) = 0;
};

}  // namespace vor

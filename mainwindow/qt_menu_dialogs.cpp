#include "mainwindow/qt_menu_dialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>
#include <QUrl>

#include "mainwindow/backup_dialog.h"
#include "mainwindow/compare_dialog.h"
#include "mainwindow/message_box_prompter.h"
#include "mainwindow/report_details_dialog.h"
#include "mainwindow/review_dialog.h"
#include "mainwindow/service_history_dialog.h"

namespace vor {

QString QtMenuDialogs::OpenFileName(const QString& caption, const QString& filter,
                                    const QString& folder) {
  return QFileDialog::getOpenFileName(parent_(), caption, folder, filter);
}

QString QtMenuDialogs::SaveFileName(const QString& caption, const QString& filter,
                                    const QString& suggestedPath) {
  QString chosenFilter;
  QString path =
      QFileDialog::getSaveFileName(parent_(), caption, suggestedPath, filter, &chosenFilter);
  // A name typed without an extension takes the one of the type chosen ("JSON (*.json)").
  const QRegularExpressionMatch extension =
      QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(chosenFilter);
  if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty() && extension.hasMatch()) {
    path += u'.' + extension.captured(1);
  }
  return path;
}

bool QtMenuDialogs::ShowDifferences(const ImageDifferences& differences, bool confirm) {
  CompareDialog dialog(differences, confirm, parent_());
  return dialog.exec() == QDialog::Accepted || !confirm;
}

void QtMenuDialogs::ShowReport(const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, parent_());
  box.setWindowTitle(caption);  // not followed by the application's name
  box.setTextInteractionFlags(Qt::TextSelectableByMouse);
  box.exec();
}

bool QtMenuDialogs::OpenFolder(const QString& folder) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

bool QtMenuDialogs::ReviewApply(ApplyReview& review) {
  ReviewDialog dialog(review, parent_());
  if (dialog.exec() != QDialog::Accepted) return false;
  review.rows = dialog.Rows();
  return true;
}

int QtMenuDialogs::ChooseBackup(const std::vector<BackupChoice>& backups, const QString& serial) {
  BackupDialog dialog(backups, serial, parent_());
  return dialog.exec() == QDialog::Accepted ? dialog.Chosen() : -1;
}

int QtMenuDialogs::ShowServiceHistory(const std::vector<ServiceRecord>& records,
                                      const QString& serial, const QStringList& warnings) {
  ServiceHistoryDialog dialog(records, serial, warnings, parent_());
  return dialog.exec() == QDialog::Accepted ? dialog.ChosenBackup() : -1;
}

bool QtMenuDialogs::AskReportDetails(ReportDetails& details) {
  ReportDetailsDialog dialog(details, parent_());
  if (dialog.exec() != QDialog::Accepted) return false;
  details = dialog.Details();
  return true;
}

}  // namespace vor

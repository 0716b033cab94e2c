#pragma once

#include <functional>

#include "mainwindow/menu_dialogs.h"

class QWidget;

namespace vor {

// The menus' dialogs as the desktop shows them, over the window that `parent` returns.
class QtMenuDialogs : public MenuDialogs {
public:
  explicit QtMenuDialogs(std::function<QWidget*()> parent) : parent_(std::move(parent)) {}

  QString OpenFileName(const QString& caption, const QString& filter,
                       const QString& folder) override;
  QString SaveFileName(const QString& caption, const QString& filter,
                       const QString& suggestedPath) override;
  bool ShowDifferences(const ImageDifferences& differences, bool confirm) override;
  void ShowReport(const QString& caption, const QString& text) override;
  bool OpenFolder(const QString& folder) override;
  bool ReviewApply(ApplyReview& review) override;
  int ChooseBackup(const std::vector<BackupChoice>& backups, const QString& serial) override;
  int ShowServiceHistory(const std::vector<ServiceRecord>& records, const QString& serial,
                         const QStringList& warnings) override;
  bool AskReportDetails(ReportDetails& details) override;

private:
  std::function<QWidget*()> parent_;
};

}  // namespace vor

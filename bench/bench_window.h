#pragma once

// What the benchmarks hand the main window besides the link: no dialogs, and settings and
// backups in a folder of the run's own.
#include <QSettings>
#include <QTemporaryDir>

#include "link/serial_port.h"
#include "mainwindow/menu_dialogs.h"
#include "mainwindow/window_services.h"

// The menus' dialogs, which the benchmarks do not show: a file to save to is `saveTo`, or none.
class NoDialogs : public vor::MenuDialogs {
public:
  QString OpenFileName(const QString&, const QString&, const QString&) override { return {}; }
  QString SaveFileName(const QString&, const QString&, const QString&) override { return saveTo; }
  bool ShowDifferences(const vor::ImageDifferences&, bool) override { return true; }
  void ShowReport(const QString&, const QString&) override {}
  bool OpenFolder(const QString&) override { return false; }
  bool ReviewApply(vor::ApplyReview&) override { return false; }
  int ChooseBackup(const std::vector<vor::BackupChoice>&, const QString&) override { return -1; }
  int ShowServiceHistory(const std::vector<vor::ServiceRecord>&, const QString&,
                         const QStringList&) override {
    return -1;
  }
  bool AskReportDetails(vor::ReportDetails&) override { return false; }

  QString saveTo;
};

struct BenchServices {
  explicit BenchServices(vor::PortSystem& ports)
      : services{dialogs, settings, scratch.filePath("backups"), ports, {}} {}

  QTemporaryDir scratch;
  QSettings settings{scratch.filePath("settings.ini"), QSettings::IniFormat};
  NoDialogs dialogs;
  vor::WindowServices services;
};

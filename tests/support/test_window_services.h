#pragma once

// What the main window's menus use, for tests: dialogs that answer from a script, settings and
// backups in a temporary folder, and no serial ports.
#include <QSettings>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <vector>

#include "link/serial_port.h"
#include "mainwindow/menu_dialogs.h"
#include "mainwindow/window_services.h"

namespace vor::test {

// Answers the menus' dialogs from queues and records what they showed. With a queue empty a file
// dialog is cancelled and a confirmation answered OK.
class ScriptedMenuDialogs : public MenuDialogs {
public:
  struct Report {
    QString caption;
    QString text;
  };

  QString OpenFileName(const QString& caption, const QString&, const QString&) override {
    return Next(caption);
  }
  QString SaveFileName(const QString& caption, const QString&, const QString& suggested) override {
    suggestedPaths.push_back(suggested);
    return Next(caption);
  }
  bool ShowDifferences(const ImageDifferences& differences, bool confirm) override {
    shownDifferences.push_back(differences);
    confirmations.push_back(confirm);
    if (onShowDifferences) onShowDifferences();
    if (!confirm || confirmAnswers.empty()) return true;
    const bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
  }
  void ShowReport(const QString& caption, const QString& text) override {
    reports.push_back({caption, text});
  }
  bool OpenFolder(const QString& folder) override {
    openedFolders.push_back(folder);
    return true;
  }
  // OK as the rules ticked the rows, unless `onReview` changes them or a queued answer cancels.
  bool ReviewApply(ApplyReview& review) override {
    if (onReview) onReview(review);
    reviews.push_back(review);
    if (reviewAnswers.empty()) return true;
    const bool answer = reviewAnswers.front();
    reviewAnswers.pop_front();
    return answer;
  }
  // The queued index, or cancelled.
  int ChooseBackup(const std::vector<BackupChoice>& backups, const QString&) override {
    backupLists.push_back(backups);
    if (backupAnswers.empty()) return -1;
    const int answer = backupAnswers.front();
    backupAnswers.pop_front();
    return answer;
  }

  // Records the history shown; the queued record's backup, or none.
  int ShowServiceHistory(const std::vector<ServiceRecord>& records, const QString&,
                         const QStringList& warnings) override {
    histories.push_back(records);
    historyWarnings.push_back(warnings);
    if (historyAnswers.empty()) return -1;
    const int answer = historyAnswers.front();
    historyAnswers.pop_front();
    return answer;
  }
  // The details as given, changed by `onReportDetails`; cancelled when `reportDetailsCancel`.
  bool AskReportDetails(ReportDetails& details) override {
    if (onReportDetails) onReportDetails(details);
    askedReportDetails.push_back(details);
    return !reportDetailsCancel;
  }

  std::deque<QString> fileNames;  // the names the file dialogs give, in order
  std::deque<bool> confirmAnswers;
  std::function<void()> onShowDifferences;  // runs while the list is on show
  std::vector<QString> fileCaptions;
  std::vector<QString> suggestedPaths;
  std::vector<ImageDifferences> shownDifferences;
  std::vector<bool> confirmations;
  std::vector<Report> reports;
  std::vector<QString> openedFolders;
  std::function<void(ApplyReview&)> onReview;  // runs while the review is on show
  std::deque<bool> reviewAnswers;
  std::vector<ApplyReview> reviews;
  std::deque<int> backupAnswers;
  std::vector<std::vector<BackupChoice>> backupLists;
  std::deque<int> historyAnswers;
  std::vector<std::vector<ServiceRecord>> histories;
  std::vector<QStringList> historyWarnings;
  std::function<void(ReportDetails&)> onReportDetails;
  bool reportDetailsCancel = false;
  std::vector<ReportDetails> askedReportDetails;

private:
  QString Next(const QString& caption) {
    fileCaptions.push_back(caption);
    if (fileNames.empty()) return {};
    const QString name = fileNames.front();
    fileNames.pop_front();
    return name;
  }
};

// A machine without serial ports.
class NoPorts : public PortSystem {
public:
  QStringList AvailablePorts() override { return {}; }
  std::unique_ptr<SerialPort> Open(const QString&, OpenStatus& status) override {
    status = OpenStatus::Missing;
    return nullptr;
  }
};

struct TestWindowServices {
  QString BackupsFolder() const { return dir.filePath("backups"); }

  QTemporaryDir dir;
  QSettings settings{dir.filePath("settings.ini"), QSettings::IniFormat};
  ScriptedMenuDialogs dialogs;
  NoPorts ports;
  WindowServices services{dialogs, settings, BackupsFolder(), ports, {}};
};

}  // namespace vor::test

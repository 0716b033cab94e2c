#pragma once

#include <QDialog>
#include <QStringList>
#include <vector>

#include "files/service_history.h"

class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace vor {

// File > Service History: the records of this controller, newest first, with what each changed
// and what came of it; the record chosen shows all it holds below. A record's backup (the
// configuration the controller held before that write) can be restored from here: its review
// follows, as for File > Restore Backup.
class ServiceHistoryDialog : public QDialog {
  Q_OBJECT
public:
  // `warnings` are the history's lines that could not be read.
  ServiceHistoryDialog(const std::vector<ServiceRecord>& records, const QString& serial,
                       const QStringList& warnings, QWidget* parent = nullptr);

  // The record whose backup the user chose to restore, or -1.
  int ChosenBackup() const { return chosenBackup_; }
  QTreeWidget* List() const { return list_; }
  QPlainTextEdit* Details() const { return details_; }
  QPushButton* RestoreButton() const { return restore_; }

private:
  int Current() const;

  const std::vector<ServiceRecord>& records_;
  QTreeWidget* list_;
  QPlainTextEdit* details_;
  QPushButton* restore_;
  int chosenBackup_ = -1;
};

}  // namespace vor

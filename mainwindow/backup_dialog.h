#pragma once

#include <QDialog>
#include <vector>

#include "mainwindow/menu_dialogs.h"

class QTreeWidget;

namespace vor {

// File > Restore Backup: this controller's backups, newest first, each with the date and time it
// was taken and the number of values in which it differs from the pages. A backup that cannot be
// restored says why and cannot be chosen. OK (or a double click) chooses the current one, whose
// review follows.
class BackupDialog : public QDialog {
  Q_OBJECT
public:
  BackupDialog(const std::vector<BackupChoice>& backups, const QString& serial,
               QWidget* parent = nullptr);

  // The index of the chosen backup, or -1.
  int Chosen() const;
  QTreeWidget* List() const { return list_; }

private:
  QTreeWidget* list_;
};

}  // namespace vor

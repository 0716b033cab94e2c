#pragma once

#include <QCoreApplication>

#include "files/backup_store.h"
#include "link/link_access.h"
#include "mainwindow/write_options.h"
#include "pages/program_state.h"
#include "resources/prompter.h"

namespace vor {

class MenuDialogs;

// What guards a Write beyond its button's flow: the list of changes to confirm (Confirm Writes),
// the backup of the controller's configuration before anything is sent, and the read-back after
// the commit (Verify After Write).
class WriteGuard {
  Q_DECLARE_TR_FUNCTIONS(vor::WriteGuard)

public:
  WriteGuard(ProgramState& state, LinkAccess& link, Prompter& prompter, MenuDialogs& dialogs,
             const QString& backupsFolder)
      : state_(state),
        link_(link),
        prompter_(prompter),
        dialogs_(dialogs),
        backups_(backupsFolder) {}

  // Before the Write sends anything: with Confirm Writes the changes and OK/Cancel, then the
  // backup of the configuration the controller holds. When the backup cannot be saved the user
  // is asked whether to write anyway, No being the default. False when the Write is not to go
  // ahead: nothing has been sent.
  bool BeforeWrite(const WriteOptions& options);

  // After a Write whose every exchange was answered: remembers what the controller now holds
  // and, with Verify After Write, reads it back. Not taken when the read-back differs from what
  // was written (the problem names the fields that did not take) or cannot be had. The caller
  // tells the user, after it has shown the Write's outcome.
  struct WriteCheck {
    bool taken = true;
    QString problem;
  };
  WriteCheck AfterWrite(const WriteOptions& options);

  const BackupStore& Backups() const { return backups_; }

private:
  bool SaveBackup();

  ProgramState& state_;
  LinkAccess& link_;
  Prompter& prompter_;
  MenuDialogs& dialogs_;
  BackupStore backups_;
};

}  // namespace vor

#pragma once

#include <QCoreApplication>
#include <optional>

#include "files/backup_store.h"
#include "link/config_transfer.h"
#include "link/link_access.h"
#include "mainwindow/write_options.h"
#include "pages/program_state.h"
#include "resources/prompter.h"

namespace vor {

class MenuDialogs;

// What guards a Write beyond its button's flow: the list of changes to confirm (Confirm Writes),
// the backup of the controller's configuration before anything is sent, the read-back after the
// commit (Verify After Write), and the service history's record of the write.
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

  // Once a Write that sent something has ended as `status` (after AfterWrite when it was
  // called): appends to the service history beside the backups folder the record of the write
  // of the pages' image as `operation` over what the controller held before, with the backup
  // and what the read-back found. Empty, or the sentence to tell the user when the record could
  // not be appended; the write is not affected by that.
  QString RecordWrite(const QString& operation, const QString& port, WriteStatus status);

  const BackupStore& Backups() const { return backups_; }

private:
  bool SaveBackup();

  ProgramState& state_;
  LinkAccess& link_;
  Prompter& prompter_;
  MenuDialogs& dialogs_;
  BackupStore backups_;
  // Of the Write under way: what the controller held before it, the backup made of that, and
  // whether the read-back found what was written (nullopt: not read back, or it failed).
  std::optional<ConfigImage> before_;
  QString backup_;
  std::optional<bool> readBackMatches_;
};

}  // namespace vor

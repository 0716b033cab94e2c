#include "cli/controller_update.h"

#include <memory>

#include "cli/image_commands.h"
#include "cli/link_session.h"
#include "definitions/definition_loader.h"
#include "files/backup_store.h"

namespace vor::cli {

UpdateResult UpdateController(LinkSession& session, const UpdateOptions& options,
                              const UpdatePlan& plan) {
  if (!session.Connect()) return UpdateResult::Failed;
  ConfigImage current;
  if (!session.Read(current)) return UpdateResult::Failed;
  auto set = std::make_unique<DefinitionSet>();
  if (!LoadDefinitions(current, *set, session.Prompts())) return UpdateResult::Failed;
  ConfigImage wanted = current;
  if (!plan(current, *set, wanted)) return UpdateResult::Refused;
  if (wanted.bytes == current.bytes) return UpdateResult::Unchanged;
  if (options.dryRun) return UpdateResult::DryRun;
  if (!BackUpBeforeWriting(current, options.writeAnyway)) return UpdateResult::Refused;
  if (!session.Write(wanted)) return UpdateResult::Failed;
  return VerifyReadBack(session, wanted) ? UpdateResult::Written : UpdateResult::Failed;
}

bool BackUpBeforeWriting(const ConfigImage& current, bool writeAnyway) {
  return BackUpBeforeWrite(BackupStore(BackupsFolder()), current, [&](const QString& error) {
    const QString why =
        QStringLiteral("the controller's configuration could not be backed up before writing: %1")
            .arg(error);
    PrintError(writeAnyway
                   ? why + QStringLiteral("; writing anyway, as --write-anyway asks")
                   : why + QStringLiteral("; nothing was written (--write-anyway writes without "
                                          "a backup)"));
    return writeAnyway;
  });
}

int UpdateExitCode(UpdateResult result, const QString& unchangedText) {
  switch (result) {
    case UpdateResult::Written:
      return kExitOk;
    case UpdateResult::Unchanged:
      PrintError(unchangedText + QStringLiteral("; nothing was written"));
      return kExitOk;
    case UpdateResult::DryRun:
      PrintError(QStringLiteral("dry run; nothing was written"));
      return kExitOk;
    case UpdateResult::Refused:
    case UpdateResult::Failed:
      break;
  }
  return kExitFailure;
}

}  // namespace vor::cli

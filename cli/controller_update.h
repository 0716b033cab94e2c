#pragma once

#include <QString>
#include <functional>

#include "definitions/definition_set.h"
#include "link/config_image.h"

namespace vor::cli {

class LinkSession;

enum class UpdateResult {
  Written,    // written, read back and verified
  Unchanged,  // the controller holds the wanted image already; nothing was written
  DryRun,     // the wanted image differs; nothing was written, as asked
  Refused,    // the plan refused, or the backup could not be saved; nothing was written
  Failed,     // no controller, a read or the write failed, or the read-back differs
};

// Makes the wanted image from the controller's `current` one and its definitions: starts from
// `wanted` == `current` and changes it. Returns false to refuse, after saying why on stderr.
using UpdatePlan =
    std::function<bool(const ConfigImage& current, const DefinitionSet& set, ConfigImage& wanted)>;

struct UpdateOptions {
  bool dryRun = false;       // plan and tell, write nothing
  bool writeAnyway = false;  // write even when the backup cannot be saved
};

// The read-change-write-verify of the commands that change the controller's configuration
// (set, zero --update, apply): connects, reads the image and loads its definitions, lets `plan`
// make the wanted image, and unless it is unchanged or a dry run, backs up the image read
// (BackUpBeforeWriting) and writes the wanted one; then reads it back and verifies it. Failures
// are told on stderr (the messages of the Read and the Write, and every byte the read-back
// disagrees on).
UpdateResult UpdateController(LinkSession& session, const UpdateOptions& options,
                              const UpdatePlan& plan);

// Before a command writes the controller: saves `current`, what it holds now, into the backups
// folder that the desktop program's Restore Backup lists (files/backup_store.h). When that cannot
// be done, the write goes ahead only with `writeAnyway` (the desktop program's "Write anyway?",
// answered on the command line); stderr says why either way. True when the write may go ahead.
bool BackUpBeforeWriting(const ConfigImage& current, bool writeAnyway);

// The exit code of such a command, once it has printed its changes: 0 when written, unchanged
// (saying `unchangedText` on stderr) or a dry run (saying so); 1 when refused or failed.
int UpdateExitCode(UpdateResult result, const QString& unchangedText);

}  // namespace vor::cli

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
  Refused,    // the plan refused; nothing was written
  Failed,     // no controller, a read or the write failed, or the read-back differs
};

// Makes the wanted image from the controller's `current` one and its definitions: starts from
// `wanted` == `current` and changes it. Returns false to refuse, after saying why on stderr.
using UpdatePlan =
    std::function<bool(const ConfigImage& current, const DefinitionSet& set, ConfigImage& wanted)>;

// The read-change-write-verify of the commands that change the controller's configuration
// (set, zero --update, apply): connects, reads the image and loads its definitions, lets `plan`
// make the wanted image, and writes it unless it is unchanged or `dryRun`; then reads it back
// and verifies it. Failures are told on stderr (the messages of the Read and the Write, and
// every byte the read-back disagrees on).
UpdateResult UpdateController(LinkSession& session, bool dryRun, const UpdatePlan& plan);

// The exit code of such a command, once it has printed its changes: 0 when written, unchanged
// (saying `unchangedText` on stderr) or a dry run (saying so); 1 when refused or failed.
int UpdateExitCode(UpdateResult result, const QString& unchangedText);

}  // namespace vor::cli

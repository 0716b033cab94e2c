#pragma once

#include <QString>

#include "definitions/definition_set.h"
#include "link/config_image.h"

namespace vor::cli {

class LinkSession;

enum class RecordedWrite {
  Written,  // written, read back and verified
  Refused,  // the backup could not be saved and the write was not to go on without: nothing sent
  Failed,   // the write failed, or the read-back differs or could not be had
};

// The write of every command that changes the controller's configuration: backs up `current`,
// what the controller holds now (BackUpBeforeWriting), writes `wanted`, reads it back to verify
// it, and then appends to the service history the record of what was done and what came of it,
// failures included. `operation` names the command ("set", "write --in", ...); `set` labels the
// changed values as the pages show them, or is nullptr where the definitions are not loaded (the
// record then names bytes). A record that cannot be appended is told on stderr and changes
// nothing else: the write has been done by then.
RecordedWrite WriteAndRecord(LinkSession& session, const QString& operation,
                             const ConfigImage& current, const ConfigImage& wanted,
                             const DefinitionSet* set, bool writeAnyway);

}  // namespace vor::cli

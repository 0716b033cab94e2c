#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "cli/controller_update.h"

namespace vor::cli {

class LinkSession;

// One NAME=VALUE of the command line.
struct Assignment {
  QString name;
  QString value;
};

// Splits `text` at its first '='. nullopt when it has none or the name before it is empty.
std::optional<Assignment> ParseAssignment(const QString& text);

// Reads the controller and applies the assignments in order, each to the field or check box of
// the Vehicle, Control or Motor page whose label is its name (trailing blanks of the label
// ignored), by the entry rules of the pages: the field's encoding and, for an editable field,
// its range; a box takes 0 or 1 and follows the Vehicle page's rules, judged on the image as the
// earlier assignments left it (Boost and Economy of the special version need Brake Type 0; one of
// an exclusive pair set to 1 clears the other).
//
// On the first refusal (an unknown or ambiguous name, a read-only field or disabled box, a field
// without a value form, an entry out of range: the range message, both boxes of an exclusive
// pair set to 1) it exits 1 with the refusal on stderr and writes nothing. Otherwise it writes the
// image, reads it back and verifies it, and prints one line "NAME: OLD -> NEW" per changed field,
// OLD and NEW as the page shows them. With `dryRun` it prints those lines and writes nothing.
// The controller's configuration is backed up before the write (BackUpBeforeWriting).
int SetCommand(LinkSession& session, const std::vector<Assignment>& assignments,
               const UpdateOptions& options);

}  // namespace vor::cli

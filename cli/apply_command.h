#pragma once

#include <QString>

#include "cli/controller_update.h"

namespace vor::cli {

class LinkSession;

// Applies the configuration file `path` to the controller's, by the rules the desktop program's
// review of a file uses by default (files/apply_rules.h): a file of this controller (its serial
// number) brings everything; a file of another one brings the switches and parameters of the
// Vehicle, Control and Motor pages, while this controller's identification, serial number,
// phase zero offsets and every byte no page shows are kept. Reads the controller, changes,
// writes, reads back and verifies; prints "NAME: OLD -> NEW" per change (as the pages show the
// values) and names on stderr each difference it kept. With `dryRun` it prints and writes
// nothing; with `json` it prints one JSON object instead.
//
// Refuses, with exit 1 and nothing written, a file that is not 128 bytes or whose image needs
// other definitions than the controller's (another model, software version, special version or
// voltage class).
int ApplyCommand(LinkSession& session, const QString& path, const UpdateOptions& options,
                 bool json);

}  // namespace vor::cli

#pragma once

class QSettings;

namespace vor {

// The options under Controller > Options, kept across runs. Verify After Write is on unless the
// user turned it off, so that a Write is reported as a success only when the controller is known
// to hold what was written; Confirm Writes is off unless turned on.
struct WriteOptions {
  bool confirmWrites = false;    // list the changes with OK and Cancel before a Write sends
  bool verifyAfterWrite = true;  // read the configuration back after a Write and compare
};

// The options as stored, each one the user never chose taking its default.
WriteOptions LoadWriteOptions(QSettings& settings);
// Stores the options. An option is stored once it differs from its default, and from then on,
// so that only a user's choice is kept and a later default reaches everyone else.
void SaveWriteOptions(QSettings& settings, const WriteOptions& options);

}  // namespace vor

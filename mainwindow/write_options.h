#pragma once

class QSettings;

namespace vor {

// The options under Controller > Options, kept across runs. Both are off unless the user turned
// them on, so that Write does by default exactly what its button always did.
struct WriteOptions {
  bool confirmWrites = false;     // list the changes with OK and Cancel before a Write sends
  bool verifyAfterWrite = false;  // read the configuration back after a Write and compare
};

WriteOptions LoadWriteOptions(QSettings& settings);
void SaveWriteOptions(QSettings& settings, const WriteOptions& options);

}  // namespace vor

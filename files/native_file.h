#pragma once

#include <QFile>
#include <QString>
#include <filesystem>

namespace vor {

// Opens the regular file `path` (its system name, NativePath) for reading into `file`. Opening
// waits on nothing: a named pipe swapped in after the name was looked at is refused rather than
// waited on, as is anything else that is not a regular file once open. False with `reason` set
// (NotAFileText's words, or the system's) otherwise.
bool OpenRegularFile(const std::filesystem::path& path, QFile& file, QString& reason);

}  // namespace vor

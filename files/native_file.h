#pragma once

#include <QFile>
#include <QString>
#include <filesystem>

namespace vor {

// The system's own calls beneath reading and saving a file, by its system name (NativePath).
// Each returns false with `reason` set (the system's words, without the path) when it fails.

// Opens the regular file `path` for reading into `file`. Opening waits on nothing: a named pipe
// swapped in at the last moment is refused rather than waited on, as is anything else that is
// not a regular file once open.
bool OpenRegularFile(const std::filesystem::path& path, QFile& file, QString& reason);

// Creates `path`, which must not exist yet, and opens it in `file` for writing without a buffer.
bool CreateNewFile(const std::filesystem::path& path, QFile& file, QString& reason);

// Puts the closed file `from` in place of `to` (replacing a file there) in one step, and makes
// the new name last where the system can: after a power cut `to` is the old file or the new one.
// False when the rename failed (`to` is then as it was); also false, with `to` already the new
// file, when the rename could not be made to last.
bool ReplaceFile(const std::filesystem::path& from, const std::filesystem::path& to,
                 QString& reason);

}  // namespace vor

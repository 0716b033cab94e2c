#pragma once

#include <QString>
#include <filesystem>

namespace vor {

// What a path is when it is no file to read or to save over, as the end of a sentence ("cannot
// read PATH: it is a named pipe, not a file"). Empty for a regular file.
QString NotAFileText(std::filesystem::file_type type);

// Why `path` (a name as NativePath takes it, followed through symbolic links) is no file to read
// or to save over: a folder, a device, a named pipe, a socket (NotAFileText), or symbolic links
// that lead round in a loop. Empty when it is a regular file, when nothing is there, or when
// nothing can be learnt of it (no permission to look, say): the read or the save itself then fails
// with the system's reason. Looks without opening, so that nothing is done to a device.
QString NotAFileProblem(const QString& path);

}  // namespace vor

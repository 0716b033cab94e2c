#pragma once

#include <QByteArrayView>
#include <QFile>
#include <QFileDevice>
#include <QString>

namespace vor {

// Every file the programs write goes through this module, so that a save is reported as done
// only when its bytes are on disk, and so that a save never replaces nor writes into something
// that is not a file. Names are taken as NativePath takes them, so a name that is not UTF-8 is
// saved under its own bytes. The reasons returned are what went wrong, without the path, for the
// caller's own sentence ("cannot write PATH: REASON").

// Why nothing may be saved at `path`, or an empty string when it may: a path may be saved to
// when nothing exists there yet or when it is a regular file (also through symbolic links).
// A folder, a device, a named pipe, a socket or a loop of symbolic links is refused and left as
// it is.
QString SaveTargetProblem(const QString& path);

// Saves `bytes` as the whole content of `path`: written beside it under a temporary name,
// synced to disk and its size checked, then renamed over `path` and the folder synced. A
// symbolic link stays and the file it leads to is replaced. True only when all of that
// succeeded. Otherwise false with `reason` set; `path` is then as it was before (absent, or with
// its old content) and no temporary file is left behind, except when only the folder's sync
// failed: the new content is then in place, but may not outlast a power cut.
bool SaveFile(const QString& path, QByteArrayView bytes, QString& reason);

// Writes all of `bytes` to `file`, open for writing without a buffer, retrying a short write.
// False with `reason` set when the system did not take them all; how much of them went into the
// file is then unknown to the caller.
bool WriteWhole(QFileDevice& file, QByteArrayView bytes, QString& reason);

// Opens `path` for reading into `file`, only when it is a regular file: anything else (a named
// pipe that would wait for a writer for ever, a device such as /dev/zero that never ends, a
// folder) is refused without waiting on it. False with `reason` set (NotAFileText's words, or the
// system's) otherwise.
bool OpenForReading(const QString& path, QFile& file, QString& reason);

}  // namespace vor

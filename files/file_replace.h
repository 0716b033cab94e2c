#pragma once

#include <QByteArrayView>
#include <QFileDevice>
#include <QString>

namespace vor {

// The system's part of saving a file (file_save.h).

// Why `path` names a device by the system's own naming rules, beyond what the file system tells
// of an existing path (Windows' reserved names such as NUL or COM1, in any folder and with any
// extension, and "\\.\" paths); empty when it does not.
QString DeviceNameProblem(const QString& path);

// Puts `bytes` in place of `path` (or as a new file there; a name as NativePath takes it): written
// beside it under a temporary name, made durable on disk and its size checked, then moved over
// `path` in one step, which is made durable too. A symbolic link stays a link, and the file it
// leads to is replaced. False with `reason` set when any of that failed; `path` is then as it
// was, and no temporary file is left; except that when only making the move durable failed (the
// folder's sync on POSIX systems), the new content is in place.
bool WriteBesideAndReplace(const QString& path, QByteArrayView bytes, QString& reason);

// Makes what has been written to the open `file` durable on disk before it returns. False with
// `reason` set when the system reports that it could not (a full disk that only says so now, an
// I/O error).
bool SyncOpenFile(QFileDevice& file, QString& reason);

}  // namespace vor

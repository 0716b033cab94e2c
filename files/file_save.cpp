#include "files/file_save.h"

#include <QCoreApplication>

#include "files/file_kind.h"
#include "files/file_replace.h"
#include "files/native_file.h"
#include "files/native_path.h"

namespace vor {
namespace {

struct FileSave {
  Q_DECLARE_TR_FUNCTIONS(vor::FileSave)
};

// What `path` is when it is no file: a device by the system's own naming rules, or whatever the
// file system says it is.
QString NotAFile(const QString& path) {
  if (QString problem = DeviceNameProblem(path); !problem.isEmpty()) return problem;
  return NotAFileProblem(path);
}

}  // namespace

QString SaveTargetProblem(const QString& path) { return NotAFile(path); }

bool SaveFile(const QString& path, QByteArrayView bytes, QString& reason) {
  reason = SaveTargetProblem(path);
  if (!reason.isEmpty()) return false;
  return WriteBesideAndReplace(path, bytes, reason);
}

bool WriteWhole(QFileDevice& file, QByteArrayView bytes, QString& reason) {
  qint64 written = 0;
  while (written < bytes.size()) {
    const qint64 n = file.write(bytes.data() + written, bytes.size() - written);
    if (n <= 0) break;
    written += n;
  }
  if (file.error() != QFileDevice::NoError) {
    reason = file.errorString();
    return false;
  }
  if (written != bytes.size()) {
    reason = FileSave::tr("only %1 of %2 bytes could be written").arg(written).arg(bytes.size());
    return false;
  }
  return true;
}

bool OpenForReading(const QString& path, QFile& file, QString& reason) {
  // Looked at before it is opened: opening a device can already do something to it.
  reason = NotAFile(path);
  if (!reason.isEmpty()) return false;
  return OpenRegularFile(NativePath(path), file, reason);
}

}  // namespace vor

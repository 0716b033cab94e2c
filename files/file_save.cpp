#include "files/file_save.h"

#include <QCoreApplication>
#include <filesystem>
#include <system_error>

#include "files/file_replace.h"

namespace vor {
namespace {

struct FileSave {
  Q_DECLARE_TR_FUNCTIONS(vor::FileSave)
};

}  // namespace

QString SaveTargetProblem(const QString& path) {
  if (QString problem = DeviceNameProblem(path); !problem.isEmpty()) return problem;
  namespace fs = std::filesystem;
  std::error_code error;
  // Follows symbolic links: a link to a device is a device here.
  switch (fs::status(fs::path(path.toStdU16String()), error).type()) {
    case fs::file_type::directory:
      return FileSave::tr("it is a folder");
    case fs::file_type::character:
    case fs::file_type::block:
      return FileSave::tr("it is a device, not a file");
    case fs::file_type::fifo:
      return FileSave::tr("it is a named pipe, not a file");
    case fs::file_type::socket:
      return FileSave::tr("it is a socket, not a file");
    case fs::file_type::regular:
    case fs::file_type::not_found:
      return {};
    default:
      // Nothing could be learnt about the path (no permission to look, say): the save itself
      // then fails with the system's reason.
      return error ? QString() : FileSave::tr("it is not a regular file");
  }
}

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

}  // namespace vor

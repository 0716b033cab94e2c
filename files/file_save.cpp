#include "files/file_save.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <filesystem>
#include <system_error>

#include "files/disk_sync.h"
#include "files/file_kind.h"
#include "files/native_file.h"
#include "files/native_path.h"

namespace vor {
namespace {

namespace fs = std::filesystem;

struct FileSave {
  Q_DECLARE_TR_FUNCTIONS(vor::FileSave)
};

// The file a save replaces: `path`, or where its symbolic links lead. Loops have been refused
// before; the limit only keeps a link changed meanwhile from holding the save.
fs::path FinalTarget(fs::path path) {
  constexpr int kMaxLinks = 40;  // as Linux follows them
  for (int followed = 0; followed < kMaxLinks; ++followed) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(path, error))) break;
    const fs::path target = fs::read_symlink(path, error);
    if (error) break;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return path;
}

// A name beside `target` that nothing has: the target's own name and a random suffix.
fs::path TemporaryBeside(const fs::path& target) {
  fs::path temporary = target;
  temporary += "." + QString::number(QRandomGenerator::global()->generate64(), 36).toStdString();
  return temporary;
}

}  // namespace

QString SaveTargetProblem(const QString& path) { return NotAFileProblem(path); }

bool SaveFile(const QString& path, QByteArrayView bytes, QString& reason) {
  reason = SaveTargetProblem(path);
  if (!reason.isEmpty()) return false;
  // A link stays a link: the file it leads to gets the new content.
  const fs::path target = FinalTarget(NativePath(path));
  const fs::path temporary = TemporaryBeside(target);
  QFile file;
  if (!CreateNewFile(temporary, file, reason)) return false;
  auto removeTemporary = qScopeGuard([&] {
    file.close();
    std::error_code ignored;
    fs::remove(temporary, ignored);
  });
  // Unbuffered, so that a write the disk cannot take fails here with the system's reason.
  if (!WriteWhole(file, bytes, reason)) return false;
  if (!SyncToDisk(file.handle(), reason)) return false;
  // What the system holds for the file, after the sync: the last word before the rename.
  if (file.size() != bytes.size()) {
    reason = FileSave::tr("the disk holds %1 of its %2 bytes").arg(file.size()).arg(bytes.size());
    return false;
  }
  file.close();
  // The file replaced keeps its permissions; a new one has the user's defaults.
  std::error_code error;
  if (const fs::file_status old = fs::status(target, error); fs::exists(old)) {
    fs::permissions(temporary, old.permissions(), error);
  }
  // After a failed rename the guard removes the temporary file; after a failed sync of the
  // folder there is none left to remove.
  if (!ReplaceFile(temporary, target, reason)) return false;
  removeTemporary.dismiss();
  return true;
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
  reason = NotAFileProblem(path);
  if (!reason.isEmpty()) return false;
  return OpenRegularFile(NativePath(path), file, reason);
}

}  // namespace vor

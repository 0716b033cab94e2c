// Windows: a temporary file beside the target written with WriteFile, FlushFileBuffers, and
// MoveFileEx over the target (a plain rename fails when the target exists), written through.
#include <io.h>
#include <windows.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringList>

#include "files/file_replace.h"

namespace vor {
namespace {

const wchar_t* Native(const QString& path) {
  return reinterpret_cast<const wchar_t*>(path.utf16());
}

QString SystemReason() { return qt_error_string(static_cast<int>(GetLastError())); }

bool IsReservedName(QString name) {
  // "nul.txt" and "NUL .csv" are the device too: the name before the first dot, less trailing
  // spaces, is what counts.
  name = name.section(u'.', 0, 0);
  while (name.endsWith(u' ')) name.chop(1);
  name = name.toUpper();
  static const QStringList fixed = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  if (fixed.contains(name)) return true;
  if (name.size() == 4 && (name.startsWith(u"COM") || name.startsWith(u"LPT"))) {
    const QChar digit = name[3];
    return (digit >= u'1' && digit <= u'9') || digit == u'\u00B9' || digit == u'\u00B2' ||
           digit == u'\u00B3';
  }
  return false;
}

// Writes `bytes` into the new file `temporary` and makes them durable on disk.
bool WriteTemporary(HANDLE file, QByteArrayView bytes, QString& reason) {
  qsizetype written = 0;
  while (written < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<qsizetype>(bytes.size() - written, 1 << 20));
    DWORD done = 0;
    if (!WriteFile(file, bytes.data() + written, chunk, &done, nullptr)) {
      reason = SystemReason();
      return false;
    }
    if (done == 0) break;
    written += done;
  }
  if (written != bytes.size()) {
    reason = QCoreApplication::translate("vor::FileSave", "only %1 of %2 bytes could be written")
                 .arg(written)
                 .arg(bytes.size());
    return false;
  }
  if (!FlushFileBuffers(file)) {
    reason = SystemReason();
    return false;
  }
  // What the system holds for the file, after the flush: the last word before the move.
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size)) {
    reason = SystemReason();
    return false;
  }
  if (size.QuadPart != bytes.size()) {
    reason = QCoreApplication::translate("vor::FileSave", "the disk holds %1 of its %2 bytes")
                 .arg(size.QuadPart)
                 .arg(bytes.size());
    return false;
  }
  return true;
}

}  // namespace

QString DeviceNameProblem(const QString& path) {
  const QString native = QDir::toNativeSeparators(path);
  // Paths under \\.\ are the system's device namespace: \\.\COM7, \\.\pipe\name.
  if (native.startsWith(u"\\\\.\\") || IsReservedName(native.section(u'\\', -1))) {
    return QCoreApplication::translate("vor::FileSave", "it is a device, not a file");
  }
  return {};
}

bool SyncOpenFile(QFileDevice& file, QString& reason) {
  // QFile's handle is the C library's descriptor; the system's handle is behind it.
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
  if (handle == INVALID_HANDLE_VALUE || !FlushFileBuffers(handle)) {
    reason = SystemReason();
    return false;
  }
  return true;
}

bool WriteBesideAndReplace(const QString& path, QByteArrayView bytes, QString& reason) {
  const QFileInfo target(path);
  const QString folder = QDir::toNativeSeparators(target.absolutePath());
  QString temporary;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; file == INVALID_HANDLE_VALUE; ++attempt) {
    temporary = folder + u'\\' + target.fileName() + u'.' +
                QString::number(QRandomGenerator::global()->generate(), 36) +
                QStringLiteral(".tmp");
    file = CreateFileW(Native(temporary), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && (GetLastError() != ERROR_FILE_EXISTS || attempt == 100)) {
      reason = SystemReason();
      return false;
    }
  }
  const bool written = WriteTemporary(file, bytes, reason);
  CloseHandle(file);
  if (written &&
      MoveFileExW(Native(temporary), Native(QDir::toNativeSeparators(target.absoluteFilePath())),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  if (written) reason = SystemReason();
  DeleteFileW(Native(temporary));
  return false;
}

}  // namespace vor

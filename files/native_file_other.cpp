// Systems without POSIX calls: Qt's files and the standard library's rename. The name is checked
// for what it is before the open (file_kind.h), which is all that can be done here.
#include <system_error>

#include "files/native_file.h"

namespace vor {
namespace {

QString QtName(const std::filesystem::path& path) {
  return QString::fromStdU16String(path.u16string());
}

}  // namespace

bool OpenRegularFile(const std::filesystem::path& path, QFile& file, QString& reason) {
  file.setFileName(QtName(path));
  if (file.open(QIODevice::ReadOnly)) return true;
  reason = file.errorString();
  return false;
}

bool CreateNewFile(const std::filesystem::path& path, QFile& file, QString& reason) {
  file.setFileName(QtName(path));
  if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) return true;
  reason = file.errorString();
  return false;
}

bool ReplaceFile(const std::filesystem::path& from, const std::filesystem::path& to,
                 QString& reason) {
  std::error_code error;
  std::filesystem::rename(from, to, error);
  if (!error) return true;
  reason = QString::fromStdString(error.message());
  return false;
}

}  // namespace vor

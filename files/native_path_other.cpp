// Systems whose names are UTF-16 (Windows): a QString holds them as they are.
#include <QCoreApplication>

#include "files/native_path.h"

namespace vor {

QStringList ProgramArguments(int, char*[]) { return QCoreApplication::arguments(); }

std::filesystem::path NativePath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

}  // namespace vor

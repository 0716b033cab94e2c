// Windows: names are UTF-16, which a QString holds as they are; the command line's own text is
// the application object's, not `argv`'s.
#include <QCoreApplication>

#include "files/native_path.h"

namespace vor {

QStringList ProgramArguments(int, char*[]) { return QCoreApplication::arguments(); }

std::filesystem::path NativePath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

}  // namespace vor

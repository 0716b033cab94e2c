// POSIX systems: a name is bytes, carried as NameFromBytes gives them.
#include "files/native_path.h"

namespace vor {

QStringList ProgramArguments(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << NameFromBytes(QByteArrayView(argv[i]));
  return arguments;
}

std::filesystem::path NativePath(const QString& path) {
  return std::filesystem::path(BytesOfName(path).toStdString());
}

}  // namespace vor

// Windows: Qt's file by the UTF-16 name. What the name is has been looked at before the open
// (file_kind.h and the device names of file_replace.h).
#include "files/native_file.h"

namespace vor {

bool OpenRegularFile(const std::filesystem::path& path, QFile& file, QString& reason) {
  file.setFileName(QString::fromStdU16String(path.u16string()));
  if (file.open(QIODevice::ReadOnly)) return true;
  reason = file.errorString();
  return false;
}

}  // namespace vor

#include "files/file_kind.h"

#include <QCoreApplication>
#include <system_error>

#include "files/native_path.h"

namespace vor {
namespace {

struct FileSave {
  Q_DECLARE_TR_FUNCTIONS(vor::FileSave)
};

}  // namespace

QString NotAFileText(std::filesystem::file_type type) {
  namespace fs = std::filesystem;
  switch (type) {
    case fs::file_type::regular:
      return {};
    case fs::file_type::directory:
      return FileSave::tr("it is a folder");
    case fs::file_type::character:
    case fs::file_type::block:
      return FileSave::tr("it is a device, not a file");
    case fs::file_type::fifo:
      return FileSave::tr("it is a named pipe, not a file");
    case fs::file_type::socket:
      return FileSave::tr("it is a socket, not a file");
    default:
      return FileSave::tr("it is not a regular file");
  }
}

QString NotAFileProblem(const QString& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  // Follows symbolic links: a link to a device is a device here.
  const fs::file_type type = fs::status(NativePath(path), error).type();
  if (error == std::errc::too_many_symbolic_link_levels) {
    return FileSave::tr("its symbolic links lead round in a loop");
  }
  if (type == fs::file_type::not_found || (error && type == fs::file_type::none)) return {};
  return NotAFileText(type);
}

}  // namespace vor

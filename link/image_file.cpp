#include "link/image_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <cstring>

namespace vor {

bool LoadImageFile(const QString& path, ConfigImage& image, QString& error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    error = QCoreApplication::translate("vor::ImageFile", "cannot read %1: %2")
                .arg(path, file.errorString());
    return false;
  }
  const QByteArray bytes = file.read(ConfigImage::kSize + 1);
  if (bytes.size() != static_cast<qsizetype>(ConfigImage::kSize) || !file.atEnd()) {
    error = QCoreApplication::translate("vor::ImageFile",
                                        "%1 holds %2 bytes; an image file holds exactly %3")
                .arg(path)
                .arg(file.size())
                .arg(ConfigImage::kSize);
    return false;
  }
  std::memcpy(image.bytes.data(), bytes.constData(), ConfigImage::kSize);
  return true;
}

bool SaveImageFile(const QString& path, const ConfigImage& image, QString& error) {
  // Written to a temporary file and renamed, so a failed save never leaves half an image.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(reinterpret_cast<const char*>(image.bytes.data()), ConfigImage::kSize) !=
          static_cast<qint64>(ConfigImage::kSize) ||
      !file.commit()) {
    error = QCoreApplication::translate("vor::ImageFile", "cannot write %1: %2")
                .arg(path, file.errorString());
    return false;
  }
  return true;
}

}  // namespace vor

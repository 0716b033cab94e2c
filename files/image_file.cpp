#include "files/image_file.h"

#include <QCoreApplication>
#include <QFile>
#include <cstring>

#include "files/file_save.h"

namespace vor {

bool LoadImageFile(const QString& path, ConfigImage& image, QString& error) {
  QFile file;
  QString reason;
  if (!OpenForReading(path, file, reason)) {
    error = QCoreApplication::translate("vor::ImageFile", "cannot read %1: %2").arg(path, reason);
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
  QString reason;
  if (SaveFile(path, QByteArrayView(image.bytes.data(), qsizetype(image.bytes.size())), reason)) {
    return true;
  }
  error = QCoreApplication::translate("vor::ImageFile", "cannot write %1: %2").arg(path, reason);
  return false;
}

}  // namespace vor

#pragma once

#include <QString>

#include "link/config_image.h"

namespace vor {

// An image file holds exactly the 128 raw bytes of a configuration image. Only a regular file is
// read (OpenForReading: never a pipe or a device), and names keep their bytes (NativePath).
// Both return false and set `error` to a sentence naming the file when it cannot be done. A save
// is whole and on disk when it returns true (SaveFile); a failed one leaves nothing behind.
bool LoadImageFile(const QString& path, ConfigImage& image, QString& error);
bool SaveImageFile(const QString& path, const ConfigImage& image, QString& error);

}  // namespace vor

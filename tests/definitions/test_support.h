#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

#include "definitions/model_table.h"
#include "link/config_image.h"

namespace vor::testing {

// An image with the given module name bytes (up to 8, copied as they are, zero bytes included),
// special-version byte, software version and controller voltage.
inline ConfigImage MakeImage(const std::string& moduleName, std::uint8_t special = 0,
                             std::uint16_t software = 0x0400, std::uint16_t controllerVolt = 72) {
  ConfigImage image;
  for (std::size_t i = 0; i < moduleName.size() && i < kModuleNameSize; ++i) {
    image[kModuleNameAddr + i] = std::uint8_t(moduleName[i]);
  }
  image[kSpecialVersionAddr] = special;
  image[kControllerVoltAddr] = std::uint8_t(controllerVolt >> 8);
  image[kControllerVoltAddr + 1] = std::uint8_t(controllerVolt);
  image[kSoftwareVersionAddr] = std::uint8_t(software >> 8);
  image[kSoftwareVersionAddr + 1] = std::uint8_t(software);
  return image;
}

// Script bytes from 8-bit text; "\n" in the text becomes CR LF.
inline QByteArray Script(const std::string& text) {
  QByteArray bytes = QByteArray::fromStdString(text);
  bytes.replace("\n", "\r\n");
  return bytes;
}

}  // namespace vor::testing

#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

#include "link/config_image.h"
#include "resources/prompter.h"

namespace vor::testing {

// An image with the given module name bytes (up to 8, copied as they are, zero bytes included),
// special-version byte, software version and controller voltage.
inline ConfigImage MakeImage(const std::string& moduleName, std::uint8_t special = 0,
                             std::uint16_t software = 0x0400, std::uint16_t controllerVolt = 72) {
  ConfigImage image;
  for (std::size_t i = 0; i < moduleName.size() && i < 8; ++i) image[64 + i] = moduleName[i];
  image[72] = special;
  image[74] = std::uint8_t(controllerVolt >> 8);
  image[75] = std::uint8_t(controllerVolt);
  image[83] = std::uint8_t(software >> 8);
  image[84] = std::uint8_t(software);
  return image;
}

class RecordingPrompter : public Prompter {
public:
  Answer Ask(int stringId, Buttons, Icon) override {
    asked.push_back(stringId);
    return Answer::Ok;
  }
  std::vector<int> asked;
};

// Script bytes from 8-bit text; "\n" in the text becomes CR LF.
inline QByteArray Script(const std::string& text) {
  QByteArray bytes = QByteArray::fromStdString(text);
  bytes.replace("\n", "\r\n");
  return bytes;
}

}  // namespace vor::testing

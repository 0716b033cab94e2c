#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

#include "link/config_image.h"

namespace vor {

// Knobs for DefaultImageFor; an unset knob takes the model's default.
struct ImageOptions {
  // Characters 4 and 5 of the module name, e.g. "72" or "80". The rated voltage in "Controller
  // Volt" follows the class ("12" is 120 V, "14" 144 V, "80" 80 V).
  std::optional<QString> voltageClass{};
  // Byte 72; JUT with 4 or 5 is the special variant.
  std::optional<std::uint8_t> specialVersion{};
  // Bytes 83..84; PUV below 0x0503 uses the older layout.
  std::optional<std::uint16_t> softwareVersion{};
};

// A realistic configuration image for a controller with the three-letter `modelCode`, as the
// controller would hold it after leaving the factory: module name (code, voltage class and a
// three-character rating), identification fields and settings, with every shown, editable field
// inside the range the model's definitions give it. nullopt when the code is not in the model
// table. Defaults: VOR is "VOR72450", PUV runs software 0x0503, JUT has special-version byte 0.
std::optional<ConfigImage> DefaultImageFor(QStringView modelCode, const ImageOptions& options = {});

}  // namespace vor

#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "link/config_image.h"

namespace vor {

// How the simulated controller's image is chosen on a command line.
struct SimImageOptions {
  QString modelCode = QStringLiteral("VOR");     // a factory image of this model...
  QString imagePath;                             // ...or this 128-byte file, when set
  std::optional<std::uint8_t> specialVersion;    // then byte 72
  std::optional<std::uint16_t> softwareVersion;  // and bytes 83..84
};

// The image the options describe; nothing, with `error` set, for an unknown model code or an
// unreadable file.
std::optional<ConfigImage> SimulatorImage(const SimImageOptions& options, QString& error);

// Parses "--special" (0..255, decimal), "--software-version" and "--fault-bits" (hex, 0x
// optional, up to FFFF) values.
std::optional<std::uint8_t> ParseSpecialVersion(const QString& text, QString& error);
std::optional<std::uint16_t> ParseSoftwareVersion(const QString& text, QString& error);
std::optional<std::uint16_t> ParseFaultBits(const QString& text, QString& error);

}  // namespace vor

#include "simulator/sim_image.h"

#include <QStringList>

#include "definitions/model_images.h"
#include "definitions/model_table.h"
#include "files/image_file.h"

namespace vor {
namespace {

// Up to four hex digits, with or without "0x".
std::optional<std::uint16_t> ParseHexWord(const QString& text) {
  QString digits = text;
  if (digits.startsWith(u"0x", Qt::CaseInsensitive)) digits = digits.mid(2);
  bool ok = false;
  const uint value = digits.toUInt(&ok, 16);
  if (!ok || digits.isEmpty() || value > 0xFFFF) return std::nullopt;
  return static_cast<std::uint16_t>(value);
}

}  // namespace

std::optional<ConfigImage> SimulatorImage(const SimImageOptions& options, QString& error) {
  std::optional<ConfigImage> image;
  if (!options.imagePath.isEmpty()) {
    image.emplace();
    if (!LoadImageFile(options.imagePath, *image, error)) return std::nullopt;
  } else {
    ImageOptions knobs;
    knobs.specialVersion = options.specialVersion;
    knobs.softwareVersion = options.softwareVersion;
    image = DefaultImageFor(options.modelCode, knobs);
    if (!image) {
      error = QStringLiteral("unknown model \"%1\"; the models are %2")
                  .arg(options.modelCode, SupportedModelCodes().join(u' '));
      return std::nullopt;
    }
  }
  if (options.specialVersion) (*image)[kSpecialVersionAddr] = *options.specialVersion;
  if (options.softwareVersion) {
    (*image)[kSoftwareVersionAddr] = static_cast<std::uint8_t>(*options.softwareVersion >> 8);
    (*image)[kSoftwareVersionAddr + 1] = static_cast<std::uint8_t>(*options.softwareVersion);
  }
  return image;
}

std::optional<std::uint8_t> ParseSpecialVersion(const QString& text, QString& error) {
  bool ok = false;
  const uint value = text.toUInt(&ok, 10);
  if (!ok || value > 0xFF) {
    error = QStringLiteral("bad special-version byte \"%1\" (0..255)").arg(text);
    return std::nullopt;
  }
  return static_cast<std::uint8_t>(value);
}

std::optional<std::uint16_t> ParseSoftwareVersion(const QString& text, QString& error) {
  const std::optional<std::uint16_t> value = ParseHexWord(text);
  if (!value) error = QStringLiteral("bad software version \"%1\" (hex, e.g. 0503)").arg(text);
  return value;
}

std::optional<std::uint16_t> ParseFaultBits(const QString& text, QString& error) {
  const std::optional<std::uint16_t> value = ParseHexWord(text);
  if (!value) error = QStringLiteral("bad fault bits \"%1\" (hex, e.g. 0012)").arg(text);
  return value;
}

}  // namespace vor

#include "simulator/sim_image.h"

#include <QStringList>

#include "definitions/model_images.h"
#include "definitions/model_table.h"
#include "link/image_file.h"

namespace vor {

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
  QString digits = text;
  if (digits.startsWith(u"0x", Qt::CaseInsensitive)) digits = digits.mid(2);
  bool ok = false;
  const uint value = digits.toUInt(&ok, 16);
  if (!ok || digits.isEmpty() || value > 0xFFFF) {
    error = QStringLiteral("bad software version \"%1\" (hex, e.g. 0503)").arg(text);
    return std::nullopt;
  }
  return static_cast<std::uint16_t>(value);
}

}  // namespace vor

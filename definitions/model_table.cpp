#include "definitions/model_table.h"

#include <QStringList>
#include <array>

namespace vor {
namespace {

QString FieldText(const ConfigImage& image, std::size_t first, std::size_t length) {
  QString text;
  for (std::size_t i = first; i < first + length && image[i] != 0; ++i) {
    text.append(QChar(char16_t(image[i])));
  }
  return text;
}

std::uint16_t Word(const ConfigImage& image, std::size_t addr) {
  return std::uint16_t((image[addr] << 8) | image[addr + 1]);
}

enum class Condition { Always, SpecialVersion, NotSpecialVersion, SoftwareBelow0503, Software0503 };

struct ModelRow {
  const char* code;
  Condition condition;
  int paramScript;
  int liveScript;
  int controlAnchor;
  int motorAnchor;
};

// Searched from the top; the first row that holds wins.
constexpr std::array kModelTable{
    ModelRow{"VOR", Condition::Always, 145, 149, 28, 24},
    ModelRow{"TAQ", Condition::Always, 182, 192, 28, 24},
    ModelRow{"MOZ", Condition::Always, 180, 192, 28, 24},
    ModelRow{"GAW", Condition::Always, 202, 157, 43, 27},
    ModelRow{"NIR", Condition::Always, 185, 187, 28, 24},
    ModelRow{"FOY", Condition::Always, 4, 205, 28, 24},
    ModelRow{"JUT", Condition::SpecialVersion, 197, 199, 28, 24},
    ModelRow{"JUT", Condition::NotSpecialVersion, 172, 149, 28, 24},
    ModelRow{"HEW", Condition::Always, 172, 149, 28, 24},
    ModelRow{"QOG", Condition::Always, 190, 165, 28, 24},
    ModelRow{"PUV", Condition::SoftwareBelow0503, 160, 157, 28, 61},
    ModelRow{"PUV", Condition::Software0503, 152, 157, 43, 27},
    ModelRow{"WUM", Condition::Always, 167, 169, 28, 24},
    ModelRow{"DAJ", Condition::Always, 194, 149, 28, 24},
    ModelRow{"ZUB", Condition::Always, 194, 149, 28, 24},
};

bool Holds(Condition condition, const ConfigImage& image) {
  const std::uint8_t special = image[kSpecialVersionAddr];
  const bool isSpecial = special == 4 || special == 5;
  switch (condition) {
    case Condition::Always:
      return true;
    case Condition::SpecialVersion:
      return isSpecial;
    case Condition::NotSpecialVersion:
      return !isSpecial;
    case Condition::SoftwareBelow0503:
      return SoftwareVersion(image) < 0x0503;
    case Condition::Software0503:
      return SoftwareVersion(image) >= 0x0503;
  }
  return false;
}

}  // namespace

QString ModelCode(const ConfigImage& image) {
  return FieldText(image, kModuleNameAddr, kModelCodeSize);
}
QString VoltageClass(const ConfigImage& image) {
  return FieldText(image, kVoltageClassAddr, kVoltageClassSize);
}
std::uint16_t ControllerVolt(const ConfigImage& image) { return Word(image, kControllerVoltAddr); }
std::uint16_t SoftwareVersion(const ConfigImage& image) {
  return Word(image, kSoftwareVersionAddr);
}

std::optional<ModelSelection> SelectModel(const ConfigImage& image) {
  const QString code = ModelCode(image);
  for (const ModelRow& row : kModelTable) {
    if (code != QLatin1String(row.code) || !Holds(row.condition, image)) continue;
    ModelSelection selection;
    selection.paramScript = row.paramScript;
    selection.liveScript = row.liveScript;
    selection.controlAnchor = row.controlAnchor;
    selection.motorAnchor = row.motorAnchor;
    selection.specialVersion = row.condition == Condition::SpecialVersion;
    // These two scripts moved the supply thresholds to 16 and 17; 19 and 20 hold other values
    // there that the voltage limits must not touch.
    if (row.paramScript == 202 || row.paramScript == 152) {
      selection.lowVoltAddr = 16;
      selection.overVoltAddr = 17;
    }
    return selection;
  }
  return std::nullopt;
}

const QStringList& SupportedModelCodes() {
  static const QStringList codes{"VOR", "TAQ", "MOZ", "GAW", "NIR", "FOY", "JUT",
                                 "HEW", "QOG", "PUV", "WUM", "DAJ", "ZUB"};
  return codes;
}

}  // namespace vor

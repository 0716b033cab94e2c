#include "definitions/model_images.h"

#include <algorithm>
#include <array>
#include <memory>

#include "definitions/definition_loader.h"
#include "definitions/model_table.h"

namespace vor {
namespace {

struct ModelDefaults {
  const char* code;
  const char* voltageClass;
  const char* rating;  // characters 6 to 8 of the module name
  std::uint8_t specialVersion;
  std::uint16_t softwareVersion;
};

constexpr std::array kModels{
    ModelDefaults{"VOR", "72", "450", 0, 0x0412}, ModelDefaults{"TAQ", "48", "300", 0, 0x0306},
    ModelDefaults{"MOZ", "60", "350", 0, 0x0410}, ModelDefaults{"GAW", "72", "500", 0, 0x0601},
    ModelDefaults{"NIR", "96", "600", 0, 0x0415}, ModelDefaults{"FOY", "48", "250", 0, 0x0402},
    ModelDefaults{"JUT", "72", "400", 0, 0x0420}, ModelDefaults{"HEW", "84", "450", 0, 0x0418},
    ModelDefaults{"QOG", "60", "300", 0, 0x0405}, ModelDefaults{"PUV", "72", "550", 0, 0x0503},
    ModelDefaults{"WUM", "48", "200", 0, 0x0311}, ModelDefaults{"DAJ", "36", "150", 0, 0x0302},
    ModelDefaults{"ZUB", "24", "120", 0, 0x0301},
};

// Factory settings by image address for the common layout; identification fields and the
// voltage thresholds are filled in separately.
constexpr std::array<std::uint8_t, ConfigImage::kSize> kFactoryBytes{
    0x48, 0x62, 0,    0,    10,   35,   20,   40,    // 0..7: switch bits, TPS, gains
    30,   12,   0,    0,    5,    0,    100,  30,    // 8..15
    20,   50,   100,  0,    0,    3,    0,    0,     // 16..23
    8,    0,    0,    0,    0,    0,    100,  70,    // 24..31: poles, control mode, gear 2
    35,   40,   100,  0,    80,   0,    10,   35,    // 32..39
    10,   20,   30,   40,   50,   0x01, 30,   5,     // 40..47: deltas, switch bits, halls
    4,    6,    2,    3,    1,    40,   200,  0,     // 48..55
    50,   0x06, 0x01, 0x05, 0x81, 1,    120,  100,   // 56..63: CAN ids, temperatures
    0,    0,    0,    0,    0,    0,    0,    0,     // 64..71: module name
    0,    128,  0,    0,    0x00, 0x12, 0xD6, 0x87,  // 72..79: serial number 1234567
    0,    0,    0,    0,    0,    100,  0,    100,   // 80..87
    80,   85,   50,   0,    80,   10,   70,   0xEC,  // 88..95: PCB derating, -20 degrees
    50,   128,  127,  129,  100,  70,   100,  110,   // 96..103: phase zeros
    90,   50,   80,   'C',  0x80, 1,    0,    0,     // 104..111: J1939 identity
    0,    0,    0,    0,    0,    0,    0,    0,     // 112..119
    0,    0,    'N',  0,    0,    0,    0,    0,     // 120..127
};

// The newer layout of scripts 152 and 202 keeps other settings at some addresses.
struct Setting {
  std::uint8_t addr;
  std::uint8_t value;
};
constexpr std::array kNewerLayoutBytes{
    Setting{43, 0},   Setting{28, 40}, Setting{19, 50}, Setting{20, 0},
    Setting{27, 128}, Setting{53, 20}, Setting{54, 50}, Setting{56, 20},
    Setting{36, 80},  Setting{29, 0},  Setting{13, 10}, Setting{30, 100},
};

class SilentPrompter : public Prompter {
public:
  Answer Ask(int, Buttons, Icon) override { return Answer::Ok; }
};

int RatedVolt(const QString& voltageClass) {
  if (voltageClass == u"12") return 120;
  if (voltageClass == u"14") return 144;
  return voltageClass.toInt();
}

void PutWord(ConfigImage& image, std::size_t addr, std::uint16_t value) {
  image[addr] = std::uint8_t(value >> 8);
  image[addr + 1] = std::uint8_t(value);
}

// Pulls a shown, editable numeric field into its range, judged as the pages judge an entry: one
// byte as 0..255 against the signed limits, several bytes as unsigned numbers.
void ClampToRange(ConfigImage& image, const ParamDef& def) {
  if (def.show != 1 || def.en != 1 || def.sw.Kind() == Encoding::Ascii ||
      def.sw.Kind() == Encoding::Hex)
    return;
  if (def.addr < 0) return;
  const std::size_t addr = std::size_t(def.addr);
  if (def.pro == 1 && addr < ConfigImage::kSize) {
    const int low = std::max(def.rangeL, 0);
    const int high = std::min(def.rangeH, 255);
    if (low <= high) image[addr] = std::uint8_t(std::clamp(int(image[addr]), low, high));
  } else if (def.pro == 2 && def.pos >= 0 && def.pos <= 3 &&
             addr + std::size_t(def.pos) < ConfigImage::kSize) {
    std::uint32_t value = 0;
    for (int j = 0; j <= def.pos; ++j) value = (value << 8) | image[addr + std::size_t(j)];
    const auto low = std::uint32_t(def.rangeL);
    const auto high = std::uint32_t(def.rangeH);
    if (low > high) return;
    value = std::clamp(value, low, high);
    for (int j = def.pos; j >= 0; --j, value >>= 8) image[addr + std::size_t(j)] = value & 0xFF;
  }
}

}  // namespace

std::optional<ConfigImage> DefaultImageFor(QStringView modelCode, const ImageOptions& options) {
  const auto model = std::find_if(kModels.begin(), kModels.end(), [&](const ModelDefaults& m) {
    return modelCode == QLatin1String(m.code);
  });
  if (model == kModels.end()) return std::nullopt;

  ConfigImage image;
  image.bytes = kFactoryBytes;
  const QString voltageClass =
      options.voltageClass.value_or(QString::fromLatin1(model->voltageClass));
  const QByteArray moduleName =
      (QString::fromLatin1(model->code) + voltageClass.left(2) + QLatin1String(model->rating))
          .toLatin1()
          .left(8);
  std::copy(moduleName.begin(), moduleName.end(), image.bytes.begin() + kModuleNameAddr);
  image[kSpecialVersionAddr] = options.specialVersion.value_or(model->specialVersion);
  PutWord(image, kSoftwareVersionAddr, options.softwareVersion.value_or(model->softwareVersion));
  const int ratedVolt = RatedVolt(voltageClass);
  PutWord(image, kControllerVoltAddr, std::uint16_t(ratedVolt));

  const std::optional<ModelSelection> selection = SelectModel(image);
  if (!selection) return std::nullopt;
  if (selection->lowVoltAddr == 16) {
    for (const Setting& s : kNewerLayoutBytes) image[s.addr] = s.value;
  }
  const auto volts = [](int v) { return std::uint8_t(std::clamp(v, 0, 255)); };
  image[std::size_t(selection->lowVoltAddr)] = volts(ratedVolt * 3 / 4);
  image[std::size_t(selection->overVoltAddr)] = volts(ratedVolt * 6 / 5);
  image[55] = volts(ratedVolt * 17 / 20);  // LVWeak Start Volt

  auto definitions = std::make_unique<DefinitionSet>();
  SilentPrompter prompter;
  if (!LoadDefinitions(image, *definitions, prompter)) return std::nullopt;
  for (const ParamDef& def : definitions->Params()) ClampToRange(image, def);
  return image;
}

}  // namespace vor

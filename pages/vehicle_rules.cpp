#include "pages/vehicle_rules.h"

#include <algorithm>

#include "definitions/model_table.h"

namespace vor {
namespace {

constexpr int kBoostPosition = 0;
constexpr int kEconomyPosition = 1;
constexpr int kThreeGearsPosition = 9;
constexpr int kThreeSpeedPosition = 20;

const char* const kModelCodeShown = "JUT";
const char* const kModelCodeInstead = "HEW";

}  // namespace

FlagBoxes FlagWalk(const DefinitionSet& set) {
  FlagBoxes boxes;
  const int end = std::min(DefinitionSet::kSwitchBitCount, set.paramCount);
  for (int position = 0; position < end; ++position) {
    if (set.params[std::size_t(position)].show != 1) continue;
    boxes.position[std::size_t(boxes.count++)] = position;
  }
  return boxes;
}

int BoxOfPosition(const FlagBoxes& boxes, int position) {
  for (int k = 0; k < boxes.count; ++k) {
    if (boxes.position[std::size_t(k)] == position) return k;
  }
  return -1;
}

bool IsFlagBit(const ParamDef& def) {
  return def.pro == 0 && def.pos >= 0 && def.pos <= 7 && def.addr >= 0 &&
         def.addr < int(ConfigImage::kSize);
}

bool FlagValue(const ParamDef& def, const ConfigImage& image) {
  return IsFlagBit(def) && (image[std::size_t(def.addr)] >> def.pos & 1) != 0;
}

void StoreFlag(const ParamDef& def, bool ticked, ConfigImage& image) {
  if (!IsFlagBit(def)) return;
  std::uint8_t& byte = image[std::size_t(def.addr)];
  const auto bit = std::uint8_t(1u << def.pos);
  byte = ticked ? std::uint8_t(byte | bit) : std::uint8_t(byte & ~bit);
}

bool FollowsBrakeType(const DefinitionSet& set, int position) {
  return set.SpecialVersionFlag && (position == kBoostPosition || position == kEconomyPosition);
}

bool FlagEnabled(const DefinitionSet& set, int position, const ConfigImage& image) {
  if (position < 0 || position >= set.paramCount) return false;
  if (set.params[std::size_t(position)].en == 0) return false;
  return !(FollowsBrakeType(set, position) && image[kBrakeTypeAddr] != 0);
}

std::optional<int> ExclusivePartner(const DefinitionSet& set, int position) {
  if (!set.SpecialVersionFlag) return std::nullopt;
  switch (position) {
    case kBoostPosition:
      return kEconomyPosition;
    case kEconomyPosition:
      return kBoostPosition;
    case kThreeGearsPosition:
      return kThreeSpeedPosition;
    case kThreeSpeedPosition:
      return kThreeGearsPosition;
    default:
      return std::nullopt;
  }
}

bool IsSpecialVersionField(const ParamDef& def) {
  return def.addr == int(kSpecialVersionAddr) && def.pro == 1 &&
         def.sw.Kind() == Encoding::Unsigned;
}

bool IsModuleNameField(const ParamDef& def) {
  return def.addr == int(kModuleNameAddr) && def.pro == 2 && def.sw.Kind() == Encoding::Ascii;
}

QString VehicleDisplayText(const DefinitionSet& set, const ParamDef& def, const QString& text) {
  if (set.SpecialVersionFlag && IsSpecialVersionField(def)) {
    const int edition = text.toInt() - kFirstEditionValue;
    if (edition >= 0 && edition < int(kEditionCodes.size())) {
      return QString::fromLatin1(kEditionCodes[std::size_t(edition)]);
    }
    return text;
  }
  // Only what is shown changes: the image keeps the model code the controller reports.
  if (IsModuleNameField(def) && text.startsWith(QLatin1String(kModelCodeShown))) {
    return QLatin1String(kModelCodeInstead) + text.mid(3);
  }
  return text;
}

VehicleStore VehicleStoreRule(const DefinitionSet& set, const ParamDef& def, const QString& text) {
  // The field shows an edition code, not its byte.
  if (set.SpecialVersionFlag && IsSpecialVersionField(def)) return VehicleStore::TestOnly;
  if (def.pro == 2 && def.sw.Kind() == Encoding::Ascii) {
    if (IsModuleNameField(def) && def.en == 0) return VehicleStore::Skip;
    if (text.isEmpty()) return VehicleStore::Skip;
  }
  return VehicleStore::Store;
}

QString TestedText(const QString& text) {
  for (std::size_t i = 0; i < kEditionCodes.size(); ++i) {
    if (text == QLatin1String(kEditionCodes[i]))
      return QString::number(kFirstEditionValue + int(i));
  }
  return text;
}

std::optional<StoreResult> VehicleOwnAnswer(const DefinitionSet& set, const ParamDef& def,
                                            const QString& text) {
  switch (VehicleStoreRule(set, def, text)) {
    case VehicleStore::Skip:
      return StoreResult::NotStored;
    case VehicleStore::TestOnly:
      return TestValue(def, TestedText(text));
    case VehicleStore::Store:
      break;
  }
  return std::nullopt;
}

}  // namespace vor

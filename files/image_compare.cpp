#include "files/image_compare.h"

#include "pages/value_codec.h"

namespace vor {
namespace {

int ByteCount(const ParamDef& def) { return def.pro == 2 ? def.pos + 1 : 1; }

bool SameBytes(const ParamDef& def, const ConfigImage& a, const ConfigImage& b) {
  for (int j = 0; j < ByteCount(def); ++j) {
    const auto addr = static_cast<std::size_t>(def.addr + j);
    if (a[addr] != b[addr]) return false;
  }
  return true;
}

QString HexBytes(const ParamDef& def, const ConfigImage& image) {
  QString hex;
  for (int j = 0; j < ByteCount(def); ++j) {
    hex +=
        QStringLiteral("%1").arg(image[static_cast<std::size_t>(def.addr + j)], 2, 16, QChar(u'0'));
  }
  return hex;
}

// The bits of the image that a shown box or field with a value stands for.
void AddFieldBits(const ParamDef& def, bool box, ImageMask& mask) {
  if (box) {
    mask[std::size_t(def.addr)] |= std::uint8_t(1u << def.pos);
    return;
  }
  for (int j = 0; j < ByteCount(def); ++j) mask[std::size_t(def.addr + j)] = 0xFF;
}

}  // namespace

bool FieldDiffers(const DefinitionSet& set, const PageField& field, const ConfigImage& first,
                  const ConfigImage& second) {
  const std::optional<QString> a = ShownText(set, field, first);
  const std::optional<QString> b = ShownText(set, field, second);
  if (!a || !b) return false;
  if (field.box) return *a != *b;
  return !SameBytes(set.params[static_cast<std::size_t>(field.position)], first, second);
}

ImageDifferences CompareImages(const ConfigImage& first, const ConfigImage& second,
                               const DefinitionSet& set) {
  ImageDifferences differences;
  ImageMask covered{};
  for (const PageField& field : PageFields(set)) {
    const ParamDef& def = set.params[static_cast<std::size_t>(field.position)];
    const std::optional<QString> a = ShownText(set, field, first);
    const std::optional<QString> b = ShownText(set, field, second);
    if (!a || !b) continue;  // nothing shown: its bytes count as unshown
    AddFieldBits(def, field.box, covered);
    if (!FieldDiffers(set, field, first, second)) continue;
    FieldChange change{field.page, field.position, field.box, FieldLabel(def), *a, *b};
    if (!field.box && *a == *b) {
      change.first += QStringLiteral(" [%1]").arg(HexBytes(def, first));
      change.second += QStringLiteral(" [%1]").arg(HexBytes(def, second));
    }
    differences.fields.push_back(change);
  }
  for (std::size_t addr = 0; addr < ConfigImage::kSize; ++addr) {
    const auto unshown = std::uint8_t((first[addr] ^ second[addr]) & ~covered[addr]);
    if (unshown == 0) continue;
    const std::uint8_t bits = covered[addr] == 0 ? std::uint8_t(0xFF) : unshown;
    differences.bytes.push_back({int(addr), first[addr], second[addr], bits});
  }
  return differences;
}

void AddChangeBits(const DefinitionSet& set, const PageField& field, ImageMask& mask) {
  AddFieldBits(set.params[static_cast<std::size_t>(field.position)], field.box, mask);
}

void AddChangeBits(const DefinitionSet& set, const FieldChange& change, ImageMask& mask) {
  AddFieldBits(set.params[static_cast<std::size_t>(change.position)], change.box, mask);
}

void AddChangeBits(const ByteChange& change, ImageMask& mask) {
  mask[std::size_t(change.addr)] |= change.bits;
}

ImageMask ChangeBits(const DefinitionSet& set, const ImageDifferences& differences) {
  ImageMask mask{};
  for (const FieldChange& change : differences.fields) AddChangeBits(set, change, mask);
  for (const ByteChange& change : differences.bytes) AddChangeBits(change, mask);
  return mask;
}

void TakeBits(const ImageMask& mask, const ConfigImage& from, ConfigImage& into) {
  for (std::size_t addr = 0; addr < ConfigImage::kSize; ++addr) {
    into[addr] = std::uint8_t((into[addr] & ~mask[addr]) | (from[addr] & mask[addr]));
  }
}

}  // namespace vor

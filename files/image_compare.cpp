#include "files/image_compare.h"

#include <array>

#include "pages/page_fields.h"
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

}  // namespace

ImageDifferences CompareImages(const ConfigImage& first, const ConfigImage& second,
                               const DefinitionSet& set) {
  ImageDifferences differences;
  // The bits of each byte that a shown box or field with a value accounts for.
  std::array<std::uint8_t, ConfigImage::kSize> covered{};
  for (const PageField& field : PageFields(set)) {
    const ParamDef& def = set.params[static_cast<std::size_t>(field.position)];
    const std::optional<QString> a = ShownText(set, field, first);
    const std::optional<QString> b = ShownText(set, field, second);
    if (!a || !b) continue;  // nothing shown: its bytes count as unshown
    if (field.box) {
      covered[std::size_t(def.addr)] |= std::uint8_t(1u << def.pos);
      if (*a != *b) {
        differences.fields.push_back({field.page, field.position, true, FieldLabel(def), *a, *b});
      }
      continue;
    }
    for (int j = 0; j < ByteCount(def); ++j) covered[std::size_t(def.addr + j)] = 0xFF;
    if (SameBytes(def, first, second)) continue;
    FieldChange change{field.page, field.position, false, FieldLabel(def), *a, *b};
    if (*a == *b) {
      change.first += QStringLiteral(" [%1]").arg(HexBytes(def, first));
      change.second += QStringLiteral(" [%1]").arg(HexBytes(def, second));
    }
    differences.fields.push_back(change);
  }
  for (std::size_t addr = 0; addr < ConfigImage::kSize; ++addr) {
    if ((first[addr] ^ second[addr]) & ~covered[addr]) {
      differences.bytes.push_back({int(addr), first[addr], second[addr]});
    }
  }
  return differences;
}

}  // namespace vor

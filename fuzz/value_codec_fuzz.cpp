// Random field definitions, entry texts and images through both directions of the value
// encodings: no crash, no byte written outside the field, nothing written when the entry is
// refused, and what is shown stores back to the same bytes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "pages/value_codec.h"

namespace {

// Guard bytes on both sides of the image catch a write that runs past either end.
struct GuardedImage {
  std::array<std::uint8_t, 256> before{};
  vor::ConfigImage image;
  std::array<std::uint8_t, 256> after{};
};

std::int32_t Int32At(const std::uint8_t* p) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value = value << 8 | p[i];
  return static_cast<std::int32_t>(value);
}

bool InField(const vor::ParamDef& def, std::size_t addr) {
  const std::int64_t last = def.pro == 2 ? std::int64_t{def.addr} + def.pos : def.addr;
  return static_cast<std::int64_t>(addr) >= def.addr && static_cast<std::int64_t>(addr) <= last;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  constexpr std::size_t kHeader = 14;
  if (size < kHeader) return 0;
  static const char* const kFormats[] = {"uo", "so", "h", "a", "x"};
  vor::ParamDef def;
  // Addresses and widths reach a little past both ends of the image.
  def.addr = static_cast<std::int8_t>(data[0]) + 64;
  def.pro = data[1] % 4;
  def.pos = static_cast<std::int8_t>(data[2]) / 2;
  def.sw = kFormats[data[3] % 5];
  def.en = data[4] % 3;
  def.rangeL = Int32At(data + 5);
  def.rangeH = Int32At(data + 9);
  def.show = 1;
  const std::uint8_t fill = data[13];

  // The rest is the entry text as UTF-16 code units.
  QString text;
  for (std::size_t i = kHeader; i + 1 < size; i += 2) {
    text += QChar(static_cast<char16_t>(data[i] << 8 | data[i + 1]));
  }

  GuardedImage g;
  g.before.fill(0xA5);
  g.after.fill(0x5A);
  for (std::size_t a = 0; a < vor::ConfigImage::kSize; ++a) g.image[a] = std::uint8_t(fill + a * 7);
  const GuardedImage original = g;

  const vor::StoreResult result = vor::StoreValue(def, text, g.image);
  Check(g.before == original.before && g.after == original.after);
  for (std::size_t a = 0; a < vor::ConfigImage::kSize; ++a) {
    const bool mayChange = result == vor::StoreResult::Stored && InField(def, a);
    Check(mayChange || g.image[a] == original.image[a]);
  }
  Check(vor::FitsImage(def) || result == vor::StoreResult::NotStored);

  const std::optional<QString> shown = vor::FormatValue(def, original.image);
  Check(shown.has_value() ==
        (vor::StoreValue(def, QStringLiteral("0"), g.image) != vor::StoreResult::NotStored));
  if (shown) {
    // A read-only copy of the field is stored untested, as an unchanged page stores it.
    vor::ParamDef readOnly = def;
    readOnly.en = 0;
    GuardedImage back = original;
    Check(vor::StoreValue(readOnly, *shown, back.image) == vor::StoreResult::Stored);
    Check(back.before == original.before && back.after == original.after);
    // Characters end at the first zero byte, so such a field comes back zero-filled after it.
    bool zeroInside = false;
    for (std::int32_t j = 0; def.sw.Kind() == vor::Encoding::Ascii && def.pro == 2 && j < def.pos;
         ++j) {
      zeroInside = zeroInside || original.image[std::size_t(def.addr + j)] == 0;
    }
    if (!zeroInside) Check(back.image.bytes == original.image.bytes);
  }
  return 0;
}

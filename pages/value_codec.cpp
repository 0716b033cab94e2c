#include "pages/value_codec.h"

#include <QCoreApplication>
#include <algorithm>
#include <limits>

namespace vor {
namespace {

constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kUint32Max = std::numeric_limits<std::uint32_t>::max();

std::uint8_t LowByte(std::int64_t value) { return static_cast<std::uint8_t>(value & 0xFF); }

bool InSignedRange(std::int64_t value, const ParamDef& def) {
  return value >= def.rangeL && value <= def.rangeH;
}

bool InUnsignedRange(std::uint32_t value, const ParamDef& def) {
  return value >= static_cast<std::uint32_t>(def.rangeL) &&
         value <= static_cast<std::uint32_t>(def.rangeH);
}

// Whether a number entered in a field of `count` bytes fits them. An unsigned field holds
// 0 .. 2^(8 count) - 1; a signed one also takes the raw unsigned form of its bytes (a one-byte
// signed field tests its range on the raw byte, so 216 and -40 are the same entry).
bool FitsBytes(std::int64_t entered, int count, bool isSigned) {
  if (count >= 4) return true;  // the entry was already held to 32 bits
  const std::int64_t high = (std::int64_t{1} << (8 * count)) - 1;
  const std::int64_t low = isSigned ? -(std::int64_t{1} << (8 * count - 1)) : 0;
  return entered >= low && entered <= high;
}

// Whether an entry typed into a field read as one number is a whole number in the form the field
// shows: decimal digits with an optional sign, or a hex byte's digits (with an optional 0x); blanks
// around it are let go. Characters fields take any text.
bool IsNumberEntry(Encoding encoding, QStringView text) {
  switch (encoding) {
    case Encoding::Unsigned:
    case Encoding::Signed:
      return IsWholeNumber(text, 10);
    case Encoding::Hex:
      return IsWholeNumber(text, 16);
    case Encoding::Ascii:
    case Encoding::Unknown:
      break;
  }
  return true;
}

// Whether an entry for a hex field of `count` bytes, read two digits a byte, is hex digits and no
// more of them than the field shows; blanks around them are let go.
bool IsHexBytesEntry(QStringView text, int count) {
  const QStringView digits = WithoutBlanks(text);
  return !digits.isEmpty() && digits.size() <= 2 * qsizetype(count) &&
         std::all_of(digits.begin(), digits.end(), [](QChar c) {
           return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
         });
}

std::optional<QString> FormatByte(Encoding encoding, std::uint8_t byte) {
  switch (encoding) {
    case Encoding::Unsigned:
      return QString::number(byte);
    case Encoding::Signed:
      return QString::number(int{static_cast<std::int8_t>(byte)});
    case Encoding::Hex:
      return QString::number(byte, 16);
    case Encoding::Ascii:
      return byte == 0 ? QString() : QString(QChar(byte));
    case Encoding::Unknown:
      break;
  }
  return std::nullopt;
}

std::optional<QString> FormatBytes(Encoding encoding, const std::uint8_t* bytes, int count) {
  switch (encoding) {
    case Encoding::Unsigned:
    case Encoding::Signed: {
      if (count > 4) return std::nullopt;
      std::uint32_t value = 0;
      for (int j = 0; j < count; ++j) value = value << 8 | bytes[j];
      if (encoding == Encoding::Unsigned) return QString::number(value);
      const int unusedBits = 32 - 8 * count;
      return QString::number(static_cast<std::int32_t>(value << unusedBits) >> unusedBits);
    }
    case Encoding::Hex: {
      QString text;
      for (int j = 0; j < count; ++j)
        text += QStringLiteral("%1").arg(uint{bytes[j]}, 2, 16, QChar(u'0'));
      return text;
    }
    case Encoding::Ascii: {
      QString text;
      for (int j = 0; j < count && bytes[j] != 0; ++j) text += QChar(bytes[j]);
      return text;
    }
    case Encoding::Unknown:
      break;
  }
  return std::nullopt;
}

StoreResult StoreByte(const ParamDef& def, Encoding encoding, const QString& text,
                      ConfigImage& image) {
  const bool tested = def.en == 1;
  // An entry the byte cannot hold is refused rather than cut down to its low byte, whatever the
  // range allows (a one-byte field may have an upper limit above 255).
  const bool editable = def.en != 0;
  if (editable && !IsNumberEntry(encoding, text)) return StoreResult::NotAWholeNumber;
  std::uint8_t byte = 0;
  switch (encoding) {
    case Encoding::Ascii:
      byte = text.isEmpty() ? 0 : LowByte(text[0].unicode());
      if (tested && !InSignedRange(byte, def)) return StoreResult::OutOfRange;
      break;
    case Encoding::Signed: {
      // Ranges of one-byte signed fields are written for the raw byte: -40 passes 0..255.
      const std::int32_t entered = ParseDecimal(text);
      if (editable && !FitsBytes(entered, 1, true)) return StoreResult::OutOfRange;
      byte = LowByte(entered);
      if (tested && !InSignedRange(byte, def)) return StoreResult::OutOfRange;
      break;
    }
    case Encoding::Unsigned:
    case Encoding::Hex: {
      // Tested on the number entered, so 300 in a field of 18..200 is refused rather than
      // stored as 44.
      const std::int32_t entered = encoding == Encoding::Hex ? ParseHex(text) : ParseDecimal(text);
      if (tested && !InSignedRange(entered, def)) return StoreResult::OutOfRange;
      if (editable && !FitsBytes(entered, 1, false)) return StoreResult::OutOfRange;
      byte = LowByte(entered);
      break;
    }
    case Encoding::Unknown:
      return StoreResult::NotStored;
  }
  image[static_cast<std::size_t>(def.addr)] = byte;
  return StoreResult::Stored;
}

StoreResult StoreBytes(const ParamDef& def, Encoding encoding, const QString& text,
                       ConfigImage& image) {
  const int count = def.pos + 1;
  const auto at = [&](int j) -> std::uint8_t& {
    return image[static_cast<std::size_t>(def.addr + j)];
  };
  switch (encoding) {
    case Encoding::Unsigned:
    case Encoding::Signed: {
      if (count > 4) return StoreResult::NotStored;
      if (def.en != 0 && !IsNumberEntry(encoding, text)) return StoreResult::NotAWholeNumber;
      // An unsigned field takes entries up to 2^32 - 1, so that a four-byte value shown
      // unsigned reads back to the same bytes.
      const std::int64_t wide = ParseLeadingNumber(text, 10);
      const std::int64_t entered = encoding == Encoding::Unsigned
                                       ? std::clamp(wide, kInt32Min, kUint32Max)
                                       : std::int64_t{SaturateToInt32(wide)};
      const auto value = static_cast<std::uint32_t>(entered);
      if (def.en == 1 && !InUnsignedRange(value, def)) return StoreResult::OutOfRange;
      if (def.en != 0 && !FitsBytes(entered, count, encoding == Encoding::Signed)) {
        return StoreResult::OutOfRange;
      }
      for (int j = 0; j < count; ++j) at(j) = LowByte(value >> (8 * (count - 1 - j)));
      return StoreResult::Stored;
    }
    case Encoding::Hex: {
      if (def.en != 0 && !IsHexBytesEntry(text, count)) return StoreResult::NotAWholeNumber;
      // Two digits a byte from the left, as the field shows them; a shorter entry leaves zero
      // bytes at the end.
      const QStringView digits = def.en != 0 ? WithoutBlanks(text) : QStringView(text);
      for (int j = 0; j < count; ++j) at(j) = LowByte(ParseHex(digits.mid(2 * j, 2)));
      return StoreResult::Stored;
    }
    case Encoding::Ascii:
      // Zero-filled to the full width: a shorter text must not leave old characters behind.
      for (int j = 0; j < count; ++j) at(j) = j < text.size() ? LowByte(text[j].unicode()) : 0;
      return StoreResult::Stored;
    case Encoding::Unknown:
      break;
  }
  return StoreResult::NotStored;
}

}  // namespace

bool FitsImage(const ParamDef& def) {
  const std::int64_t first = def.addr;
  const std::int64_t last = def.pro == 2 ? first + std::int64_t{def.pos} : first;
  if (def.pro == 2 && def.pos < 0) return false;
  return first >= 0 && last < static_cast<std::int64_t>(ConfigImage::kSize);
}

std::optional<QString> FormatValue(const ParamDef& def, const ConfigImage& image) {
  if ((def.pro != 1 && def.pro != 2) || !FitsImage(def)) return std::nullopt;
  const Encoding encoding = def.sw.Kind();
  const auto addr = static_cast<std::size_t>(def.addr);
  if (def.pro == 1) return FormatByte(encoding, image[addr]);
  // Kind 2 with one byte is a one-byte value too; only its signedness comes from the kind-2 rule.
  return FormatBytes(encoding, &image.bytes[addr], def.pos + 1);
}

StoreResult StoreValue(const ParamDef& def, const QString& text, ConfigImage& image) {
  if ((def.pro != 1 && def.pro != 2) || !FitsImage(def)) return StoreResult::NotStored;
  const Encoding encoding = def.sw.Kind();
  if (def.pro == 1) return StoreByte(def, encoding, text, image);
  return StoreBytes(def, encoding, text, image);
}

StoreResult TestValue(const ParamDef& def, const QString& text) {
  ConfigImage scratch;
  return StoreValue(def, text, scratch);
}

// One arg() call with every value: it fills the placeholders in a single pass, so a '%' in a
// name or help text is left as it is.
QString RangeMessage(const ParamDef& def) {
  return QCoreApplication::translate("vor::ParameterPage",
                                     "Param:%1\nThe range should be between %2~%3")
      .arg(def.name, QString::number(def.rangeL), QString::number(def.rangeH));
}

QString WholeNumberMessage(const ParamDef& def) {
  const Encoding encoding = def.sw.Kind();
  const int count = def.pro == 2 ? std::max(def.pos + 1, 1) : 1;
  if (encoding == Encoding::Hex && def.pro == 2) {
    // Read two digits a byte and never range-tested: any digits that fill the field.
    return QCoreApplication::translate("vor::ParameterPage",
                                       "Param: %1. Enter a hexadecimal number between %2 and %3")
        .arg(def.name, QString(2 * count, u'0'), QString(2 * count, u'f'));
  }
  // What the field's bytes hold (a signed field also takes its bytes' raw form, as FitsBytes
  // says), narrowed to the range that is tested: signed on a byte, unsigned on several.
  const int bits = 8 * std::min(count, 4);
  std::int64_t low = encoding == Encoding::Signed ? -(std::int64_t{1} << (bits - 1)) : 0;
  std::int64_t high = (std::int64_t{1} << bits) - 1;
  if (def.en == 1) {
    const std::int64_t rangeL = def.pro == 1 ? def.rangeL : std::uint32_t(def.rangeL);
    const std::int64_t rangeH = def.pro == 1 ? def.rangeH : std::uint32_t(def.rangeH);
    if (std::max(low, rangeL) <= std::min(high, rangeH)) {
      low = std::max(low, rangeL);
      high = std::min(high, rangeH);
    }
  }
  if (encoding == Encoding::Hex) {
    return QCoreApplication::translate("vor::ParameterPage",
                                       "Param: %1. Enter a hexadecimal number between %2 and %3")
        .arg(def.name, QString::number(low, 16), QString::number(high, 16));
  }
  return QCoreApplication::translate("vor::ParameterPage",
                                     "Param: %1. Enter a whole number between %2 and %3")
      .arg(def.name, QString::number(low), QString::number(high));
}

QString RefusalMessage(const ParamDef& def, StoreResult result) {
  return result == StoreResult::NotAWholeNumber ? WholeNumberMessage(def) : RangeMessage(def);
}

QString TipText(const ParamDef& def) {
  return QCoreApplication::translate("vor::ParameterPage", "%1 Range:%2~%3")
      .arg(def.tips, QString::number(def.rangeL), QString::number(def.rangeH));
}

}  // namespace vor

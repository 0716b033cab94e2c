#include "pages/live_items.h"

namespace vor {
namespace {

// The item's bytes inside the block, or an empty span when they do not lie wholly inside it.
LiveBytes ItemBytes(const LiveDef& def, LiveBytes block) {
  const std::int64_t first = def.addr;
  const std::int64_t count = def.pro == 1 ? 1 : std::int64_t{def.pos} + 1;
  if (first < 0 || count < 1 || first + count > static_cast<std::int64_t>(block.size())) return {};
  return block.subspan(static_cast<std::size_t>(first), static_cast<std::size_t>(count));
}

std::uint32_t BigEndian(LiveBytes bytes) {
  std::uint32_t value = 0;
  for (std::uint8_t byte : bytes) value = value << 8 | byte;
  return value;
}

LiveValue Number(std::int64_t number) { return {LiveValue::Kind::Number, number, 0, QString()}; }

LiveValue Chars(LiveBytes bytes) {
  QString text;
  for (std::uint8_t byte : bytes) {
    if (byte == 0) break;
    text += QChar(byte);
  }
  return {LiveValue::Kind::Chars, 0, 0, text};
}

LiveValue Blank() { return {}; }

LiveValue OneByte(Encoding encoding, std::uint8_t byte) {
  switch (encoding) {
    case Encoding::Unsigned:
    case Encoding::Hex:
      return Number(byte);
    case Encoding::Signed:
      return Number(static_cast<std::int8_t>(byte));
    case Encoding::Ascii:
      return Chars(LiveBytes(&byte, 1));
    case Encoding::Unknown:
      break;
  }
  return Blank();
}

LiveValue MultiByte(Encoding encoding, LiveBytes bytes) {
  if (encoding == Encoding::Ascii) return Chars(bytes);
  if (bytes.size() > 4) return Blank();
  const std::uint32_t value = BigEndian(bytes);
  switch (encoding) {
    case Encoding::Unsigned:
      // Four bytes with the top bit set are a large count, not a negative one.
      return Number(value);
    case Encoding::Signed:
      if (bytes.size() == 2) return Number(static_cast<std::int16_t>(value));
      if (bytes.size() == 4) return Number(static_cast<std::int32_t>(value));
      return Blank();
    case Encoding::Hex:
      return {LiveValue::Kind::FaultWord, 0, value, QString()};
    case Encoding::Ascii:
    case Encoding::Unknown:
      break;
  }
  return Blank();
}

}  // namespace

LiveSlots LiveSlotWalk(const DefinitionSet& set) {
  LiveSlots liveSlots;
  for (int i = 0; i < set.liveCount && liveSlots.count < kMonitorSlotCount; ++i) {
    const LiveDef& def = set.liveItems[static_cast<std::size_t>(i)];
    if (def.en != 1) continue;
    if (def.sw.Kind() == Encoding::Hex) liveSlots.faultSlot = liveSlots.count;
    liveSlots.position[static_cast<std::size_t>(liveSlots.count++)] = i;
  }
  return liveSlots;
}

LiveValue DecodeLiveItem(const LiveDef& def, LiveBytes block) {
  if (def.pro != 1 && def.pro != 2) return {LiveValue::Kind::Unwritten, 0, 0, QString()};
  const LiveBytes bytes = ItemBytes(def, block);
  if (bytes.empty()) return Blank();
  if (def.pro == 1) return OneByte(def.sw.Kind(), bytes[0]);
  return MultiByte(def.sw.Kind(), bytes);
}

LiveText FormatLiveItem(const LiveDef& def, LiveBytes block) {
  const LiveValue value = DecodeLiveItem(def, block);
  switch (value.kind) {
    case LiveValue::Kind::Number: {
      // Only a one-byte "h" item is a number in hex; a wider one is the fault word.
      const int base = def.sw.Kind() == Encoding::Hex ? 16 : 10;
      return {LiveText::Kind::Text, QString::number(value.number, base), 0};
    }
    case LiveValue::Kind::Chars:
      return {LiveText::Kind::Text, value.text, 0};
    case LiveValue::Kind::Blank:
      return {LiveText::Kind::Blank, QString(), 0};
    case LiveValue::Kind::Unwritten:
      return {LiveText::Kind::Unwritten, QString(), 0};
    case LiveValue::Kind::FaultWord:
      return {LiveText::Kind::FaultWord, QString(), value.word};
  }
  return {};
}

std::optional<std::uint32_t> LiveItemValue(const LiveDef& def, LiveBytes block) {
  if (def.pro != 1 && def.pro != 2) return std::nullopt;
  const LiveBytes bytes = ItemBytes(def, block);
  if (bytes.empty() || bytes.size() > 4) return std::nullopt;
  return BigEndian(bytes);
}

QStringList FaultNames(std::uint32_t word, std::span<const FaultDef> faults) {
  QStringList names;
  for (std::size_t bit = 0; bit < faults.size() && bit < 32; ++bit) {
    if (word >> bit & 1u) names.append(faults[bit].name);
  }
  return names;
}

QString LinkStatusText(bool linkOk) {
  return linkOk ? QStringLiteral("Success!") : QStringLiteral("Failure!");
}

}  // namespace vor

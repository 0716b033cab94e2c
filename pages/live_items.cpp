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

LiveText Text(QString text) { return {LiveText::Kind::Text, std::move(text), 0}; }

LiveText Blank() { return {}; }

LiveText OneByte(const QString& sw, std::uint8_t byte) {
  if (sw == u"uo") return Text(QString::number(byte));
  if (sw == u"so") return Text(QString::number(int{static_cast<std::int8_t>(byte)}));
  if (sw == u"h") return Text(QString::number(byte, 16));
  if (sw == u"a") return Text(byte == 0 ? QString() : QString(QChar(byte)));
  return Blank();
}

LiveText MultiByte(const QString& sw, LiveBytes bytes) {
  if (sw == u"a") {
    QString text;
    for (std::uint8_t byte : bytes) {
      if (byte == 0) break;
      text += QChar(byte);
    }
    return Text(text);
  }
  if (bytes.size() > 4) return Blank();
  const std::uint32_t value = BigEndian(bytes);
  // Four bytes with the top bit set are a large count, not a negative one.
  if (sw == u"uo") return Text(QString::number(value));
  if (sw == u"so") {
    if (bytes.size() == 2) return Text(QString::number(int{static_cast<std::int16_t>(value)}));
    if (bytes.size() == 4) return Text(QString::number(static_cast<std::int32_t>(value)));
    return Blank();
  }
  if (sw == u"h") return {LiveText::Kind::FaultWord, QString(), value};
  return Blank();
}

}  // namespace

LiveSlots LiveSlotWalk(const DefinitionSet& set) {
  LiveSlots liveSlots;
  for (int i = 0; i < set.liveCount && liveSlots.count < kMonitorSlotCount; ++i) {
    const LiveDef& def = set.liveItems[static_cast<std::size_t>(i)];
    if (def.en != 1) continue;
    if (def.sw == u"h") liveSlots.faultSlot = liveSlots.count;
    liveSlots.position[static_cast<std::size_t>(liveSlots.count++)] = i;
  }
  return liveSlots;
}

LiveText FormatLiveItem(const LiveDef& def, LiveBytes block) {
  if (def.pro != 1 && def.pro != 2) return {LiveText::Kind::Unwritten, QString(), 0};
  const LiveBytes bytes = ItemBytes(def, block);
  if (bytes.empty()) return Blank();
  if (def.pro == 1) return OneByte(def.sw, bytes[0]);
  return MultiByte(def.sw, bytes);
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

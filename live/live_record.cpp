#include "live/live_record.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace vor {
namespace {

const LiveDef& SlotItem(const DefinitionSet& set, const LiveSlots& liveSlots, int k) {
  return set.liveItems[static_cast<std::size_t>(liveSlots.position[static_cast<std::size_t>(k)])];
}

QString HexWord(std::uint32_t value) { return QStringLiteral("%1").arg(value, 4, 16, QChar(u'0')); }

// A JSON string literal with Qt's escaping; the keys are written by hand to keep their order.
QString JsonString(const QString& text) {
  const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
  return QString::fromUtf8(array.mid(1, array.size() - 2));
}

}  // namespace

QStringList LiveColumns(const DefinitionSet& set, const LiveSlots& liveSlots) {
  QStringList columns;
  for (int k = 0; k < liveSlots.count; ++k) columns.append(SlotItem(set, liveSlots, k).name);
  return columns;
}

LiveRecord MakeLiveRecord(const DefinitionSet& set, const LiveSlots& liveSlots, LiveBytes block,
                          bool firstAnswered, std::int64_t timeMs) {
  LiveRecord record;
  record.timeMs = timeMs;
  record.linkOk = firstAnswered;
  for (int k = 0; k < liveSlots.count; ++k) {
    const LiveDef& def = SlotItem(set, liveSlots, k);
    const LiveText text = FormatLiveItem(def, block);
    if (k == liveSlots.faultSlot || text.kind == LiveText::Kind::FaultWord) {
      const std::optional<std::uint32_t> word = LiveItemValue(def, block);
      record.values.append(word ? HexWord(*word) : QString());
      if (k == liveSlots.faultSlot && word) record.faults = FaultNames(*word, set.Faults());
    } else {
      record.values.append(text.kind == LiveText::Kind::Text ? text.text : QString());
    }
  }
  return record;
}

QString CsvHeader(const QStringList& columns) {
  QStringList fields{QStringLiteral("time_ms"), QStringLiteral("status")};
  for (const QString& column : columns) fields.append(CsvField(column));
  fields.append(QStringLiteral("faults"));
  return fields.join(u',');
}

QString CsvRow(const LiveRecord& record) {
  QStringList fields{QString::number(record.timeMs), LinkStatusText(record.linkOk)};
  for (const QString& value : record.values) fields.append(CsvField(value));
  fields.append(CsvField(record.faults.join(u'|')));
  return fields.join(u',');
}

QString JsonLine(const QStringList& columns, const LiveRecord& record) {
  QString line = QStringLiteral("{\"time_ms\":") + QString::number(record.timeMs) +
                 QStringLiteral(",\"status\":") + JsonString(LinkStatusText(record.linkOk)) +
                 QStringLiteral(",\"values\":{");
  for (qsizetype k = 0; k < columns.size() && k < record.values.size(); ++k) {
    if (k > 0) line += u',';
    line += JsonString(columns[k]) + u':' + JsonString(record.values[k]);
  }
  line += QStringLiteral("},\"faults\":[");
  for (qsizetype i = 0; i < record.faults.size(); ++i) {
    if (i > 0) line += u',';
    line += JsonString(record.faults[i]);
  }
  line += QStringLiteral("]}");
  return line;
}

}  // namespace vor

#include "definitions/script_parser.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "definitions/number_text.h"
#include "definitions/script_text.h"

namespace vor {
namespace {

// Calls onRecord with the text of every complete record: from its "[" up to, not including, the
// LF that closes it (a CR before the LF stays in the text).
template <typename OnRecord>
void ScanRecords(QByteArrayView script, OnRecord&& onRecord) {
  std::string record;
  bool open = false;
  for (const char c : script) {
    if (c == '\\') break;
    if (c == '[') {
      record.assign(1, '[');
      open = true;
    } else if (open) {
      if (c == '\n') {
        onRecord(std::string_view(record));
        open = false;
      } else {
        record.push_back(c);
      }
    }
  }
}

// The text after the first "key=" in the record up to the next "#", whichever field that "#"
// belongs to; empty when the key is missing or no "#" follows.
std::string_view ValueOf(std::string_view record, std::string_view key) {
  std::string pattern(key);
  pattern.push_back('=');
  const std::size_t at = record.find(pattern);
  if (at == std::string_view::npos) return {};
  const std::size_t start = at + pattern.size();
  const std::size_t end = record.find('#', start);
  if (end == std::string_view::npos) return {};
  return record.substr(start, end - start);
}

QString ToText(std::string_view bytes) {
  return DecodeScriptText(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

std::int32_t Number(std::string_view record, std::string_view key) {
  return ParseDecimal(ValueOf(record, key));
}
QString Text(std::string_view record, std::string_view key) { return ToText(ValueOf(record, key)); }
std::int32_t RecordNumber(std::string_view record) { return ParseDecimal(record.substr(1, 3)); }

}  // namespace

std::vector<ParamDef> ParseParameterScript(QByteArrayView script) {
  std::vector<ParamDef> records;
  ScanRecords(script, [&](std::string_view record) {
    ParamDef def;
    def.addr = RecordNumber(record);
    def.pro = Number(record, "pro");
    def.pos = Number(record, "pos");
    def.show = Number(record, "show");
    def.en = Number(record, "en");
    def.sw = Text(record, "sw");
    def.name = Text(record, "name");
    def.rangeL = Number(record, "rangeL");
    def.rangeH = Number(record, "rangeH");
    def.tips = Text(record, "tips");
    records.push_back(std::move(def));
  });
  return records;
}

LiveDataScript ParseLiveDataScript(QByteArrayView script) {
  enum class Section { None, Dat, Err };
  Section section = Section::None;
  LiveDataScript result;
  ScanRecords(script, [&](std::string_view record) {
    const std::string_view header = record.substr(1, 3);
    if (header == "Dat") {
      section = Section::Dat;
    } else if (header == "Err") {
      section = Section::Err;
    } else if (section == Section::Dat) {
      LiveDef def;
      def.addr = RecordNumber(record);
      def.pro = Number(record, "pro");
      def.pos = Number(record, "pos");
      def.en = Number(record, "en");
      def.sw = Text(record, "sw");
      def.name = Text(record, "name");
      def.min = Number(record, "min");
      def.max = Number(record, "max");
      def.show = std::uint8_t(Number(record, "show") & 0xFF);
      def.rgb = ParseHex(ValueOf(record, "rgb"));
      def.tips = Text(record, "tips");
      result.items.push_back(std::move(def));
    } else if (section == Section::Err) {
      result.faults.push_back(FaultDef{RecordNumber(record), Text(record, "name")});
    }
  });
  return result;
}

}  // namespace vor

// Every non-ASCII text of every carried script, decoded, against a table made where Qt decodes GBK
// through ICU (Debian): the Windows build's own code page 936 conversion must give the same texts.
// With VOR_WRITE_SCRIPT_TEXTS set, the test writes the table to that file instead of checking it.
#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>

#include "definitions/script_catalogue.h"
#include "definitions/script_parser.h"

namespace vor {
namespace {

// Tabs, line ends and backslashes escaped, so that a text is one field of one line.
QString Escaped(QString text) {
  return text.replace('\\', "\\\\").replace('\t', "\\t").replace('\n', "\\n").replace('\r', "\\r");
}

void Add(QStringList& lines, int id, const char* field, std::size_t index, const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() >= 0x80) {
      lines << QStringLiteral("%1\t%2\t%3\t%4").arg(id).arg(field).arg(index).arg(Escaped(text));
      return;
    }
  }
}

QStringList DecodedTexts() {
  QStringList lines;
  for (const CatalogueEntry& entry : CarriedScripts()) {
    const QByteArray script = FindScript(entry.id).value_or(QByteArray());
    if (entry.kind == ScriptKind::Parameter) {
      const std::vector<ParamDef> records = ParseParameterScript(script);
      for (std::size_t i = 0; i < records.size(); ++i) {
        Add(lines, entry.id, "name", i, records[i].name);
        Add(lines, entry.id, "tips", i, records[i].tips);
        Add(lines, entry.id, "sw", i, records[i].sw.Text());
      }
    } else {
      const LiveDataScript live = ParseLiveDataScript(script);
      for (std::size_t i = 0; i < live.items.size(); ++i) {
        Add(lines, entry.id, "item", i, live.items[i].name);
        Add(lines, entry.id, "itemtips", i, live.items[i].tips);
      }
      for (std::size_t i = 0; i < live.faults.size(); ++i) {
        Add(lines, entry.id, "fault", i, live.faults[i].name);
      }
    }
  }
  return lines;
}

TEST(ScriptTexts, DecodeAsTheTableMadeWithQtsGbkDecoder) {
  const QStringList decoded = DecodedTexts();
  ASSERT_FALSE(decoded.isEmpty());  // the scripts do hold Chinese text
  if (const QString out = qEnvironmentVariable("VOR_WRITE_SCRIPT_TEXTS"); !out.isEmpty()) {
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write((decoded.join('\n') + '\n').toUtf8());
    return;
  }
  QFile file(QStringLiteral(VOR_SCRIPT_TEXTS));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << VOR_SCRIPT_TEXTS;
  const QStringList expected = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(decoded.size(), expected.size());
  for (qsizetype i = 0; i < decoded.size(); ++i) {
    EXPECT_EQ(decoded[i].toStdString(), expected[i].toStdString());
  }
}

}  // namespace
}  // namespace vor

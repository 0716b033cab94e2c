#include "cli/describe_command.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <map>
#include <memory>

#include "cli/image_commands.h"
#include "cli/link_session.h"
#include "definitions/definition_loader.h"
#include "definitions/model_table.h"
#include "files/configuration_record.h"
#include "files/image_file.h"

namespace vor::cli {
namespace {

// The text each field of the three pages shows, by table position, as an exported record gives
// it. Records that no page shows, and fields with no text form, have none.
using ShownValues = std::map<int, QString>;

ShownValues ValuesOnPages(const ConfigImage& image, const DefinitionSet& set) {
  ShownValues values;
  for (const RecordedField& field : RecordConfiguration(image, set, {}).fields) {
    if (field.value) values[field.position] = *field.value;
  }
  return values;
}

QJsonObject ToJson(const ConfigImage& image, const DefinitionSet& set) {
  const ShownValues values = ValuesOnPages(image, set);
  QJsonArray params;
  for (int i = 0; i < set.paramCount; ++i) {
    const ParamDef& p = set.params[static_cast<std::size_t>(i)];
    const auto shown = values.find(i);
    const QJsonValue value = shown == values.end() ? QJsonValue() : QJsonValue(shown->second);
    params.append(QJsonObject{{"position", i},
                              {"addr", p.addr},
                              {"pro", p.pro},
                              {"pos", p.pos},
                              {"sw", p.sw.Text()},
                              {"name", p.name},
                              {"rangeL", p.rangeL},
                              {"rangeH", p.rangeH},
                              {"show", p.show},
                              {"en", p.en},
                              {"tips", p.tips},
                              {"value", value}});
  }
  QJsonArray liveItems;
  for (const LiveDef& l : set.LiveItems()) {
    liveItems.append(QJsonObject{{"addr", l.addr},
                                 {"pro", l.pro},
                                 {"pos", l.pos},
                                 {"sw", l.sw.Text()},
                                 {"name", l.name},
                                 {"min", l.min},
                                 {"max", l.max},
                                 {"show", l.show},
                                 {"rgb", l.rgb},
                                 {"tips", l.tips},
                                 {"en", l.en}});
  }
  QJsonArray faults;
  for (const FaultDef& f : set.Faults()) {
    faults.append(QJsonObject{{"number", f.number}, {"name", f.name}});
  }
  return QJsonObject{{"ModelCode", ModelCode(image)},
                     {"VoltageClass", VoltageClass(image)},
                     {"paramScript", set.paramScript},
                     {"liveScript", set.liveScript},
                     {"SpecialVersionFlag", set.SpecialVersionFlag},
                     {"paramCount", set.paramCount},
                     {"liveCount", set.liveCount},
                     {"faultCount", set.faultCount},
                     {"controlFirst", set.controlFirst},
                     {"motorFirst", set.motorFirst},
                     {"motorEnd", set.motorEnd},
                     {"params", params},
                     {"liveItems", liveItems},
                     {"faults", faults}};
}

void Print(const QString& line) { std::printf("%s\n", line.toUtf8().constData()); }

void PrintText(const ConfigImage& image, const DefinitionSet& set) {
  Print(QStringLiteral("ModelCode           %1").arg(ModelCode(image)));
  Print(QStringLiteral("VoltageClass        %1").arg(VoltageClass(image)));
  Print(QStringLiteral("paramScript         %1").arg(set.paramScript));
  Print(QStringLiteral("liveScript          %1").arg(set.liveScript));
  Print(QStringLiteral("SpecialVersionFlag  %1").arg(set.SpecialVersionFlag));
  Print(QStringLiteral("paramCount          %1").arg(set.paramCount));
  Print(QStringLiteral("liveCount           %1").arg(set.liveCount));
  Print(QStringLiteral("faultCount          %1").arg(set.faultCount));
  Print(QStringLiteral("controlFirst        %1").arg(set.controlFirst));
  Print(QStringLiteral("motorFirst          %1").arg(set.motorFirst));
  Print(QStringLiteral("motorEnd            %1").arg(set.motorEnd));

  // The value column holds the quoted text a page shows; it is blank for records no page shows.
  const ShownValues values = ValuesOnPages(image, set);
  Print(
      QStringLiteral("\nParameters\n"
                     "  pos  addr pro pos sw show en       range  value       name | tips"));
  for (int i = 0; i < set.paramCount; ++i) {
    const ParamDef& p = set.params[static_cast<std::size_t>(i)];
    const auto shown = values.find(i);
    const QString value = shown == values.end() ? QString() : u'"' + shown->second + u'"';
    Print(QStringLiteral("  %1 [%2] %3 %4 %5 %6 %7 %8~%9  %10 \"%11\" | %12")
              .arg(i, 3)
              .arg(p.addr, 3, 10, QChar(u'0'))
              .arg(p.pro, 3)
              .arg(p.pos, 3)
              .arg(p.sw.Text(), -2)
              .arg(p.show, 4)
              .arg(p.en, 2)
              .arg(p.rangeL, 6)
              .arg(p.rangeH, -6)
              .arg(value.leftJustified(11), p.name, p.tips.trimmed()));
  }
  Print(
      QStringLiteral("\nLive items\n"
                     "  addr pro pos sw  en     min~max     name | tips"));
  for (const LiveDef& l : set.LiveItems()) {
    Print(QStringLiteral("  [%1] %2 %3 %4 %5 %6~%7  \"%8\" | %9")
              .arg(l.addr, 2, 10, QChar(u'0'))
              .arg(l.pro, 3)
              .arg(l.pos, 3)
              .arg(l.sw.Text(), -2)
              .arg(l.en, 3)
              .arg(l.min, 6)
              .arg(l.max, -6)
              .arg(l.name, l.tips.trimmed()));
  }
  Print(QStringLiteral("\nFaults"));
  for (std::size_t bit = 0; bit < set.Faults().size(); ++bit) {
    Print(QStringLiteral("  bit %1  %2").arg(bit, 2).arg(set.faults[bit].name));
  }
}

}  // namespace

int DescribeCommand(LinkSession& session, const QString& imagePath, bool json) {
  ConfigImage image;
  if (!imagePath.isEmpty()) {
    QString error;
    if (!LoadImageFile(imagePath, image, error)) {
      PrintError(error);
      return kExitFailure;
    }
  } else {
    if (!session.Connect() || !session.Read(image)) return kExitFailure;
  }

  auto set = std::make_unique<DefinitionSet>();
  if (!LoadDefinitions(image, *set, session.Prompts())) return kExitFailure;
  if (json) {
    std::printf("%s",
                QJsonDocument(ToJson(image, *set)).toJson(QJsonDocument::Indented).constData());
  } else {
    PrintText(image, *set);
  }
  return kExitOk;
}

}  // namespace vor::cli

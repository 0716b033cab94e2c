#include "cli/diff_command.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cstdio>
#include <memory>

#include "cli/image_commands.h"
#include "cli/link_session.h"
#include "definitions/definition_loader.h"
#include "files/image_compare.h"
#include "files/image_file.h"
#include "pages/page_fields.h"

namespace vor::cli {
namespace {

QString ByteText(std::uint8_t value) {
  return QStringLiteral("0x%1").arg(value, 2, 16, QChar(u'0'));
}

void PrintJson(const ImageDifferences& differences, const QString& first, const QString& second) {
  QJsonArray fields;
  for (const FieldChange& change : differences.fields) {
    fields.append(QJsonObject{{"page", PageName(change.page)},
                              {"parameter", change.label},
                              {"kind", change.box ? "switch" : "field"},
                              {"first", change.first},
                              {"second", change.second}});
  }
  QJsonArray bytes;
  for (const ByteChange& change : differences.bytes) {
    bytes.append(QJsonObject{{"addr", change.addr},
                             {"first", ByteText(change.first)},
                             {"second", ByteText(change.second)}});
  }
  const QJsonObject object{{"first", first},
                           {"second", second},
                           {"equal", differences.Empty()},
                           {"fields", fields},
                           {"bytes", bytes}};
  std::printf("%s", QJsonDocument(object).toJson(QJsonDocument::Indented).constData());
}

// One row per difference, in columns: page, parameter, the first image's value, the second's.
void PrintTable(const ImageDifferences& differences, const QString& first, const QString& second) {
  if (differences.Empty()) {
    std::printf("no differences\n");
    return;
  }
  std::vector<std::array<QString, 4>> rows{{"Page", "Parameter", first, second}};
  for (const FieldChange& change : differences.fields) {
    rows.push_back({PageName(change.page), change.label, change.first, change.second});
  }
  for (const ByteChange& change : differences.bytes) {
    rows.push_back({QStringLiteral("-"), QStringLiteral("byte %1").arg(change.addr),
                    ByteText(change.first), ByteText(change.second)});
  }
  std::array<qsizetype, 3> widths{};
  for (const auto& row : rows) {
    for (std::size_t column = 0; column < widths.size(); ++column) {
      widths[column] = std::max(widths[column], row[column].size());
    }
  }
  for (const auto& row : rows) {
    QString line;
    for (std::size_t column = 0; column < widths.size(); ++column) {
      line += row[column].leftJustified(widths[column] + 2);
    }
    line += row[3];
    std::printf("%s\n", line.toUtf8().constData());
  }
}

bool Load(const QString& path, ConfigImage& image) {
  QString error;
  if (LoadImageFile(path, image, error)) return true;
  PrintError(error);
  return false;
}

}  // namespace

int DiffCommand(LinkSession& session, const QString& firstPath, const QString& secondPath,
                bool json) {
  ConfigImage first;
  ConfigImage second;
  if (!Load(firstPath, first)) return kExitFailure;
  if (!secondPath.isEmpty() && !Load(secondPath, second)) return kExitFailure;
  auto set = std::make_unique<DefinitionSet>();
  if (!LoadDefinitions(first, *set, session.Prompts())) return kExitFailure;
  if (secondPath.isEmpty() && (!session.Connect() || !session.Read(second))) return kExitFailure;

  const ImageDifferences differences = CompareImages(first, second, *set);
  const QString secondName = secondPath.isEmpty() ? QStringLiteral("controller") : secondPath;
  if (json) {
    PrintJson(differences, firstPath, secondName);
  } else {
    PrintTable(differences, firstPath, secondName);
  }
  return differences.Empty() ? kExitOk : kExitFailure;
}

}  // namespace vor::cli
